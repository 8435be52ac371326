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

// "保存" and "音" in CP932, as the Windows program and murlo-cli write them.
constexpr const char* kHozonCp932 = "\x95\xDB\x91\xB6";
constexpr const char* kOtoCp932 = "\x89\xB9";

TEST(AppSettings, TextsReadFromEitherEncodingAndWriteBackToWhatReadsTheSame) {
  Sandbox box;
  const std::string path = box.write(
      "Murlo.ini", "[SETTING]\r\nExtend=mp3;" + std::string(kOtoCp932) +
                       "\r\n[STORE]\r\nPATH01=/home/u/" + kHozonCp932 +
                       "\r\nPATH02=/home/u/写真\r\n[PROXY]\r\nNAME=" + kOtoCp932 +
                       ".example\r\nPORT=8080\r\n[SOUND]\r\nFILE01=/snd/" + kOtoCp932 + ".wav\r\n");
  AppSettings s = LoadSettings(path, box.dir());
  EXPECT_EQ(s.extend, "mp3;音");
  EXPECT_EQ(s.path01, "/home/u/保存");
  EXPECT_EQ(s.path02, "/home/u/写真");  // UTF-8 is read as it is
  EXPECT_EQ(s.proxyName, "音.example");
  EXPECT_EQ(s.file01, "/snd/音.wav");

  s.path03 = "/home/u/café";  // CP932 has no "é": kept in UTF-8
  s.file02 = "/snd/ﾃｩ.wav";   // its CP932 bytes C3 A9 are UTF-8 for "é"
  ASSERT_TRUE(SaveSettings(s, path));
  const IniFile ini = IniFile::load(path);
  EXPECT_EQ(ini.getString("STORE", "PATH01", ""), "/home/u/" + std::string(kHozonCp932));
  EXPECT_EQ(ini.getString("STORE", "PATH02", ""), "/home/u/\x8E\xCA\x90\x5E");
  EXPECT_EQ(ini.getString("STORE", "PATH03", ""), "/home/u/café");
  EXPECT_EQ(LoadSettings(path, box.dir()), s);
}

TEST(AppSettings, WritingOnlyTheChangesKeepsWhatAnotherProgramWroteMeanwhile) {
  Sandbox box;
  // FILE02 holds a byte that neither encoding decodes: shown as "?", never written back.
  const std::string path =
      box.write("Murlo.ini",
                "[SETTING]\r\nMovement=64\r\nConnection=3076\r\n[SOUND]\r\nFILE02=/s/\x80.wav\r\n");
  const AppSettings before = LoadSettings(path, box.dir());

  AppSettings other = before;  // murlo-cli, while the window is open
  other.movement |= movement::kHierarchy;
  other.connection = 30 * 256 + connection::kTimeout;
  other.path02 = "/srv/他";
  ASSERT_TRUE(saveChangedSettings(before, other, path));

  AppSettings mine = before;  // the window's own changes, written at its exit
  mine.movement |= movement::kAnalyzeOnAdd;
  mine.connection |= connection::kOffline;
  mine.path01 = "/srv/自分";
  ASSERT_TRUE(saveChangedSettings(before, mine, path));

  const AppSettings back = LoadSettings(path, box.dir());
  EXPECT_EQ(back.movement, 64 | movement::kHierarchy | movement::kAnalyzeOnAdd);
  EXPECT_EQ(back.connection, 30 * 256 + connection::kTimeout + connection::kOffline);
  EXPECT_EQ(back.path01, "/srv/自分");
  EXPECT_EQ(back.path02, "/srv/他");
  EXPECT_EQ(IniFile::load(path).getString("SOUND", "FILE02", ""), "/s/\x80.wav");

  // A changed time-out replaces the number, keeping the check boxes of the word on disk.
  AppSettings later = back;
  later.connection = 5 * 256 + (back.connection & 0xFF);
  other = back;
  other.connection &= ~connection::kOffline;
  ASSERT_TRUE(saveChangedSettings(back, other, path));
  ASSERT_TRUE(saveChangedSettings(back, later, path));
  EXPECT_EQ(LoadSettings(path, box.dir()).connection, 5 * 256 + connection::kTimeout);
}

}  // namespace
}  // namespace murlo
