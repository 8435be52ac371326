#include "setting-store.h"

#include "cli-commands.h"
#include "platform/mount-table.h"
#include "settings/save-folder.h"
#include "settings/setting-names.h"

namespace murlo::cli {

namespace {

// The save folder check of the settings pages: a network or optical volume and a file are
// refused, a missing folder is created (one level) when the user says Yes (or --yes did).
// A relative folder is checked as the absolute path it is stored as, so a short name such as
// "dl" counts as the long path it stands for.
bool prepareSaveFolder(const std::string& folder, Prompter& prompter) {
  return checkSaveFolder(absolutePath(folder), prompter, readMountTable()).has_value();
}

std::string settingNameList() {
  std::string names;
  for (const SettingName& s : settingNames()) names += (names.empty() ? "" : ", ") + s.name;
  return names;
}

}  // namespace

const SettingName* namedSetting(const std::string& name) {
  const SettingName* setting = findSetting(name);
  if (!setting) printError("不明な設定です: " + name + "\r\n使える名前: " + settingNameList());
  return setting;
}

bool storeSetting(const std::string& name, const std::string& value, AppSettings& settings,
                  Prompter& prompter) {
  const SettingName* setting = namedSetting(name);
  if (!setting) return false;
  if (name == "save-folder" && !value.empty() && !prepareSaveFolder(value, prompter)) return false;
  if (!setting->set(settings, value)) {
    printError(name + " に \"" + value + "\" は指定できません (使える値: " + setting->allowed +
               ")");
    return false;
  }
  return true;
}

}  // namespace murlo::cli
