// The sounds of job control. Each plays only when its own bit of the Sound setting is set and
// its file is named.
#pragma once

#include "platform/sound-player.h"
#include "settings/app-settings.h"

namespace murlo {

enum class CompletionSound {
  kAnalysis,  // an analysis ended: sound::kAnalysis, file01
  kDownload,  // a download ended: sound::kDownload, file02
  kError,     // an item failed: sound::kError, file03
};

void playSound(const AppSettings& settings, CompletionSound kind, SoundPlayer& player);

}  // namespace murlo
