#include "man-page.h"

#include <string_view>

#include "cli-help.h"
#include "settings/setting-names.h"

namespace murlo::cli {

namespace {

// One line of text as troff prints it: backslashes and minus signs escaped (so options
// can be copied from the page), and a leading dot or quote kept from being a request.
std::string escaped(std::string_view line) {
  std::string out = line.starts_with('.') || line.starts_with('\'') ? "\\&" : "";
  for (const char c : line) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  return out;
}

// Text shown line for line as the help prints it, one indent step in: its columns line up
// and no line is refilled, which troff could not break between Japanese characters.
std::string verbatim(std::string_view text) {
  std::string out = ".RS 2\n.nf\n";
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    // The help's own two-column indent is the block's.
    if (line.starts_with("  ")) line.remove_prefix(2);
    out += escaped(line) + "\n";
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return out + ".fi\n.RE\n";
}

std::string settingsSection() {
  std::string out =
      ".SH SETTINGS\n"
      ".nf\n"
      "\\fBsettings\\fR \\fINAME\\fR [\\fIVALUE\\fR] が扱う Murlo.ini の設定です。\n"
      "設定ページごとに、名前、受け付ける値、ページの項目名を示します。\n"
      ".fi\n";
  int page = -1;
  for (const SettingName& setting : settingNames()) {
    if (setting.page != page) {
      page = setting.page;
      out += ".SS \"" + escaped(kSettingPages[page]) + "\"\n";
    }
    out += ".TP\n.B " + escaped(setting.name) + "\n.nf\n値: " + escaped(setting.allowed) +
           "\n項目: " + escaped(setting.label) + "\n.fi\n";
  }
  return out;
}

}  // namespace

std::string manPage(const std::string& version) {
  std::string out = ".TH MURLO\\-CLI 1 \"\" \"Murlo " + version +
                    "\" \"User Commands\"\n"
                    ".SH NAME\n"
                    "murlo\\-cli \\- サイトとファイルのダウンローダ (端末用)\n"
                    ".SH SYNOPSIS\n"
                    ".B murlo\\-cli\n"
                    ".I command\n"
                    ".RI [ argument ...]\n"
                    ".SH DESCRIPTION\n"
                    ".nf\n"
                    "デスクトップ用の \\fBmurlo\\fR(1) と同じリストファイル (.mrl) と\n"
                    "Murlo.ini を、端末やスクリプトから扱います。アイテムの一覧と追加、\n"
                    "ページの解析、再帰的な解析、ダウンロードとその中断・再開ができます。\n"
                    ".fi\n"
                    ".SH COMMANDS\n";
  for (const CommandHelp& command : helpCommands()) {
    out += ".SS " + escaped(command.name) + "\n" + verbatim(command.text);
    if (command.jobOptions) out += "ジョブのオプション (OPTIONS) を受け付けます。\n";
  }
  out += ".SH OPTIONS\n" + verbatim(jobOptionsHelp()) + settingsSection() + ".SH EXAMPLE\n" +
         verbatim(exampleHelp()) + ".SH \"EXIT STATUS\"\n" + verbatim(footerHelp()) +
         ".SH FILES\n"
         ".TP\n.B Murlo.ini\n"
         ".nf\nカレントディレクトリの設定ファイル。\nmurlo と共通です。\n.fi\n"
         ".SH \"SEE ALSO\"\n.BR murlo (1)\n";
  return out;
}

}  // namespace murlo::cli
