#include "settings/setting-names.h"

#include <gtest/gtest.h>

#include <set>

namespace murlo {
namespace {

// Sets NAME to VALUE and expects it to be taken.
void set(AppSettings& s, const char* name, const char* value) {
  const SettingName* setting = findSetting(name);
  ASSERT_NE(setting, nullptr) << name;
  EXPECT_TRUE(setting->set(s, value)) << name << " " << value;
}

std::string get(const AppSettings& s, const char* name) { return findSetting(name)->get(s); }

TEST(SettingNames, NamesAreUniqueLowerCaseAndGroupedInPageOrder) {
  std::set<std::string> seen;
  int page = 0;
  for (const SettingName& s : settingNames()) {
    EXPECT_TRUE(seen.insert(s.name).second) << s.name;
    EXPECT_EQ(s.name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"), std::string::npos)
        << s.name;
    EXPECT_GE(s.page, page) << s.name;
    EXPECT_LT(s.page, 8) << s.name;
    EXPECT_FALSE(s.label.empty()) << s.name;
    page = s.page;
  }
  EXPECT_EQ(findSetting("Hierarchy"), nullptr);
}

// Starting from empty words, the names alone reach every bit the pages store.
TEST(SettingNames, EveryBitOfEveryWordHasAName) {
  AppSettings s;
  s.downEx = s.tag = s.movement = s.connection = s.output = s.sound = s.dial = s.exSet = 0;
  set(s, "extensions", "htm,cgi,txt,jpg,gif,lzh,zip,rar,rm,mpeg,avi,viv,exe,custom");
  set(s, "links", "img,a,body,frame,strings,html5");
  set(s, "jpeg-only", "on");
  for (const char* name :
       {"hierarchy", "analyze-added", "size-check", "convert-links", "no-cache", "error-log",
        "output", "clear-output", "hang-up", "shutdown", "analyze-then-download", "delete-html",
        "keep-finished", "refuse-redirects", "hide-referrer"}) {
    set(s, name, "on");
  }
  set(s, "same-name", "rename");
  set(s, "confirm", "off");
  set(s, "error-messages", "off");
  set(s, "output-items", "success,failure,cause,messages");
  set(s, "timeout", "10");
  set(s, "proxy", "p:1");
  for (const char* name : {"analysis-sound", "download-sound", "error-sound"})
    set(s, name, "/w.wav");
  EXPECT_EQ(s.downEx, 0x3FFF);
  EXPECT_EQ(s.tag, 0x7F);
  EXPECT_EQ(s.movement, 0x1CF);
  EXPECT_EQ(s.connection, 0x100 | 0x0E);
  EXPECT_EQ(s.output, 0x7F);
  EXPECT_EQ(s.sound, 7);
  EXPECT_EQ(s.dial, 3);
  EXPECT_EQ(s.exSet, 0x1F);

  set(s, "offline", "on");  // offline and no-cache exclude each other, as on the page
  EXPECT_EQ(s.connection & 3, connection::kOffline);
  set(s, "no-cache", "on");
  EXPECT_EQ(s.connection & 3, connection::kNoCache);
}

TEST(SettingNames, ChoicesReadAsThePageReadsThemAndStoreExactlyOneBit) {
  AppSettings s;
  s.movement = movement::kAskSameName | movement::kOverwrite | movement::kHierarchy;
  EXPECT_EQ(get(s, "same-name"), "ask");
  s.movement = movement::kOverwrite | movement::kAutoRename;
  EXPECT_EQ(get(s, "same-name"), "overwrite");
  s.movement = movement::kHierarchy;
  EXPECT_EQ(get(s, "same-name"), "rename");
  set(s, "same-name", "ask");
  EXPECT_EQ(s.movement, movement::kHierarchy | movement::kAskSameName);

  s.bufferSize = 9;  // out of range counts as the default, as the transfer does
  EXPECT_EQ(get(s, "buffer"), "1024");
  set(s, "buffer", "2048");
  EXPECT_EQ(s.bufferSize, 3);
  EXPECT_EQ(get(s, "buffer"), "2048");
}

TEST(SettingNames, TimeoutProxyAndSoundsKeepTheirTextWhenSwitchedOff) {
  AppSettings s;
  set(s, "timeout", "310");
  EXPECT_EQ(s.connection, 31 * 256 + connection::kTimeout);
  set(s, "timeout", "off");
  EXPECT_EQ(s.connection, 31 * 256);
  EXPECT_EQ(get(s, "timeout"), "off");

  set(s, "proxy", "proxy.lan:8080");
  EXPECT_EQ(get(s, "proxy"), "proxy.lan:8080");
  set(s, "proxy", "off");
  EXPECT_EQ(s.proxyText(), "proxy.lan:8080");
  EXPECT_EQ(get(s, "proxy"), "off");

  set(s, "download-sound", "/snd/done.wav");
  set(s, "download-sound", "off");
  EXPECT_EQ(s.file02, "/snd/done.wav");
  EXPECT_EQ(s.sound, 0);
  s.sound = sound::kError;  // a ticked row without a file is stored unticked by the page
  EXPECT_EQ(get(s, "error-sound"), "off");
}

TEST(SettingNames, BadValuesAreRefusedWithoutAChange) {
  const std::pair<const char*, const char*> bad[] = {
      {"hierarchy", "yes"},    {"hierarchy", ""},      {"same-name", "Rename"},
      {"extensions", "jpeg"},  {"extensions", "htm,"}, {"extensions", ""},
      {"links", "img,iframe"}, {"buffer", "1000"},     {"timeout", "0"},
      {"timeout", "15"},       {"timeout", "320"},     {"timeout", "1e2"},
      {"proxy", "host"},       {"proxy", ":80"},       {"proxy", "host:0"},
      {"proxy", "host:65536"}, {"proxy", "host:8x"},   {"save-folder", ""},
      {"error-sound", ""},     {"output-items", "all"}};
  for (const auto& [name, value] : bad) {
    AppSettings s;
    EXPECT_FALSE(findSetting(name)->set(s, value)) << name << " " << value;
    EXPECT_TRUE(s == AppSettings{}) << name << " " << value;
  }
}

TEST(SettingNames, ListsAcceptAliasesAndNoneKeepsOtherWords) {
  AppSettings s;
  set(s, "extensions", "html,ram");
  EXPECT_EQ(s.downEx, downex::kHtml | downex::kRm);
  EXPECT_EQ(get(s, "extensions"), "htm,rm");
  set(s, "output-items", "none");
  EXPECT_EQ(s.output, output::kErrorLog | output::kWindow | output::kClearEach);
  EXPECT_EQ(get(s, "output-items"), "none");
}

TEST(SettingNames, ChoosingASaveFolderMovesTheHistoryAsThePageDoes) {
  AppSettings s;
  s.path01 = "/one";
  s.path02 = "/two";
  s.path03 = "/three";
  set(s, "save-folder", "/two");  // PATH02 chosen again: the two swap, PATH03 stays
  EXPECT_EQ(s.path01 + s.path02 + s.path03, "/two/one/three");
  set(s, "save-folder", "/four");
  EXPECT_EQ(s.path01 + s.path02 + s.path03, "/four/two/one");
  set(s, "save-folder", "/four");
  EXPECT_EQ(s.path01 + s.path02 + s.path03, "/four/two/one");
}

}  // namespace
}  // namespace murlo
