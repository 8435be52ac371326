#include "jobs/completion-sound.h"

namespace murlo {

void playSound(const AppSettings& settings, int kind, SoundPlayer& player) {
  const std::string* file = nullptr;
  switch (kind) {
    case sound::kAnalysis: file = &settings.file01; break;
    case sound::kDownload: file = &settings.file02; break;
    case sound::kError: file = &settings.file03; break;
    default: return;
  }
  if ((settings.sound & kind) != kind || file->empty()) return;
  player.play(*file);
}

}  // namespace murlo
