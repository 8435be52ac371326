#include "jobs/shutdown-countdown.h"

namespace murlo {

bool ShutdownCountdown::tick() {
  if (count_ == 0) return false;
  if (++count_ <= kLastTick) return false;
  count_ = 0;
  shutdown_.powerOff();
  return true;
}

}  // namespace murlo
