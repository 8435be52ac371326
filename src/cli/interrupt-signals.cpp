#include "interrupt-signals.h"

#include <signal.h>

namespace murlo::cli {

namespace {

volatile sig_atomic_t interrupted = 0;

// The signals that suspend a job: Ctrl+C, a polite kill, a closed terminal.
constexpr int kInterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The first signal is noted for the loop; a second one, of any of the kinds, gets its
// default effect, which ends the program at once.
extern "C" void onInterrupt(int signalNumber) {
  if (interrupted) {
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);  // delivered as soon as this handler returns
    return;
  }
  interrupted = 1;
}

}  // namespace

bool interruptRequested() { return interrupted != 0; }

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
