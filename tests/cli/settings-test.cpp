// murlo-cli settings: named settings read from and saved into the Murlo.ini of the folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>

#include "analysis/extension-filter.h"
#include "cli-runner.h"
#include "sandbox.h"
#include "settings/app-settings.h"
#include "settings/ini-file.h"
#include "settings/setting-names.h"
#include "terminal-output.h"

namespace murlo::test {
namespace {

struct RoundTrip {
  const char* value;    // as typed
  std::string printed;  // as `settings NAME` prints it back
};

// One value per name, none of them the default, so each one shows in the file.
std::map<std::string, RoundTrip> roundTrips(const Sandbox& box) {
  return {
      {"extensions", {"html,txt,custom", "htm,txt,custom"}},
      {"custom-extensions", {"mp3,画像;webp", "mp3,画像,webp"}},
      {"links", {"a,strings,html5", "a,strings,html5"}},
      {"jpeg-only", {"on", "on"}},
      {"confirm", {"off", "off"}},
      {"error-messages", {"off", "off"}},
      {"hierarchy", {"on", "on"}},
      {"analyze-added", {"on", "on"}},
      {"same-name", {"overwrite", "overwrite"}},
      {"size-check", {"on", "on"}},
      {"convert-links", {"on", "on"}},
      {"save-folder", {"dl", box.path("dl")}},
      {"save-folder-2", {"/srv/old", "/srv/old"}},
      {"save-folder-3", {"/srv/older", "/srv/older"}},
      {"buffer", {"256", "256"}},
      {"offline", {"on", "on"}},
      {"no-cache", {"on", "on"}},
      {"timeout", {"300", "300"}},
      {"proxy", {"proxy:8080", "proxy:8080"}},
      {"cookies", {"cookies.txt", box.path("cookies.txt")}},
      {"cacert", {"/etc/murlo/ca.pem", "/etc/murlo/ca.pem"}},
      {"error-log", {"off", "off"}},
      {"output", {"off", "off"}},
      {"clear-output", {"off", "off"}},
      {"output-items", {"failure,cause", "failure,cause"}},
      {"analysis-sound", {"/snd/a.wav", "/snd/a.wav"}},
      {"download-sound", {"/snd/d.wav", "/snd/d.wav"}},
      {"error-sound", {"/snd/e.wav", "/snd/e.wav"}},
      {"notify", {"off", "off"}},
      {"hang-up", {"on", "on"}},
      {"shutdown", {"on", "on"}},
      {"analyze-then-download", {"on", "on"}},
      {"delete-html", {"on", "on"}},
      {"keep-finished", {"on", "on"}},
      {"refuse-redirects", {"on", "on"}},
      {"hide-referrer", {"on", "on"}},
  };
}

TEST(CliSettings, EveryNameRoundTripsThroughMurloIni) {
  Sandbox box;
  ASSERT_TRUE(std::filesystem::create_directory(box.path("dl")));
  const auto cases = roundTrips(box);
  ASSERT_EQ(cases.size(), settingNames().size());
  for (const auto& [name, trip] : cases) {
    const CliResult set = runCli({"settings", name, trip.value}, box.dir());
    ASSERT_EQ(set.exitCode, 0) << name << ": " << set.err;
    // The desktop program's loader sees the change, and so does the next command.
    const AppSettings loaded = LoadSettings(settingsPath(box.dir()), box.dir());
    ASSERT_NE(findSetting(name), nullptr) << name;
    EXPECT_EQ(cli::showItemText(findSetting(name)->get(loaded)), trip.printed) << name;
    EXPECT_EQ(runCli({"settings", name}, box.dir()).out, trip.printed + "\n") << name;
  }
  // The words as the desktop program reads them (offline, set after no-cache, unticked it).
  const AppSettings loaded = LoadSettings(settingsPath(box.dir()), box.dir());
  EXPECT_EQ(loaded.connection, 30 * 256 + 0x0D);
  EXPECT_EQ(loaded.movement, 0x1AF);
  // CP932 in the file and ";" between the entries, as the Windows program writes it and the
  // filter reads it, whichever encoding the item's extension has.
  EXPECT_EQ(IniFile::load(settingsPath(box.dir())).getString("SETTING", "Extend", ""),
            "mp3;\x89\xE6\x91\x9C;webp");
  EXPECT_EQ(loaded.extend, "mp3;画像;webp");
  EXPECT_TRUE(acceptExtension(loaded, "webp", false));
  EXPECT_TRUE(acceptExtension(loaded, "\x89\xE6\x91\x9C", false));
  EXPECT_TRUE(acceptExtension(loaded, "画像", false));
}

TEST(CliSettings, TheListIsGroupedByPageWithLabels) {
  Sandbox box;
  box.write("Murlo.ini", "[SETTING]\r\nMovement=16\r\n");
  const CliResult r = runCli({"settings"}, box.dir());
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.find("[ﾀﾞｳﾝﾛｰﾄﾞするﾌｧｲﾙの拡張子]\nextensions\thtm,jpg,gif,lzh,"
                       "zip\tﾀﾞｳﾝﾛｰﾄﾞするﾌｧｲﾙの拡張子\n"),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("[動作設定]\nconfirm\ton\t確認ﾒｯｾｰｼﾞを表示しない\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\nsame-name\task\t同一ﾌｧｲﾙﾈｰﾑの動作\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n[拡張設定]\n"), std::string::npos);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'),
            static_cast<long>(settingNames().size() + 8));
  EXPECT_FALSE(box.exists("Murlo.ini.tmp"));
}

TEST(CliSettings, BadNamesAndValuesExitTwoAndLeaveTheFileAsItWas) {
  Sandbox box;
  const std::string ini = "[SETTING]\r\nMovement=71\r\n[MainFrame]\r\nx=5\r\n";
  box.write("Murlo.ini", ini);
  box.write("file", "");
  const std::vector<std::vector<std::string>> bad = {{"settings", "Hierarchy", "on"},
                                                     {"settings", "nothing"},
                                                     {"settings", "hierarchy", "yes"},
                                                     {"settings", "a", "b", "c"}};
  for (const auto& args : bad) {
    const CliResult r = runCli(args, box.dir());
    EXPECT_EQ(r.exitCode, 2) << args[1];
    EXPECT_FALSE(r.err.empty()) << args[1];
  }
  const CliResult value = runCli({"settings", "same-name", "keep"}, box.dir());
  EXPECT_EQ(value.err,
            "murlo-cli: same-name に \"keep\" は指定できません (使える値: ask|overwrite|rename)\n");
  const CliResult name = runCli({"settings", "colour"}, box.dir());
  EXPECT_EQ(name.err.find(
                "murlo-cli: 不明な設定です: colour\n使える名前: extensions, custom-extensions,"),
            0u)
      << name.err;
  EXPECT_EQ(runCli({"settings", "save-folder", "file"}, box.dir()).err,
            "murlo-cli: ﾃﾞｨﾚｸﾄﾘ以外は指定できません\n");
  EXPECT_EQ(readFile(box.path("Murlo.ini")), ini);
}

TEST(CliSettings, AMissingSaveFolderIsCreatedOnYesAndOtherSectionsAreKept) {
  Sandbox box;
  box.write("Murlo.ini", "[MainFrame]\r\nx=5\r\n");
  const CliResult asked = runCli({"settings", "save-folder", "new"}, box.dir());
  EXPECT_EQ(asked.exitCode, 2);
  // The question names the folder as it would be created: the full path.
  EXPECT_EQ(asked.err, "murlo-cli: ﾃﾞｨﾚｸﾄﾘ \"" + box.path("new") +
                           "\"は存在しません\n作成しますか？ (いいえ)\n");
  EXPECT_FALSE(box.exists("new"));

  const CliResult yes = runCli({"settings", "save-folder", "new", "--yes"}, box.dir());
  EXPECT_EQ(yes.exitCode, 0) << yes.err;
  EXPECT_TRUE(std::filesystem::is_directory(box.path("new")));
  EXPECT_EQ(LoadSettings(settingsPath(box.dir()), box.dir()).path01, box.path("new"));
  EXPECT_NE(readFile(box.path("Murlo.ini")).find("[MainFrame]\r\nx=5\r\n"), std::string::npos);
}

TEST(CliSettings, AMurloIniThatIsNoRegularFileGivesTheDefaultsAndIsNeverReplaced) {
  Sandbox box;
  const std::string ini = box.path("Murlo.ini");
  const std::vector<std::function<void()>> makers = {
      [&] { std::filesystem::create_directory(ini); },
      [&] { ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0); },
      [&] { std::filesystem::create_symlink("/dev/zero", ini); }};
  for (const auto& make : makers) {
    make();
    const auto kind = std::filesystem::symlink_status(ini).type();
    const CliResult read = runCli({"settings", "timeout"}, box.dir());
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "120\n");
    EXPECT_EQ(read.err,
              "murlo-cli: " + ini +
                  " は通常のﾌｧｲﾙではありません。既定の設定を使い、このﾌｧｲﾙには保存しません\n");
    const CliResult write = runCli({"settings", "timeout", "20"}, box.dir());
    EXPECT_EQ(write.exitCode, 1);
    EXPECT_NE(write.err.find("設定を保存できません"), std::string::npos) << write.err;
    EXPECT_EQ(std::filesystem::symlink_status(ini).type(), kind);
    std::filesystem::remove(ini);
  }
}

TEST(CliSettings, SymbolicLinksStayLinksAndTheFilesTheyNameAreWritten) {
  Sandbox box;
  ASSERT_TRUE(std::filesystem::create_directory(box.path("real")));
  box.write("real/settings.ini", "[MainFrame]\r\nx=5\r\n");
  std::filesystem::create_symlink("real/settings.ini", box.path("Murlo.ini"));
  ASSERT_EQ(runCli({"add", "http://h.jp/a.gif", "--list", "real/items.mrl"}, box.dir()).exitCode,
            0);
  std::filesystem::create_symlink(box.path("real/items.mrl"), box.path("l.mrl"));

  const CliResult set = runCli({"settings", "timeout", "20"}, box.dir());
  EXPECT_EQ(set.exitCode, 0) << set.err;
  const CliResult add = runCli({"add", "http://h.jp/b.gif", "--list", "l.mrl"}, box.dir());
  EXPECT_EQ(add.exitCode, 0) << add.err;

  EXPECT_TRUE(std::filesystem::is_symlink(box.path("Murlo.ini")));
  EXPECT_TRUE(std::filesystem::is_symlink(box.path("l.mrl")));
  EXPECT_EQ(LoadSettings(box.path("real/settings.ini"), box.dir()).connection, 2 * 256 + 4);
  EXPECT_NE(readFile(box.path("real/settings.ini")).find("[MainFrame]\r\nx=5\r\n"),
            std::string::npos);
  EXPECT_NE(runCli({"list", "real/items.mrl"}, box.dir()).out.find("b.gif"), std::string::npos);
  // Neither a temporary file nor a lock file stays behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(box.path("real")),
                          std::filesystem::directory_iterator()),
            2);
}

}  // namespace
}  // namespace murlo::test
