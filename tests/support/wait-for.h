// Waits until a condition holds instead of sleeping a fixed time.
#pragma once

#include <chrono>
#include <thread>

namespace murlo::test {

template <typename Predicate>
bool waitFor(Predicate done, std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace murlo::test
