#include "murlo-doc.h"

#include <gtest/gtest.h>

#include <chrono>

#include "command-ids.h"
#include "gui-fixture.h"
#include "items/list-file.h"
#include "job-commands.h"
#include "logic/wizard-rules.h"
#include "platform/file-lock.h"
#include "settings/ini-file.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

class DocTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ItemList list;
    list.AddItem("a.jpg", "http://h.jp/", "IMG", "jpg", "", "");
    list.AddItem("b.zip", "http://h.jp/", "HREF", "zip", "", "");
    ASSERT_TRUE(WriteList(list, box_.path("two.mrl")));
    ASSERT_TRUE(startFrame());
  }
  ItemList& items() { return frame_->doc()->items(); }
};

TEST_F(DocTest, OpeningTwiceAppendsAndEntersTheRecentList) {
  prompter_.giveFile(box_.path("two.mrl"));
  prompter_.giveFile(box_.path("two.mrl"));
  command(ID_FILE_OPEN);
  command(ID_FILE_OPEN);
  EXPECT_EQ(items().count(), 4);
  ASSERT_EQ(prompter_.fileDialogs().size(), 2u);
  EXPECT_EQ(prompter_.fileDialogs()[0].title, "MRLﾌｧｲﾙを開く");
  EXPECT_TRUE(prompter_.fileDialogs()[0].mustExist);
  EXPECT_EQ(app_.recentFiles.paths(), std::vector<std::string>{box_.path("two.mrl")});
  // Opening from the recent-file list appends once more.
  command(wxID_FILE1);
  EXPECT_EQ(items().count(), 6);
  command(ID_FILE_OPEN);  // cancelled: nothing changes
  EXPECT_EQ(items().count(), 6);
}

TEST_F(DocTest, SaveAsWritesAndReportsFailures) {
  prompter_.giveFile(box_.path("two.mrl"));
  command(ID_FILE_OPEN);
  prompter_.giveFile(box_.path("saved"));
  command(ID_FILE_SAVE_AS);
  ItemList back;
  ASSERT_TRUE(ReadList(back, box_.path("saved.mrl")).ok());
  EXPECT_EQ(back.count(), 2);
  EXPECT_EQ(app_.recentFiles.paths().front(), box_.path("saved.mrl"));
  prompter_.giveFile(box_.path("no-such-dir/x.mrl"));
  command(ID_FILE_SAVE_AS);
  EXPECT_EQ(prompter_.messages().back().text,
            box_.path("no-such-dir/x.mrl") + " にﾘｽﾄを保存できませんでした。");
  EXPECT_EQ(prompter_.messages().back().icon, PromptIcon::kStop);
  // A command line run rewriting the same list holds its lock: the save waits, then gives up.
  app_.listLockPatience = std::chrono::milliseconds(100);
  const std::string before = box_.read("saved.mrl");
  FileLock held;
  ASSERT_TRUE(held.acquire(box_.path("saved.mrl")));
  items().AddItem("c.gif", "http://h.jp/", "", "gif", "", "");
  prompter_.giveFile(box_.path("saved.mrl"));
  const auto start = std::chrono::steady_clock::now();
  command(ID_FILE_SAVE_AS);
  EXPECT_GE(std::chrono::steady_clock::now() - start, app_.listLockPatience);
  EXPECT_EQ(prompter_.messages().back().text,
            box_.path("saved.mrl") + " は他のﾌﾟﾛｸﾞﾗﾑが使用中のため、ﾘｽﾄを保存できませんでした。");
  EXPECT_EQ(box_.read("saved.mrl"), before);
}

TEST_F(DocTest, JobFileSaveAndResumeReplaceTheList) {
  command(ID_JOB_FILE_RESUME);
  EXPECT_EQ(prompter_.messages().back().text, "Murlo.Mrl が見付かりません");
  prompter_.giveFile(box_.path("two.mrl"));
  command(ID_FILE_OPEN);
  command(ID_JOB_FILE_SAVE);
  EXPECT_TRUE(box_.exists("Murlo.mrl"));
  items().AddItem("c.gif", "http://h.jp/", "", "gif", "", "");
  command(ID_JOB_FILE_RESUME);
  EXPECT_EQ(items().count(), 2);
  EXPECT_EQ(items().text(1, kColFileName), "b.zip");
}

TEST_F(DocTest, TagSwitchesFlipTheirBitAndSurviveARestart) {
  // A new installation reads pages with the HTML link finder.
  EXPECT_EQ(app_.settings.tag, 15 + 64);
  command(ID_TAG_HTML5);
  EXPECT_EQ(app_.settings.tag, 15);
  command(ID_TAG_IMG);
  EXPECT_EQ(app_.settings.tag, 14);
  command(ID_TAG_FRAME);
  EXPECT_EQ(app_.settings.tag, 6);
  command(ID_TAG_IMG);
  EXPECT_EQ(app_.settings.tag, 7);
  for (const int id : {ID_TAG_FRAME, ID_TAG_HTML5}) {
    wxUpdateUIEvent check(id);
    frame_->GetEventHandler()->ProcessEvent(check);
    EXPECT_FALSE(check.GetChecked());
  }
  prompter_.giveFile(box_.path("two.mrl"));
  command(ID_FILE_OPEN);
  ASSERT_TRUE(closeFrame());
  const IniFile ini = IniFile::load(app_.iniPath());
  EXPECT_EQ(ini.getInt("SETTING", "Tag", -1), 7);
  EXPECT_EQ(ini.getString("Recent File List", "File1", ""), box_.path("two.mrl"));
}

TEST_F(DocTest, WizardFinishReplacesTheListWithTheAddress) {
  items().AddItem("old.gif", "http://h.jp/", "", "gif", "", "");
  frame_->jobs()->finishWizard(wizard::WizardMode::kNone, "http://h.jp/dir/page.html");
  ASSERT_EQ(items().count(), 1);
  EXPECT_EQ(items().text(0, kColTag), "WIZARD");
  EXPECT_EQ(items().text(0, kColFileName), "page.html");
}

}  // namespace
}  // namespace murlo::test
