#include "setting-store.h"

#include <filesystem>
#include <system_error>

#include "cli-commands.h"
#include "settings/setting-names.h"

namespace murlo::cli {

namespace {

// The save folder check: an existing folder passes; a missing one is created, one level,
// when the user says Yes (or --yes did); anything else is refused.
bool prepareSaveFolder(const std::string& folder, Prompter& prompter) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (fs::is_directory(status)) return true;
  if (fs::exists(status)) {
    prompter.message("ﾃﾞｨﾚｸﾄﾘ以外は指定できません", PromptIcon::kInformation, PromptButtons::kOk);
    return false;
  }
  if (prompter.message("ﾃﾞｨﾚｸﾄﾘ \"" + folder + "\"は存在しません\r\n作成しますか？",
                       PromptIcon::kQuestion, PromptButtons::kYesNo) != PromptAnswer::kYes) {
    return false;
  }
  if (!fs::create_directory(folder, error)) {
    printError(folder + ": フォルダを作成できません: " + error.message());
    return false;
  }
  return true;
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
