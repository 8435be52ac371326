#include <canberra.h>

#include "platform/sound-player.h"

namespace murlo {

namespace {

class CanberraSoundPlayer : public SoundPlayer {
 public:
  CanberraSoundPlayer() {
    // No sound server or device: the context stays null and every play does nothing.
    if (ca_context_create(&context_) != CA_SUCCESS) context_ = nullptr;
  }
  ~CanberraSoundPlayer() override {
    if (context_) ca_context_destroy(context_);
  }

  void play(const std::string& file) override {
    if (!context_) return;
    // ca_context_play returns at once and plays in the background; its result (a missing or
    // unplayable file) is of no interest.
    ca_context_play(context_, 0, CA_PROP_MEDIA_FILENAME, file.c_str(), nullptr);
  }

 private:
  ca_context* context_ = nullptr;
};

}  // namespace

std::unique_ptr<SoundPlayer> makeDesktopSoundPlayer() {
  return std::make_unique<CanberraSoundPlayer>();
}

}  // namespace murlo
