// murlo-cli settings [NAME [VALUE]]: the settings of Murlo.ini in the current folder by
// name, grouped as the settings pages show them. A change is saved at once, written to a
// temporary file and renamed as the desktop program does.
#include <cstdio>

#include "answering-prompter.h"
#include "cli-commands.h"
#include "setting-store.h"
#include "settings/setting-names.h"
#include "terminal-output.h"

namespace murlo::cli {

namespace {

// "[page]" lines, each followed by its settings as name, value and label between tabs.
void printAll(const AppSettings& settings) {
  int page = -1;
  for (const SettingName& s : settingNames()) {
    if (s.page != page) {
      page = s.page;
      std::printf("[%s]\n", showMessage(kSettingPages[page]).c_str());
    }
    std::printf("%s\t%s\t%s\n", s.name.c_str(), showItemText(s.get(settings)).c_str(),
                showMessage(s.label).c_str());
  }
}

constexpr const char* kSettingsUsage = "使い方: murlo-cli settings [NAME [VALUE]] [--yes|--no]";

}  // namespace

int runSettings(const Args& args) {
  Args words;
  std::optional<PromptAnswer> answer;
  for (const std::string& arg : args) {
    if (arg == "--yes") {
      answer = PromptAnswer::kYes;
    } else if (arg == "--no") {
      answer = PromptAnswer::kNo;
    } else {
      words.push_back(arg);
    }
  }
  if (words.size() > 2) {
    printError(kSettingsUsage);
    return kExitUsage;
  }
  const std::optional<std::string> dir = currentDirectory();
  if (!dir) return kExitFailed;
  const std::string iniPath = settingsPath(*dir);
  AppSettings settings = loadSettings(*dir);
  if (words.empty()) {
    printAll(settings);
    return kExitOk;
  }
  if (words.size() == 1) {
    const SettingName* setting = namedSetting(words[0]);
    if (!setting) return kExitUsage;
    std::printf("%s\n", showItemText(setting->get(settings)).c_str());
    return kExitOk;
  }
  AnsweringPrompter prompter(answer, false);
  const AppSettings before = settings;
  if (!storeSetting(words[0], words[1], settings, prompter)) return kExitUsage;
  if (!saveChangedSettings(before, settings, iniPath)) {
    printError(iniPath + ": 設定を保存できません");
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace murlo::cli
