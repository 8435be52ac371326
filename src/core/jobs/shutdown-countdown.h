// ShutdownCountdown: the 10 seconds the user has to keep the computer running after a
// download, counted in the download timer's 500 ms ticks while the shut-down message is
// shown.
//
//   countdown.begin();              // the message appears
//   // every download-timer tick, also while the message is open:
//   countdown.tick();               // powers off when the count passes 20
//   countdown.cancel();             // the message was closed with OK
#pragma once

#include "platform/system-shutdown.h"

namespace murlo {

class ShutdownCountdown {
 public:
  static constexpr int kLastTick = 20;

  explicit ShutdownCountdown(SystemShutdown& shutdown) : shutdown_(shutdown) {}

  void begin() { count_ = 1; }
  // Counts one tick; true when this tick powered the computer off.
  bool tick();
  void cancel() { count_ = 0; }
  // 0 when no countdown runs, else the ticks counted since the message appeared.
  int count() const { return count_; }

 private:
  SystemShutdown& shutdown_;
  int count_ = 0;
};

}  // namespace murlo
