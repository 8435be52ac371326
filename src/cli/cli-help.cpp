#include "cli-help.h"

namespace murlo::cli {

namespace {

constexpr CommandHelp kCommands[] = {
    {"list",
     "  list [--raw] FILE.mrl      リストファイルのアイテムを表示します\n"
     "                             (ファイル名, アドレス, タグ, 拡張子, 情報, 参照ページ をタブ区切りで。\n"
     "                             制御文字は \\x1b の形で表示します。--raw は保存されたバイトのまま)\n",
     false},
    {"add",
     "  add URL... --list FILE.mrl アドレスをタグ \"ADD\" でリストファイルに追加します\n"
     "                             (ファイルが無ければ作成します)\n"
     "  add URL --range RANGE --format FORMAT [--digits N] [--step N] --list FILE.mrl\n"
     "                             URL のディレクトリに連番のアイテムを追加します\n"
     "                             (RANGE は 1-20,25 の形式、FORMAT の & が番号になります。\n"
     "                             N 桁: 0 から 10、--step は増分で既定は 1)\n",
     false},
    {"scan",
     "  scan FILE --page URL [--raw] [--list FILE.mrl]\n"
     "                             保存されたページ FILE を URL のページとして解析し、\n"
     "                             見付かったアイテムを表示します (--list ならリストファイルに追加)\n",
     false},
    {"analyze",
     "  analyze --list FILE.mrl [--rows ROWS]\n"
     "                             選択した行 (既定は HTML 系の行) のページを解析し、\n"
     "                             見付かったアイテムをリストファイルに追加します\n",
     true},
    {"recurse",
     "  recurse URL [--contain TEXT] [--delete-html] [--download] --list FILE.mrl\n"
     "                             URL から再帰的に解析します (--contain の既定は URL のディレクトリ)\n",
     true},
    {"download",
     "  download --list FILE.mrl [--rows ROWS]\n"
     "                             アイテムをダウンロードします。Ctrl+C (または SIGTERM, SIGHUP) で\n"
     "                             中断し、もう一度実行すると続きからダウンロードします\n"
     "                             (ROWS は 1,3-5 の形式の行番号)\n",
     true},
    {"get",
     "  get URL... [--save-folder DIR] [--hierarchy]\n"
     "                             アドレスを今の設定でダウンロードします (リストファイルは不要)。\n"
     "                             失敗や中断で残ったアイテムは一時フォルダのリストファイルに保存し、\n"
     "                             その名前を表示します (download --list で続きをダウンロード)\n",
     true},
    {"info",
     "  info URL [--referrer R]    ファイルのサイズ (バイト)、サーバーの日付、更新日を 1 行ずつ\n"
     "                             表示します (ファイルが存在しなければ終了コード 1)\n",
     false},
    {"resume",
     "  resume FILE URL [--referrer R] --list FILE.mrl\n"
     "                             途中までダウンロードしたファイル FILE の続きを URL から\n"
     "                             ダウンロードする \"RESUME\" アイテムを追加します\n",
     false},
    {"settings",
     "  settings [NAME [VALUE]] [--yes|--no]\n"
     "                             Murlo.ini の設定を名前で表示します。名前だけなら値を、\n"
     "                             値も付ければ変更して保存します (引数なしなら全て、\n"
     "                             設定ページごとに「名前 値 ラベル」をタブ区切りで)\n"
     "                             値: on|off のほか、extensions htm,jpg,zip、links img,a、\n"
     "                             same-name ask|overwrite|rename、timeout 秒|off、\n"
     "                             proxy HOST:PORT|off、buffer 256|512|1024|2048、\n"
     "                             cookies ファイル|off、cacert ファイル|off など。\n"
     "                             confirm と error-messages は表示するとき on です。\n"
     "                             無いフォルダを save-folder にすると作成を確認します\n",
     false},
    {"help",
     "  help [COMMAND]             この説明 (COMMAND ならそのコマンドとオプション) を表示します\n"
     "  --version                  版を表示します\n",
     false},
};

constexpr const char* kJobOptions =
    "analyze, recurse, download, get のオプション:\n"
    "  --yes, --no                「はい/いいえ」の確認に答えます\n"
    "  --resume-outside           保存フォルダの外にある途中のファイルの続きを\n"
    "                             ダウンロードする確認に「はい」と答えます\n"
    "                             (--yes では答えません。無ければ端末で尋ね、端末でなければ「いいえ」)\n"
    "  --save-cookies FILE        終わったときのクッキー (サーバーが設定したものも) を FILE に\n"
    "                             書き出します (無ければクッキーファイルには書き戻しません)\n"
    "  今回だけ Murlo.ini の設定に代えるもの (Murlo.ini は変わりません):\n"
    "  --save-folder DIR          保存先フォルダ (無ければ作成を確認します。--yes なら確認せずに\n"
    "                             作成し、端末でなければ作成せずに終了コード 2)\n"
    "  --hierarchy, --no-hierarchy\n"
    "                             ディレクトリ階層を再現する / しない\n"
    "  --convert-links            階層を再現したダウンロードの後、保存したページのリンクを\n"
    "                             ディスク上で辿れるように変換する\n"
    "  --same-name ask|overwrite|rename\n"
    "                             同じ名前のファイルがあるとき尋ねる / 上書きする / 自動で名前を変える\n"
    "  --links LIST               解析で集めるリンク: img,a,body,frame,strings から\n"
    "  --extensions LIST          ダウンロードする拡張子: htm,cgi,txt,jpg,gif,lzh,zip,rar,\n"
    "                             rm,mpeg,avi,viv,exe,custom から\n"
    "  --jpeg-only                jpg だけをダウンロードし、JFIF ヘッダーを確かめます\n"
    "  --cookies FILE             リクエストに付けるクッキーのファイル (Netscape の cookies.txt 形式)\n"
    "  --cacert FILE              信頼する CA 証明書のファイル (PEM 形式。システムの証明書に加えて)\n";

constexpr const char* kExample =
    "例: サイトを階層ごと mirror フォルダに保存する\n"
    "  murlo-cli recurse http://example.com/site/ --download --save-folder mirror --hierarchy "
    "--same-name rename --yes --list site.mrl\n";

constexpr const char* kFooter =
    "設定はカレントディレクトリの Murlo.ini から読みます。\n"
    "終了コード: 0 成功, 1 失敗したアイテムあり, 2 使い方または入力の誤り\n"
    "            (他のコマンドが使用中のリストファイルも含む), 3 中断 (リストは保存済み)\n";

}  // namespace

std::span<const CommandHelp> helpCommands() { return kCommands; }
const char* jobOptionsHelp() { return kJobOptions; }
const char* exampleHelp() { return kExample; }
const char* footerHelp() { return kFooter; }

void printUsage(std::FILE* out) {
  std::fputs("使い方: murlo-cli <コマンド> [引数...]\n\nコマンド:\n", out);
  for (const CommandHelp& command : kCommands) std::fputs(command.text, out);
  std::fprintf(out, "\n%s\n%s\n%s", kJobOptions, kExample, kFooter);
}

bool printCommandHelp(const std::string& name) {
  for (const CommandHelp& command : kCommands) {
    if (name != command.name) continue;
    std::fputs(command.text, stdout);
    if (command.jobOptions) std::printf("\n%s", kJobOptions);
    if (name == "recurse") std::printf("\n%s", kExample);
    return true;
  }
  return false;
}

}  // namespace murlo::cli
