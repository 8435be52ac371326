// SoundPlayer: plays a sound file without making the caller wait. A missing file or sound
// server is ignored silently.
#pragma once

#include <memory>
#include <string>

namespace murlo {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual void play(const std::string& file) = 0;
};

// The desktop's sound server through libcanberra.
std::unique_ptr<SoundPlayer> makeDesktopSoundPlayer();

}  // namespace murlo
