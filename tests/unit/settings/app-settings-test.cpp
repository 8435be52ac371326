#include "settings/app-settings.h"

#include <gtest/gtest.h>

#include "sandbox.h"
#include "settings/ini-file.h"

namespace murlo {
namespace {

using test::Sandbox;

TEST(AppSettings, FirstStartUsesTheDefaults) {
  Sandbox box;
  const AppSettings s = LoadSettings(settingsPath(box.dir()), box.dir());
  EXPECT_EQ(s.downEx, 121);
  EXPECT_EQ(s.tag, 15 + 64);
  EXPECT_EQ(s.movement, 64);
  EXPECT_EQ(s.connection, 0x0C04);
  EXPECT_EQ(s.output, 127);
  EXPECT_EQ(s.saveFolder(), box.dir() + "/");
  EXPECT_EQ(s.bufferBytes(), 1024);
  EXPECT_EQ(s.timeoutMs(), 120000);
  EXPECT_TRUE(s.movement & movement::kAutoRename);
  EXPECT_FALSE(box.exists("Murlo.ini"));  // reading never creates the file
}

TEST(AppSettings, DerivedValues) {
  AppSettings s;
  s.connection = 31 * 256 + 5;
  EXPECT_TRUE(s.connection & connection::kOffline);
  EXPECT_TRUE(s.connection & connection::kTimeout);
  EXPECT_EQ(s.timeoutMs(), 310000);
  s.connection = 0x7FFFFFFF;  // the largest value does not overflow
  EXPECT_EQ(s.timeoutMs(), 8388607LL * 10000);
  s.proxyName = "proxy";
  s.proxyPort = "8080";
  EXPECT_EQ(s.proxyText(), "proxy:8080");
  s.path01 = "/srv/dl/";
  EXPECT_EQ(s.saveFolder(), "/srv/dl/");
  for (int i = 0; i < 4; ++i) {
    s.bufferSize = i;
    EXPECT_EQ(s.bufferBytes(), 256 << i);
  }
  s.bufferSize = 40;  // out of range: the default, never an undefined shift
  EXPECT_EQ(s.bufferBytes(), 1024);
}

TEST(AppSettings, SaveAndLoadRoundTripKeepingForeignSections) {
  Sandbox box;
  const std::string path =
      box.write("Murlo.ini", "[MainFrame]\r\nX=10\r\n[RecentURL]\r\nURL0=http://h/\r\n");
  AppSettings s;
  s.downEx = 0x2001;
  s.tag = 0x30;
  s.exSet = 0x1F;
  s.extend = "mid;wav";
  s.path01 = "/home/u/保存";
  s.path02 = "/old";
  s.proxyName = "proxy";
  s.proxyPort = "3128";
  s.file03 = "/snd/err.wav";
  ASSERT_TRUE(SaveSettings(s, path));
  const AppSettings back = LoadSettings(path, "/elsewhere");
  EXPECT_EQ(back.downEx, 0x2001);
  EXPECT_EQ(back.tag, 0x30);
  EXPECT_EQ(back.exSet, 0x1F);
  EXPECT_EQ(back.extend, "mid;wav");
  EXPECT_EQ(back.path01, "/home/u/保存");
  EXPECT_EQ(back.path02, "/old");
  EXPECT_EQ(back.path03, "");
  EXPECT_EQ(back.proxyText(), "proxy:3128");
  EXPECT_EQ(back.file03, "/snd/err.wav");
  const IniFile ini = IniFile::load(path);
  EXPECT_EQ(ini.getInt("MainFrame", "X", 0), 10);
  EXPECT_EQ(ini.getString("RecentURL", "URL0", ""), "http://h/");
  EXPECT_EQ(ini.getInt("SETTING", "BufferSize", -1), 2);
}

TEST(AppSettings, NonNumericValuesReadAsTheirLeadingDigits) {
  Sandbox box;
  const std::string path = box.write("Murlo.ini", "[SETTING]\nTag=abc\nDownEx=9x\nSound=\n");
  const AppSettings s = LoadSettings(path, box.dir());
  EXPECT_EQ(s.tag, 0);
  EXPECT_EQ(s.downEx, 9);
  EXPECT_EQ(s.sound, 0);
  EXPECT_EQ(s.movement, 64);
}

}  // namespace
}  // namespace murlo
