// murlo-cli: the Murlo engine for terminals and scripts, on the same list files and
// Murlo.ini as the desktop program.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <iostream>

#include "cli-commands.h"
#include "terminal-output.h"

namespace {

constexpr const char* kUsage =
    "使い方: murlo-cli <コマンド> [引数...]\n"
    "\n"
    "コマンド:\n"
    "  list [--raw] FILE.mrl      リストファイルのアイテムを表示します\n"
    "                             (ファイル名, アドレス, タグ, 拡張子, 情報, 参照ページ をタブ区切りで。\n"
    "                             制御文字は \\x1b の形で表示します。--raw は保存されたバイトのまま)\n"
    "  add URL... --list FILE.mrl アドレスをタグ \"ADD\" でリストファイルに追加します\n"
    "                             (ファイルが無ければ作成します)\n"
    "  add URL --range RANGE --format FORMAT [--digits N] [--step N] --list FILE.mrl\n"
    "                             URL のディレクトリに連番のアイテムを追加します\n"
    "                             (RANGE は 1-20,25 の形式、FORMAT の & が番号になります。\n"
    "                             N 桁: 0 から 10、--step は増分で既定は 1)\n"
    "  scan FILE --page URL [--raw] [--list FILE.mrl]\n"
    "                             保存されたページ FILE を URL のページとして解析し、\n"
    "                             見付かったアイテムを表示します (--list ならリストファイルに追加)\n"
    "  analyze --list FILE.mrl [--rows ROWS]\n"
    "                             選択した行 (既定は HTML 系の行) のページを解析し、\n"
    "                             見付かったアイテムをリストファイルに追加します\n"
    "  recurse URL [--contain TEXT] [--delete-html] [--download] --list FILE.mrl\n"
    "                             URL から再帰的に解析します (--contain の既定は URL のディレクトリ)\n"
    "  download --list FILE.mrl [--rows ROWS]\n"
    "                             アイテムをダウンロードします。Ctrl+C (または SIGTERM, SIGHUP) で\n"
    "                             中断し、もう一度実行すると続きからダウンロードします\n"
    "                             (ROWS は 1,3-5 の形式の行番号)\n"
    "  info URL [--referrer R]    ファイルのサイズ (バイト)、サーバーの日付、更新日を 1 行ずつ\n"
    "                             表示します (ファイルが存在しなければ終了コード 1)\n"
    "  resume FILE URL [--referrer R] --list FILE.mrl\n"
    "                             途中までダウンロードしたファイル FILE の続きを URL から\n"
    "                             ダウンロードする \"RESUME\" アイテムを追加します\n"
    "  help                       この説明を表示します\n"
    "\n"
    "analyze, recurse, download のオプション:\n"
    "  --yes, --no                「はい/いいえ」の確認に答えます\n"
    "  --resume-outside           保存フォルダの外にある途中のファイルの続きを\n"
    "                             ダウンロードする確認に「はい」と答えます\n"
    "                             (--yes では答えません。無ければ端末で尋ね、端末でなければ「いいえ」)\n"
    "\n"
    "設定はカレントディレクトリの Murlo.ini から読みます。\n"
    "終了コード: 0 成功, 1 失敗したアイテムあり, 2 使い方または入力の誤り\n"
    "            (他のコマンドが使用中のリストファイルも含む), 3 中断 (リストは保存済み)\n";

}  // namespace

void murlo::cli::printError(const std::string& message) {
  std::fprintf(stderr, "murlo-cli: %s\n", showMessage(message).c_str());
}

std::optional<std::string> murlo::cli::currentDirectory() {
  std::error_code error;
  const std::string dir = std::filesystem::current_path(error).string();
  if (error) {
    printError("カレントディレクトリが分かりません: " + error.message());
    return std::nullopt;
  }
  return dir;
}

int main(int argc, char** argv) {
  using namespace murlo::cli;
  terminalCodeset();
  if (argc < 2) {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  const std::string command = argv[1];
  const Args args(argv + 2, argv + argc);
  if (command == "help" || command == "--help" || command == "-h") {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (command == "list") return runList(args);
  if (command == "add") return runAdd(args);
  if (command == "scan") return runScan(args);
  if (command == "analyze") return runAnalyze(args);
  if (command == "recurse") return runRecurse(args);
  if (command == "download") return runDownload(args);
  if (command == "info") return runInfo(args);
  if (command == "resume") return runResume(args);
  printError("不明なコマンドです: " + command);
  std::fputs(kUsage, stderr);
  return kExitUsage;
}
