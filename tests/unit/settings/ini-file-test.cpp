#include "settings/ini-file.h"

#include <gtest/gtest.h>

#include "sandbox.h"

namespace murlo {
namespace {

using test::Sandbox;

TEST(IniFile, NamesAreCaseInsensitiveAndMissingKeysGiveTheDefault) {
  Sandbox box;
  const auto ini = IniFile::load(box.write(
      "a.ini",
      "; comment\n[Setting]\n Tag = 31 \r\nextend=\"mid;wav\"\n[store]\nPATH01=/data/dl\n"));
  EXPECT_EQ(ini.getInt("SETTING", "TAG", 15), 31);
  EXPECT_EQ(ini.getString("SETTING", "Extend", ""), "mid;wav");
  EXPECT_EQ(ini.getString("STORE", "path01", ""), "/data/dl");
  EXPECT_EQ(ini.getInt("SETTING", "Movement", 64), 64);
  EXPECT_EQ(ini.getString("PROXY", "NAME", "dflt"), "dflt");
  EXPECT_EQ(IniFile::load(box.path("missing.ini")).getInt("SETTING", "Tag", 15), 15);
}

TEST(IniFile, IntegersReadTheirLeadingDigits) {
  EXPECT_EQ(parseProfileInt("42abc"), 42);
  EXPECT_EQ(parseProfileInt("abc"), 0);
  EXPECT_EQ(parseProfileInt(""), 0);
  EXPECT_EQ(parseProfileInt("  -12"), -12);
  EXPECT_EQ(parseProfileInt("0x10"), 0);
  EXPECT_EQ(parseProfileInt("99999999999999999999"), 2147483647);
  EXPECT_EQ(parseProfileInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(IniFile, RewritingKeepsWhatItDoesNotOwnAndUsesCrlf) {
  Sandbox box;
  const std::string path = box.write(
      "m.ini",
      "[MainFrame]\nShow=3\n\n[SETTING]\nTag=15\nUnknown=keep me\n\n[RecentURL]\nURL0=http://h/\n");
  IniFile ini = IniFile::load(path);
  ini.setInt("setting", "tag", 7);
  ini.setString("SETTING", "BufferSize", "3");
  ini.setString("PROXY", "NAME", "proxy");
  ASSERT_TRUE(ini.save(path));
  EXPECT_EQ(box.read("m.ini"),
            "[MainFrame]\r\nShow=3\r\n\r\n[SETTING]\r\ntag=7\r\nUnknown=keep me\r\nBufferSize=3\r\n"
            "\r\n[RecentURL]\r\nURL0=http://h/\r\n[PROXY]\r\nNAME=proxy\r\n");
  // Line breaks in a value cannot inject keys.
  ini.setString("PROXY", "PORT", "80\r\n[SETTING]\r\nTag=0");
  EXPECT_EQ(ini.getString("PROXY", "PORT", ""), "80[SETTING]Tag=0");
  EXPECT_EQ(ini.getInt("SETTING", "Tag", -1), 7);
}

TEST(IniFile, AFileTooLargeToReadGivesTheDefaultsAndIsNeverSavedOver) {
  Sandbox box;
  const std::string large = "[SETTING]\r\nTag=31\r\n" + std::string(kMaxIniFileBytes, ';');
  const std::string path = box.write("Murlo.ini", large);
  IniFile ini = IniFile::load(path);
  EXPECT_EQ(ini.readStatus(), FileReadStatus::kTooLarge);
  EXPECT_EQ(ini.getInt("SETTING", "Tag", 15), 15);
  EXPECT_EQ(ini.readProblem(path),
            path + " は大きすぎて読み込めません。既定の設定を使い、このﾌｧｲﾙには保存しません");
  ini.setInt("SETTING", "Tag", 1);
  EXPECT_FALSE(ini.save(path));
  EXPECT_EQ(box.read("Murlo.ini"), large);
}

TEST(IniFile, FailedSaveLeavesTheEarlierFile) {
  Sandbox box;
  IniFile ini;
  ini.setInt("SETTING", "Tag", 1);
  EXPECT_FALSE(ini.save(box.path("no-dir/Murlo.ini")));
  EXPECT_TRUE(ini.save(box.path("Murlo.ini")));
  EXPECT_EQ(box.read("Murlo.ini"), "[SETTING]\r\nTag=1\r\n");
}

}  // namespace
}  // namespace murlo
