// The sounds of job control: sound::kAnalysis when an analysis ends, sound::kDownload when a
// download ends, sound::kError for a failed item. Each plays only when its own bit of the
// Sound setting is set and its file is named.
#pragma once

#include "platform/sound-player.h"
#include "settings/app-settings.h"

namespace murlo {

void playSound(const AppSettings& settings, int kind, SoundPlayer& player);

}  // namespace murlo
