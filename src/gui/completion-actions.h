// What happens on the desktop when a job ends: sounds, hanging up the dial-up line and
// shutting the computer down. The program uses the real actions; tests use a recorder,
// since nothing in a test may make noise, hang up or power off.
#pragma once

#include "settings/app-settings.h"

namespace murlo::gui {

class CompletionActions {
 public:
  virtual ~CompletionActions() = default;
  // Sound 1, 2 or 4 when its Sound bit and file are set; never waits.
  virtual void playSound(const AppSettings& settings, int kind) = 0;
  virtual void hangUpLine() = 0;
  virtual void shutDown() = 0;
};

}  // namespace murlo::gui
