// The settings of Murlo.ini by name: one stable lower-case name per check box, choice or
// text of the settings pages, so that a terminal user (and a test) never handles a bit
// word. Every bit of AppSettings is named here once.
//
//   const SettingName* s = findSetting("same-name");
//   if (s && s->set(settings, "rename")) SaveSettings(settings, path);
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/app-settings.h"

namespace murlo {

// The sounds page's box for the desktop notification at a job's end (UTF-8).
inline constexpr const char* kNotificationLabel =
    "ｳｨﾝﾄﾞｳが背面にあるとき、解析やﾀﾞｳﾝﾛｰﾄﾞの終了をﾃﾞｽｸﾄｯﾌﾟに通知する";

// The captions of the eight settings pages, in the sheet's order (UTF-8).
inline constexpr const char* kSettingPages[] = {
    "ﾀﾞｳﾝﾛｰﾄﾞするﾌｧｲﾙの拡張子", "解析の設定",  "動作設定",   "接続の設定",
    "ｱｳﾄﾌﾟｯﾄとﾛｸﾞﾌｧｲﾙ",         "ｻｳﾝﾄﾞの設定", "回線の設定", "拡張設定",
};

// A value beside the fixed words of a setting: none, any text, a folder or a file.
enum class FreeValue { kNone, kText, kFolder, kFile };

struct SettingName {
  std::string name;
  int page = 0;         // index into kSettingPages
  std::string label;    // the page's text for the control (UTF-8)
  std::string allowed;  // the values set() accepts, for a message
  // The value as text (UTF-8): "on"/"off", a choice, a list, a number or a text.
  std::function<std::string(const AppSettings&)> get;
  // Stores a value typed on the command line (UTF-8); false, changing nothing, when the
  // value is not one of `allowed`.
  std::function<bool(AppSettings&, std::string_view)> set;
  // What a value is made of, for the shell's completion: one of `words` (with `wordList`,
  // a comma-separated list of them), or a `free` value.
  std::vector<std::string> words;
  bool wordList = false;
  FreeValue free = FreeValue::kNone;
};

// Every name, grouped by page in the pages' order.
const std::vector<SettingName>& settingNames();

// The setting of that name, or nullptr.
const SettingName* findSetting(std::string_view name);

}  // namespace murlo
