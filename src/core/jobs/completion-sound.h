// The sounds of job control: 1 when an analysis ends, 2 when a download ends, 4 for a
// failed item. Each plays only when its SETTING/Sound bit is set and its file is named.
#pragma once

#include "platform/sound-player.h"
#include "settings/app-settings.h"

namespace murlo {

void playSound(const AppSettings& settings, int kind, SoundPlayer& player);

}  // namespace murlo
