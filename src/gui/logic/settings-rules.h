// Rules of the settings pages that need no window: how words unpack into controls and how
// controls pack back.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "settings/app-settings.h"

namespace murlo::gui {

// The time-out the connection page shows for a Connection word: Connection / 256, or 12 when
// that lies outside 1-31.
int shownTimeout(int connection);

// The time-out spin button's steps, in tens of seconds.
inline constexpr int kMinTimeoutStep = 1;
inline constexpr int kMaxTimeoutStep = 31;
// Where the spin button stands for the time-out field's text: a whole number as typed,
// clamped to the steps; nothing while the text is not a whole number.
std::optional<int> timeoutSpinPosition(const std::string& typed);

// The same-name radio index of a Movement word (0 ask, 1 overwrite, 2 rename) and the one
// Movement bit an index stores.
int sameNameIndex(int movement);
int sameNameBit(int index);

// The Sound word of the sound rows: a row counts only when ticked and given a file.
int packSound(const std::array<bool, 3>& ticked, const std::array<std::string, 3>& files);

// The save folders of the behaviour page's list: PATH01 to PATH03, leaving out empty ones.
std::vector<std::string> saveFolderChoices(const AppSettings& settings);

}  // namespace murlo::gui
