#include "settings/setting-names.h"

#include <algorithm>
#include <bit>
#include <optional>

#include "settings/save-folder.h"

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

// A check box. `shownWhenClear`: the name is "on" while the bit is clear (the box says "do
// not ...", the name says "do ...", or the bit says "do not ...").
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
      },
      {"on", "off"}};
}

struct Token {
  const char* name;
  int bit;
  bool alias = false;  // accepted, never printed
};

// A group of check boxes as a comma-separated list of their names, or "none".
SettingName bitList(const char* name, Page page, const char* label, Word word,
                    const std::vector<Token>& tokens) {
  std::string allowed;
  std::vector<std::string> words;
  int mask = 0;
  for (const Token& t : tokens) {
    mask |= t.bit;
    if (t.alias) continue;
    allowed += std::string(allowed.empty() ? "" : ",") + t.name;
    words.emplace_back(t.name);
  }
  words.emplace_back("none");
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
          },
          words,
          true};
}

// A text field stored as typed (an empty value clears it); a folder is stored absolute.
SettingName text(const char* name, Page page, const char* label, Text field, bool folder = false) {
  return {name,
          page,
          label,
          folder ? "フォルダ" : "文字列",
          [=](const AppSettings& s) { return s.*field; },
          [=](AppSettings& s, std::string_view value) {
            s.*field =
                folder && !value.empty() ? absolutePath(std::string(value)) : std::string(value);
            return true;
          },
          {},
          false,
          folder ? FreeValue::kFolder : FreeValue::kText};
}

// A file named in a text field: stored absolute; an empty value or "off" names none.
SettingName file(const char* name, Page page, const char* label, Text field) {
  return {name,
          page,
          label,
          "ファイル または off",
          [=](const AppSettings& s) { return (s.*field).empty() ? std::string("off") : s.*field; },
          [=](AppSettings& s, std::string_view value) {
            s.*field =
                value.empty() || value == "off" ? std::string() : absolutePath(std::string(value));
            return true;
          },
          {"off"},
          false,
          FreeValue::kFile};
}

// `text` with every `from` character turned into `to`.
std::string replaced(std::string text, char from, char to) {
  std::replace(text.begin(), text.end(), from, to);
  return text;
}

// The custom extensions: the filter separates them with ";", the command line, like its
// other lists, with ","; both are taken, and the filter's form is stored.
SettingName extensionList(const char* name, Page page, const char* label, Text field) {
  return {name,
          page,
          label,
          "拡張子 (カンマ区切り)",
          [=](const AppSettings& s) { return replaced(s.*field, ';', ','); },
          [=](AppSettings& s, std::string_view value) {
            s.*field = replaced(std::string(value), ',', ';');
            return true;
          },
          {},
          false,
          FreeValue::kText};
}

// A radio group: one of `values`, read and stored as the index of the chosen button.
SettingName choice(const char* name, Page page, const char* label,
                   const std::vector<std::string>& values, int (*read)(const AppSettings&),
                   void (*write)(AppSettings&, int)) {
  std::string allowed;
  for (const std::string& v : values) allowed += (allowed.empty() ? "" : "|") + v;
  return {name,
          page,
          label,
          allowed,
          [=](const AppSettings& s) { return values[read(s)]; },
          [=](AppSettings& s, std::string_view value) {
            const auto it = std::find(values.begin(), values.end(), value);
            if (it == values.end()) return false;
            write(s, static_cast<int>(it - values.begin()));
            return true;
          },
          values};
}

constexpr int kSameNameBits[] = {movement::kAskSameName, movement::kOverwrite,
                                 movement::kAutoRename};

// The page's reading of the same-name bits: asking first, then overwriting, else renaming.
int readSameName(const AppSettings& s) {
  if (s.movement & movement::kAskSameName) return 0;
  return (s.movement & movement::kOverwrite) ? 1 : 2;
}

// Exactly one of the three bits, as the page stores them.
void writeSameName(AppSettings& s, int index) {
  s.movement = (s.movement & ~(kSameNameBits[0] | kSameNameBits[1] | kSameNameBits[2])) |
               kSameNameBits[index];
}

// An index outside 0-3 counts as the default, as the transfer takes it.
int readBuffer(const AppSettings& s) {
  return std::countr_zero(static_cast<unsigned>(s.bufferBytes() / 256));
}

void writeBuffer(AppSettings& s, int index) { s.bufferSize = index; }

// The first saved folder: choosing another one moves the earlier ones down the history.
SettingName saveFolder() {
  SettingName entry = text("save-folder", kBehaviour, "保存先ﾌｫﾙﾀﾞ", &AppSettings::path01, true);
  entry.set = [](AppSettings& s, std::string_view value) {
    if (value.empty()) return false;
    pushSaveFolder(s, absolutePath(std::string(value)));
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

// A check box with a value beside it: "off" unticks the box and keeps the value; any other
// value is stored by `store` (false when it is not allowed) and ticks the box. The value is
// shown only while the box is ticked and the value is not empty.
SettingName boxWithValue(const char* name, Page page, const char* label, const char* allowed,
                         Word word, int bit,
                         const std::function<std::string(const AppSettings&)>& shown,
                         const std::function<bool(AppSettings&, std::string_view)>& store) {
  return {name,
          page,
          label,
          std::string(allowed) + " または off",
          [=](const AppSettings& s) {
            const std::string value = shown(s);
            return (s.*word & bit) && !value.empty() ? value : std::string("off");
          },
          [=](AppSettings& s, std::string_view value) {
            if (value == "off") {
              s.*word &= ~bit;
              return true;
            }
            if (!store(s, value)) return false;
            s.*word |= bit;
            return true;
          },
          {"off"},
          false,
          FreeValue::kText};
}

// The time-out in seconds, kept as 10-second units (1-31, as the page accepts them).
SettingName timeout() {
  return boxWithValue(
      "timeout", kConnection, "接続にﾀｲﾑｱｳﾄを設定する>>", "10 から 310 までの 10 の倍数 (秒)",
      &AppSettings::connection, connection::kTimeout,
      [](const AppSettings& s) { return std::to_string(s.connection / 256 * 10); },
      [](AppSettings& s, std::string_view value) {
        const std::optional<int> seconds = parseNumber(value);
        if (!seconds || *seconds % 10 != 0 || *seconds < 10 || *seconds > 310) return false;
        s.connection = (*seconds / 10) * 256 | (s.connection & 0xFF);
        return true;
      });
}

SettingName proxy() {
  return boxWithValue(
      "proxy", kConnection, "ﾌﾟﾛｷｼ ｻｰﾊﾞｰを使用してｲﾝﾀｰﾈｯﾄにｱｸｾｽする", "HOST:PORT",
      &AppSettings::connection, connection::kProxy,
      [](const AppSettings& s) { return s.proxyText(); },
      [](AppSettings& s, std::string_view value) {
        const std::size_t colon = value.rfind(':');
        if (colon == std::string_view::npos || colon == 0) return false;
        const std::optional<int> port = parseNumber(value.substr(colon + 1));
        if (!port || *port < 1 || *port > 65535) return false;
        s.proxyName = std::string(value.substr(0, colon));
        s.proxyPort = std::string(value.substr(colon + 1));
        return true;
      });
}

// A sound row: its box and its wave file; a box without a file counts as unticked, as the
// page stores it.
SettingName sound(const char* name, const char* label, int bit, Text file) {
  SettingName entry = boxWithValue(
      name, kSounds, label, "ファイル", &AppSettings::sound, bit,
      [=](const AppSettings& s) { return s.*file; },
      [=](AppSettings& s, std::string_view value) {
        if (value.empty()) return false;
        s.*file = absolutePath(std::string(value));
        return true;
      });
  entry.free = FreeValue::kFile;
  return entry;
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
      extensionList("custom-extensions", kExtensions, "custom", &AppSettings::extend),

      bitList("links", kAnalysis, "ﾀｸﾞの指定", &AppSettings::tag,
              {{"img", tagbits::kImage},
               {"a", tagbits::kAnchor},
               {"body", tagbits::kBody},
               {"frame", tagbits::kFrame},
               {"strings", tagbits::kAllHttp},
               {"html5", tagbits::kHtml5}}),
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
      choice("same-name", kBehaviour, "同一ﾌｧｲﾙﾈｰﾑの動作", {"ask", "overwrite", "rename"},
             readSameName, writeSameName),
      flag("size-check", kBehaviour, "ｻｲｽﾞ確認を行う", &AppSettings::movement,
           movement::kSizeCheck),
      flag("convert-links", kBehaviour, "ﾘﾝｸをﾛｰｶﾙ用に変換する", &AppSettings::movement,
           movement::kConvertLinks),
      saveFolder(),
      text("save-folder-2", kBehaviour, "保存先ﾌｫﾙﾀﾞ", &AppSettings::path02, true),
      text("save-folder-3", kBehaviour, "保存先ﾌｫﾙﾀﾞ", &AppSettings::path03, true),

      choice("buffer", kConnection, "ﾊﾞｯﾌｧｻｲｽﾞ", {"256", "512", "1024", "2048"}, readBuffer,
             writeBuffer),
      flag("offline", kConnection, "ｵﾌﾗｲﾝで利用する", &AppSettings::connection,
           connection::kOffline, false, connection::kNoCache),
      flag("no-cache", kConnection, "ｷｬｯｼｭに追加しない", &AppSettings::connection,
           connection::kNoCache, false, connection::kOffline),
      timeout(),
      proxy(),
      file("cookies", kConnection, "ｸｯｷｰ ﾌｧｲﾙ (Netscape 形式)", &AppSettings::cookieFile),
      file("cacert", kConnection, "信頼する CA 証明書ﾌｧｲﾙ (PEM 形式)", &AppSettings::caFile),

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
      flag("notify", kSounds, kNotificationLabel, &AppSettings::sound, sound::kNoNotification,
           true),

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
