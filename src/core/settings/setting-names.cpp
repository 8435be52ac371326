#include "settings/setting-names.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "net/disk-name.h"

namespace murlo {

namespace {

using Word = int AppSettings::*;
using Text = std::string AppSettings::*;

enum Page { kExtensions, kAnalysis, kBehaviour, kConnection, kOutput, kSounds, kLine, kExtended };

std::optional<bool> parseOnOff(std::string_view value) {
  if (value == "on") return true;
  if (value == "off") return false;
  return std::nullopt;
}

// A check box. `shownWhenClear`: the box says "do not ...", the name says "do ...".
// `clears`: the bit that ticking this box unticks.
SettingName flag(const char* name, Page page, const char* label, Word word, int bit,
                 bool shownWhenClear = false, int clears = 0) {
  return {
      name,
      page,
      label,
      "on|off",
      [=](const AppSettings& s) { return ((s.*word & bit) != 0) != shownWhenClear ? "on" : "off"; },
      [=](AppSettings& s, std::string_view value) {
        const std::optional<bool> on = parseOnOff(value);
        if (!on) return false;
        if (*on != shownWhenClear) {
          s.*word = (s.*word | bit) & ~clears;
        } else {
          s.*word &= ~bit;
        }
        return true;
      }};
}

struct Token {
  const char* name;
  int bit;
  bool alias = false;  // accepted, never printed
};

// A group of check boxes as a comma-separated list of their names, or "none".
SettingName bitList(const char* name, Page page, const char* label, Word word,
                    std::vector<Token> tokens) {
  std::string allowed;
  int mask = 0;
  for (const Token& t : tokens) {
    mask |= t.bit;
    if (!t.alias) allowed += std::string(allowed.empty() ? "" : ",") + t.name;
  }
  return {name,
          page,
          label,
          allowed + " (カンマ区切り) または none",
          [=](const AppSettings& s) {
            std::string out;
            for (const Token& t : tokens) {
              if (!t.alias && (s.*word & t.bit))
                out += std::string(out.empty() ? "" : ",") + t.name;
            }
            return out.empty() ? std::string("none") : out;
          },
          [=](AppSettings& s, std::string_view value) {
            int bits = 0;
            if (value != "none") {
              std::size_t pos = 0;
              while (pos <= value.size()) {
                const std::size_t comma = std::min(value.find(',', pos), value.size());
                const std::string_view part = value.substr(pos, comma - pos);
                const auto it = std::find_if(tokens.begin(), tokens.end(),
                                             [&](const Token& t) { return part == t.name; });
                if (it == tokens.end()) return false;
                bits |= it->bit;
                pos = comma + 1;
              }
            }
            s.*word = (s.*word & ~mask) | bits;
            return true;
          }};
}

// A text typed on a UTF-8 terminal as Murlo.ini holds it: CP932 where that is lossless.
std::string storedText(std::string_view typed) { return itemTextOfPath(typed); }

std::string storedPath(std::string_view typed) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(std::string(typed), error);
  return storedText(error ? std::string(typed) : absolute.lexically_normal().string());
}

// A text field stored as typed (an empty value clears it).
SettingName text(const char* name, Page page, const char* label, Text field) {
  return {name,
          page,
          label,
          "文字列",
          [=](const AppSettings& s) { return s.*field; },
          [=](AppSettings& s, std::string_view value) {
            s.*field = storedText(value);
            return true;
          }};
}

// A save folder of the history (an empty value clears it).
SettingName folder(const char* name, const char* label, Text field) {
  return {name,
          kBehaviour,
          label,
          "フォルダ",
          [=](const AppSettings& s) { return s.*field; },
          [=](AppSettings& s, std::string_view value) {
            s.*field = value.empty() ? std::string() : storedPath(value);
            return true;
          }};
}

// A sound row: its box and its wave file, ticked only with a file, as the page stores it.
SettingName sound(const char* name, const char* label, int bit, Text file) {
  return {
      name,
      kSounds,
      label,
      "ファイル または off",
      [=](const AppSettings& s) { return (s.sound & bit) && !(s.*file).empty() ? s.*file : "off"; },
      [=](AppSettings& s, std::string_view value) {
        if (value.empty()) return false;
        if (value == "off") {
          s.sound &= ~bit;
        } else {
          s.*file = storedPath(value);
          s.sound |= bit;
        }
        return true;
      }};
}

constexpr const char* kSameNames[] = {"ask", "overwrite", "rename"};
constexpr int kSameNameBits[] = {movement::kAskSameName, movement::kOverwrite,
                                 movement::kAutoRename};

SettingName sameName() {
  return {"same-name",
          kBehaviour,
          "同一ﾌｧｲﾙﾈｰﾑの動作",
          "ask|overwrite|rename",
          [](const AppSettings& s) {
            // The page's reading: bit 4 first, then bit 5, else renaming.
            const int index = (s.movement & movement::kAskSameName) ? 0
                              : (s.movement & movement::kOverwrite) ? 1
                                                                    : 2;
            return std::string(kSameNames[index]);
          },
          [](AppSettings& s, std::string_view value) {
            for (int i = 0; i < 3; ++i) {
              if (value != kSameNames[i]) continue;
              s.movement =
                  (s.movement & ~(kSameNameBits[0] | kSameNameBits[1] | kSameNameBits[2])) |
                  kSameNameBits[i];
              return true;
            }
            return false;
          }};
}

// The first saved folder: choosing another one moves the earlier ones down the history.
SettingName saveFolder() {
  SettingName entry = folder("save-folder", "保存先ﾌｫﾙﾀﾞ", &AppSettings::path01);
  entry.set = [](AppSettings& s, std::string_view value) {
    if (value.empty()) return false;
    const std::string chosen = storedPath(value);
    if (chosen == s.path01) return true;
    if (chosen != s.path02) s.path03 = s.path02;
    s.path02 = s.path01;
    s.path01 = chosen;
    return true;
  };
  return entry;
}

std::optional<int> parseNumber(std::string_view value) {
  if (value.empty() || value.size() > 6 ||
      value.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  return std::stoi(std::string(value));
}

SettingName buffer() {
  return {"buffer",
          kConnection,
          "ﾊﾞｯﾌｧｻｲｽﾞ",
          "256|512|1024|2048",
          [](const AppSettings& s) { return std::to_string(s.bufferBytes()); },
          [](AppSettings& s, std::string_view value) {
            for (int index = 0; index < 4; ++index) {
              if (value != std::to_string(256 << index)) continue;
              s.bufferSize = index;
              return true;
            }
            return false;
          }};
}

// The time-out box and its number of 10-second units (1-31, as the page accepts them).
SettingName timeout() {
  return {"timeout",
          kConnection,
          "接続にﾀｲﾑｱｳﾄを設定する>>",
          "10 から 310 までの 10 の倍数 (秒) または off",
          [](const AppSettings& s) {
            return (s.connection & connection::kTimeout) ? std::to_string(s.connection / 256 * 10)
                                                         : std::string("off");
          },
          [](AppSettings& s, std::string_view value) {
            if (value == "off") {
              s.connection &= ~connection::kTimeout;
              return true;
            }
            const std::optional<int> seconds = parseNumber(value);
            if (!seconds || *seconds % 10 != 0 || *seconds < 10 || *seconds > 310) return false;
            s.connection = (*seconds / 10) * 256 | (s.connection & 0xFF) | connection::kTimeout;
            return true;
          }};
}

// The proxy box with its address and port; "off" unticks the box and keeps them.
SettingName proxy() {
  return {"proxy",
          kConnection,
          "ﾌﾟﾛｷｼ ｻｰﾊﾞｰを使用してｲﾝﾀｰﾈｯﾄにｱｸｾｽする",
          "HOST:PORT または off",
          [](const AppSettings& s) {
            return (s.connection & connection::kProxy) ? s.proxyText() : std::string("off");
          },
          [](AppSettings& s, std::string_view value) {
            if (value == "off") {
              s.connection &= ~connection::kProxy;
              return true;
            }
            const std::size_t colon = value.rfind(':');
            if (colon == std::string_view::npos || colon == 0) return false;
            const std::optional<int> port = parseNumber(value.substr(colon + 1));
            if (!port || *port < 1 || *port > 65535) return false;
            s.proxyName = storedText(value.substr(0, colon));
            s.proxyPort = std::string(value.substr(colon + 1));
            s.connection |= connection::kProxy;
            return true;
          }};
}

std::vector<SettingName> buildNames() {
  using namespace downex;
  return {
      bitList("extensions", kExtensions, "ﾀﾞｳﾝﾛｰﾄﾞするﾌｧｲﾙの拡張子", &AppSettings::downEx,
              {{"htm", kHtml},
               {"html", kHtml, true},
               {"shtml", kHtml, true},
               {"cgi", kCgi},
               {"txt", kTxt},
               {"jpg", kJpg},
               {"gif", kGif},
               {"lzh", kLzh},
               {"zip", kZip},
               {"rar", kRar},
               {"rm", kRm},
               {"ram", kRm, true},
               {"mpeg", kMpeg},
               {"avi", kAvi},
               {"viv", kViv},
               {"exe", kExe},
               {"custom", kCustom}}),
      text("custom-extensions", kExtensions, "custom", &AppSettings::extend),

      bitList("links", kAnalysis, "ﾀｸﾞの指定", &AppSettings::tag,
              {{"img", tagbits::kImage},
               {"a", tagbits::kAnchor},
               {"body", tagbits::kBody},
               {"frame", tagbits::kFrame},
               {"strings", tagbits::kAllHttp}}),
      flag("jpeg-only", kAnalysis, "ﾍｯﾀﾞｰ領域のﾁｪｯｸを行う (JFIF 準拠)", &AppSettings::tag,
           tagbits::kJpegOnly),

      flag("confirm", kBehaviour, "確認ﾒｯｾｰｼﾞを表示しない", &AppSettings::movement,
           movement::kNoConfirm, true),
      flag("error-messages", kBehaviour, "ｴﾗｰﾒｯｾｰｼﾞを表示しない", &AppSettings::movement,
           movement::kNoErrorMessages, true),
      flag("hierarchy", kBehaviour, "ﾘｽﾄ保存時にﾃﾞｨﾚｸﾄﾘ階層も再現する", &AppSettings::movement,
           movement::kHierarchy),
      flag("analyze-added", kBehaviour, "ｱｲﾃﾑ追加ﾊﾞｰから追加したｱｲﾃﾑを解析する",
           &AppSettings::movement, movement::kAnalyzeOnAdd),
      sameName(),
      flag("size-check", kBehaviour, "ｻｲｽﾞ確認を行う", &AppSettings::movement,
           movement::kSizeCheck),
      saveFolder(),
      folder("save-folder-2", "保存先ﾌｫﾙﾀﾞ", &AppSettings::path02),
      folder("save-folder-3", "保存先ﾌｫﾙﾀﾞ", &AppSettings::path03),

      buffer(),
      flag("offline", kConnection, "ｵﾌﾗｲﾝで利用する", &AppSettings::connection,
           connection::kOffline, false, connection::kNoCache),
      flag("no-cache", kConnection, "ｷｬｯｼｭに追加しない", &AppSettings::connection,
           connection::kNoCache, false, connection::kOffline),
      timeout(),
      proxy(),

      flag("error-log", kOutput, "ﾀﾞｳﾝﾛｰﾄﾞのｴﾗｰﾛｸﾞを生成する", &AppSettings::output,
           output::kErrorLog),
      flag("output", kOutput, "ｱｳﾄﾌﾟｯﾄを生成する", &AppSettings::output, output::kWindow),
      flag("clear-output", kOutput, "操作毎にｱｳﾄﾌﾟｯﾄをｸﾘｱする", &AppSettings::output,
           output::kClearEach),
      bitList("output-items", kOutput, "出力対象", &AppSettings::output,
              {{"success", output::kSuccess},
               {"failure", output::kFailure},
               {"cause", output::kCause},
               {"messages", output::kProcessing}}),

      sound("analysis-sound", "解析が完了したら、ｻｳﾝﾄﾞを鳴らす", sound::kAnalysis,
            &AppSettings::file01),
      sound("download-sound", "ﾀﾞｳﾝﾛｰﾄﾞが完了したら、ｻｳﾝﾄﾞを鳴らす", sound::kDownload,
            &AppSettings::file02),
      sound("error-sound", "ｴﾗｰが発生したら、ｻｳﾝﾄﾞを鳴らす", sound::kError, &AppSettings::file03),

      flag("hang-up", kLine, "ﾀﾞｳﾝﾛｰﾄﾞ終了後、回線を切断する", &AppSettings::dial, dial::kHangUp),
      flag("shutdown", kLine, "ﾀﾞｳﾝﾛｰﾄﾞ終了後、Windowsを終了させる", &AppSettings::dial,
           dial::kShutdown),

      flag("analyze-then-download", kExtended, "解析とﾀﾞｳﾝﾛｰﾄﾞをｾｯﾄにする  >>", &AppSettings::exSet,
           exset::kAnalyzeThenDownload),
      flag("delete-html", kExtended, "Html 系ｱｲﾃﾑを削除", &AppSettings::exSet, exset::kDeleteHtml),
      flag("keep-finished", kExtended, "ﾀﾞｳﾝﾛｰﾄﾞが終了したｱｲﾃﾑを削除しない", &AppSettings::exSet,
           exset::kKeepFinished),
      flag("refuse-redirects", kExtended, "ﾘﾀﾞｲﾚｸﾄを全て拒否する", &AppSettings::exSet,
           exset::kRefuseRedirects),
      flag("hide-referrer", kExtended, "参照ﾍﾟｰｼﾞを公開しない", &AppSettings::exSet,
           exset::kNoReferrer),
  };
}

}  // namespace

const std::vector<SettingName>& settingNames() {
  static const std::vector<SettingName> names = buildNames();
  return names;
}

const SettingName* findSetting(std::string_view name) {
  for (const SettingName& s : settingNames()) {
    if (s.name == name) return &s;
  }
  return nullptr;
}

}  // namespace murlo
