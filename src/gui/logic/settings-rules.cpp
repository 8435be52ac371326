#include "logic/settings-rules.h"

#include <algorithm>

#include "text/integer-field.h"

namespace murlo::gui {

int shownTimeout(int connection) {
  const int timeout = connection / 256;
  return timeout <= 0 || timeout >= 32 ? 12 : timeout;
}

std::optional<int> timeoutSpinPosition(const std::string& typed) {
  const IntegerField read = readIntegerField(typed);
  if (!read.ok) return std::nullopt;
  return std::clamp(read.value, kMinTimeoutStep, kMaxTimeoutStep);
}

int sameNameIndex(int movement) {
  if (movement & movement::kAskSameName) return 0;
  return (movement & movement::kOverwrite) ? 1 : 2;
}

int sameNameBit(int index) {
  return index == 0   ? movement::kAskSameName
         : index == 1 ? movement::kOverwrite
                      : movement::kAutoRename;
}

int packSound(const std::array<bool, 3>& ticked, const std::array<std::string, 3>& files) {
  int word = 0;
  for (int row = 0; row < 3; ++row) {
    if (ticked[row] && !files[row].empty()) word |= 1 << row;
  }
  return word;
}

std::vector<std::string> saveFolderChoices(const AppSettings& settings) {
  std::vector<std::string> choices;
  for (const std::string* path : {&settings.path01, &settings.path02, &settings.path03}) {
    if (!path->empty()) choices.push_back(*path);
  }
  return choices;
}

}  // namespace murlo::gui
