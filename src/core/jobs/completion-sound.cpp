#include "jobs/completion-sound.h"

namespace murlo {

void playSound(const AppSettings& settings, CompletionSound kind, SoundPlayer& player) {
  const auto [bit, file] = [&]() -> std::pair<int, const std::string*> {
    switch (kind) {
      case CompletionSound::kAnalysis: return {sound::kAnalysis, &settings.file01};
      case CompletionSound::kDownload: return {sound::kDownload, &settings.file02};
      case CompletionSound::kError: break;
    }
    return {sound::kError, &settings.file03};
  }();
  if (!(settings.sound & bit) || file->empty()) return;
  player.play(*file);
}

}  // namespace murlo
