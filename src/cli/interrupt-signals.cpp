#include "interrupt-signals.h"

#include <signal.h>

#include <atomic>

namespace murlo::cli {

namespace {

// Set by the handler, which runs on whichever thread the kernel picks (a worker's too),
// and read by the job loop: a lock-free atomic is safe in a handler and between threads.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The signals that suspend a job: Ctrl+C, a polite kill, a closed terminal.
constexpr int kInterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The first signal is noted for the loop; a second one, of any of the kinds, gets its
// default effect, which ends the program at once.
extern "C" void onInterrupt(int signalNumber) {
  if (interrupted.exchange(true)) {
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);  // delivered as soon as this handler returns
  }
}

}  // namespace

bool interruptRequested() { return interrupted.load(); }

void catchInterrupts() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  for (const int signalNumber : kInterruptSignals) sigaction(signalNumber, &action, nullptr);
}

void releaseInterrupts() {
  for (const int signalNumber : kInterruptSignals) ::signal(signalNumber, SIG_DFL);
}

}  // namespace murlo::cli
