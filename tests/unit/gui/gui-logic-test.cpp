#include <gtest/gtest.h>

#include "logic/job-command-rules.h"
#include "logic/settings-rules.h"
#include "logic/shorten-text.h"
#include "logic/url-combo-model.h"
#include "logic/window-title.h"

namespace murlo::gui {
namespace {

TEST(WindowTitle, OfflineMarkFollowsTheApplicationName) {
  EXPECT_EQ(windowTitle(kDocumentTitle, false), "Murlo ver2.02 - Murlo");
  EXPECT_EQ(windowTitle(kDocumentTitle, true), "Murlo ver2.02 - Murlo - [ｵﾌﾗｲﾝ作業]");
  EXPECT_EQ(windowTitle("3/10 Finished", false), "3/10 Finished - Murlo");
}

TEST(UrlCombo, TypedAddressesAreAddedOncePastedOnesMoveToTheEnd) {
  FramePlacement placement;
  placement.recentUrls = {"u0", "", "u2", "", ""};
  UrlComboModel combo;
  combo.loadRecent(placement);
  EXPECT_EQ(combo.entries(), (std::vector<std::string>{"u2", "u0"}));
  EXPECT_FALSE(combo.addTyped("u2", placement));
  EXPECT_EQ(placement.recentUrls[0], "u0");
  combo.addPasted("u2", placement);
  EXPECT_EQ(combo.entries(), (std::vector<std::string>{"u0", "u2"}));
  EXPECT_EQ(placement.recentUrls[0], "u2");
  for (int i = 0; i < 10; ++i) combo.addPasted("p" + std::to_string(i), placement);
  ASSERT_EQ(combo.entries().size(), 9u);
  EXPECT_EQ(combo.entries().front(), "p1");
  EXPECT_EQ(combo.entries().back(), "p9");
  EXPECT_EQ(placement.recentUrls, (std::array<std::string, 5>{"p9", "p8", "p7", "p6", "p5"}));
}

TEST(UrlCombo, PastedTextIsTrimmedCheckedAndCleaned) {
  EXPECT_EQ(preparePastedUrl("  http://h.jp/a\tb \r\n").url, "http://h.jp/ab");
  EXPECT_EQ(preparePastedUrl("localhost").error, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの文字列はURLではありません");
  EXPECT_EQ(preparePastedUrl("   ").error, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの文字列はURLではありません");
}

TEST(ShortenText, CutsWithDotsAndKeepsWholeCharacters) {
  const auto measure = [](const std::string& s) {
    int chars = 0;
    for (unsigned char c : s) chars += (c & 0xC0) != 0x80;
    return chars * 10;
  };
  EXPECT_EQ(shortenText("", 5, 4, measure), "");
  EXPECT_EQ(shortenText("abcd", 44, 4, measure), "abcd");
  EXPECT_EQ(shortenText("abcdefgh", 74, 4, measure), "abcd...");  // 40 + 30 + 4 fits 74
  EXPECT_EQ(shortenText("abcdefgh", 5, 12, measure), "a...");     // narrower than the margin
  EXPECT_EQ(shortenText("日本語のファイル", 63, 4, measure), "日本...");
}

TEST(ShortenText, CellsMeasureAgainstTheirOwnWidthAndShortenedTextsStartAtTheLeft) {
  const auto measure = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
  // A 60-pixel tag column: W 60, M 12.
  const CellGeometry tag = cellGeometry(2, 60);
  EXPECT_EQ(cellText("abcd", tag, false, measure), "abcd");  // 40 + 12 fits 60
  EXPECT_EQ(cellText("abcde", tag, true, measure), "a...");
  // Centred: blanks up to the control's 52 pixels, so it starts at the left edge.
  EXPECT_EQ(cellText("abcde", tag, false, measure), "a... ");
  // Column 0 leaves the icon's room: 130 pixels give the label 103, and what is drawn fits
  // the room the control gives it, which never cuts it a second time.
  const CellGeometry first = cellGeometry(0, 130);
  EXPECT_EQ(first.margin, 4);
  EXPECT_EQ(cellText("123456789", first, true, measure), "123456789");
  const std::string cut = cellText("1234567890", first, true, measure);
  EXPECT_EQ(cut, "123456...");
  EXPECT_LE(measure(cut), first.room);
}

TEST(JobCommandRules, AnalyseNeedsPageNamesOnly) {
  ItemList list;
  list.AddItem("index.HTML", "http://h/", "", "", "", "");
  list.AddItem("(index.htm)", "http://h/", "", "", "", "");
  list.AddItem("a.jpg", "http://h/", "", "", "", "");
  list.AddItem(".htm", "http://h/", "", "", "", "");
  EXPECT_FALSE(canAnalyzeSelection(list));  // nothing selected
  list.setSelected(0, true);
  list.setSelected(1, true);
  EXPECT_TRUE(canAnalyzeSelection(list));
  list.setSelected(2, true);
  EXPECT_FALSE(canAnalyzeSelection(list));
  list.setSelected(2, false);
  list.setSelected(3, true);  // shorter than 5 bytes
  EXPECT_FALSE(canAnalyzeSelection(list));
}

TEST(JobCommandRules, RecursiveStartAddressChecksInOrder) {
  EXPECT_EQ(recursiveAddressError(""), "URLが入力されていません。");
  EXPECT_EQ(recursiveAddressError("host.jp"), "不正なURLです。");
  EXPECT_EQ(recursiveAddressError("http://h/a.jpg"), "このURLは解析不可能です。");
  EXPECT_FALSE(recursiveAddressError("http://h/dir/"));
  EXPECT_FALSE(recursiveAddressError("http://h/a.SHTML"));
  EXPECT_FALSE(recursiveAddressError("http://h/q.cgi"));
  EXPECT_EQ(suggestMustContain("http://h/a/b.htm", ""), "http://h/a/");
  EXPECT_FALSE(suggestMustContain("http://h/a/b.htm", "x"));
  EXPECT_FALSE(suggestMustContain("nohost", ""));
}

TEST(SettingsRules, TimeoutAndSameNameUnpacking) {
  EXPECT_EQ(shownTimeout(40 * 256 + 4), 12);
  EXPECT_EQ(shownTimeout(31 * 256 + 5), 31);
  EXPECT_EQ(shownTimeout(32 * 256), 12);
  EXPECT_EQ(shownTimeout(4), 12);
  EXPECT_EQ(shownTimeout(-256), 12);
  EXPECT_EQ(shownTimeout(256), 1);
  // Bit 4 wins over bit 5, bit 5 over bit 6; nothing set means rename.
  EXPECT_EQ(sameNameIndex(0x70), 0);
  EXPECT_EQ(sameNameIndex(0x60), 1);
  EXPECT_EQ(sameNameIndex(0x00), 2);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(sameNameIndex(sameNameBit(i)), i);
}

TEST(SettingsRules, SoundRowsAndFolderChoices) {
  EXPECT_EQ(packSound({true, true, false}, {"a.wav", "", "c.wav"}), 1);
  EXPECT_EQ(packSound({false, true, true}, {"a.wav", "b.wav", "c.wav"}), 6);
  AppSettings s;
  s.path01 = "/a";
  s.path03 = "/c";
  EXPECT_EQ(saveFolderChoices(s), (std::vector<std::string>{"/a", "/c"}));
}

}  // namespace
}  // namespace murlo::gui
