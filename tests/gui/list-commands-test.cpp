#include "list-commands.h"

#include <gtest/gtest.h>
#include <wx/clipbrd.h>

#include "clipboard-text.h"
#include "command-ids.h"
#include "gui-fixture.h"
#include "items/item-info.h"
#include "narrow-dlg.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

class ListCommandsTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(startFrame());
  }
  void add(const std::string& name, const std::string& ext = "", const std::string& info = "",
           const std::string& tag = "ADD") {
    items().AddItem(name, "http://h.jp/", tag, ext, info, "");
  }
  void select(std::initializer_list<int> rows) {
    pumpEvents();  // the control catches up with rows added directly
    for (int i = 0; i < items().count(); ++i)
      frame_->view()->SetItemState(i, 0, wxLIST_STATE_SELECTED);
    for (int r : rows)
      frame_->view()->SetItemState(r, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  }
  bool enabled(int id) {
    frame_->view()->pullSelection();
    wxUpdateUIEvent event(id);
    frame_->GetEventHandler()->ProcessEvent(event);
    return !event.GetSetEnabled() || event.GetEnabled();
  }
};

TEST_F(ListCommandsTest, DeleteAsksUnlessConfirmationsAreOff) {
  add("a.gif", "gif");
  add("b.gif", "gif");
  add("c.gif", "gif");
  select({1});
  prompter_.answer(PromptAnswer::kNo);
  command(ID_DELETE);
  EXPECT_EQ(prompter_.messages().back().text, "ﾘｽﾄから\"b.gif\"を削除します。よろしいですか？");
  EXPECT_EQ(items().count(), 3);
  prompter_.answer(PromptAnswer::kYes);
  command(ID_DELETE);
  EXPECT_EQ(names(), "a.gif;c.gif;");
  select({0, 1});
  prompter_.answer(PromptAnswer::kYes);
  command(ID_DELETE);
  EXPECT_EQ(prompter_.messages().back().text,
            "ﾘｽﾄから現在選択中のｱｲﾃﾑを削除します。よろしいですか？");
  EXPECT_EQ(items().count(), 0);
  add("d.gif");
  select({0});
  app_.settings.movement |= movement::kNoConfirm;
  const auto asked = prompter_.messages().size();
  command(ID_DELETE);
  EXPECT_EQ(prompter_.messages().size(), asked);
  EXPECT_EQ(items().count(), 0);
}

TEST_F(ListCommandsTest, UpAndDownMoveTextsAndStopAtTheEnds) {
  add("a.gif");
  add("b.gif");
  items().setImage(0, kImageFailed);
  select({0});
  EXPECT_FALSE(enabled(ID_MOVE_UP));
  command(ID_MOVE_UP);
  EXPECT_EQ(names(), "a.gif;b.gif;");
  command(ID_MOVE_DOWN);
  EXPECT_EQ(names(), "b.gif;a.gif;");
  EXPECT_EQ(items().row(0).image, kImageFailed);  // images stay with their rows
  EXPECT_TRUE(items().row(1).selected);           // the selection follows the texts
  EXPECT_FALSE(enabled(ID_MOVE_DOWN));
  command(ID_MOVE_DOWN);
  EXPECT_EQ(names(), "b.gif;a.gif;");
}

TEST_F(ListCommandsTest, FiltersAndTheDuplicateCheck) {
  const std::string done = std::string("1 KB ") + "\x8A\xAE\x97\xB9 : ";
  add("a.jpg", "jpg");
  add("(index.htm)", "", "");
  add("c.zip", "zip", done + "/dl/c.zip", "RESUME");
  add("d.zip", "zip", done);
  add("e.zip", "zip", "Error : /dl/e.zip", "RESUME");
  command(ID_DELETE_FINISHED);
  EXPECT_EQ(names(), "a.jpg;(index.htm);c.zip;e.zip;");
  command(ID_DELETE_ERROR);
  EXPECT_EQ(names(), "a.jpg;(index.htm);c.zip;");
  command(ID_NOT_HTML);
  EXPECT_EQ(names(), "a.jpg;c.zip;");
  command(ID_CHECK_DUPLICATES);
  EXPECT_EQ(prompter_.messages().back().text, "重複したｱｲﾃﾑは存在しません");
  add("a.jpg", "jpg");
  command(ID_CHECK_DUPLICATES);
  EXPECT_EQ(names(), "a.jpg;c.zip;");
  command(ID_ONLY_JPEG);
  EXPECT_EQ(names(), "a.jpg;");
  frame_->doc()->setJobRunning(true);
  EXPECT_FALSE(enabled(ID_ONLY_JPEG));
  EXPECT_FALSE(enabled(ID_DELETE_ALL));
  frame_->doc()->setJobRunning(false);
}

TEST_F(ListCommandsTest, OnlyStateKeepsAddressesWithTheText) {
  items().AddItem("a.gif", "http://h.jp/keep/", "", "", "", "");
  items().AddItem("b.gif", "http://h.jp/drop/", "", "", "", "");
  // The narrowing dialog, answered with OK and `text` in its field.
  auto onlyState = [this](const std::string& text) {
    EXPECT_TRUE(driveModal<CNarrowDlg>([this] { command(ID_ONLY_STATE); },
                                       [&text](CNarrowDlg& dlg, DialogDriver& d) {
                                         dlg.field()->SetValue(wxString::FromUTF8(text));
                                         d.press(wxID_OK);
                                       }));
  };
  onlyState("keep");
  EXPECT_EQ(names(), "a.gif;");
  onlyState("");
  EXPECT_EQ(prompter_.messages().back().text, "空白は指定できません");
  EXPECT_EQ(names(), "a.gif;");
}

TEST_F(ListCommandsTest, DeleteAllAsksEvenWithoutConfirmations) {
  add("a.gif");
  app_.settings.movement |= movement::kNoConfirm;
  prompter_.answer(PromptAnswer::kNo);
  command(ID_DELETE_ALL);
  EXPECT_EQ(prompter_.messages().back().text, "ﾘｽﾄからすべのｱｲﾃﾑを削除します。よろしいですか？");
  EXPECT_EQ(items().count(), 1);
  prompter_.answer(PromptAnswer::kYes);
  command(ID_DELETE_ALL);
  EXPECT_EQ(items().count(), 0);
}

TEST_F(ListCommandsTest, DeleteCopyAndDuplicatesFollowTheSelection) {
  const auto states = [this] {
    return std::vector<bool>{enabled(ID_DELETE), enabled(ID_COPY), enabled(ID_CHECK_DUPLICATES)};
  };
  EXPECT_EQ(states(), (std::vector<bool>{false, false, false}));
  add("a.gif");
  select({});
  EXPECT_EQ(states(), (std::vector<bool>{false, false, false}));
  select({0});
  EXPECT_EQ(states(), (std::vector<bool>{true, true, false}));
  add("b.gif");
  select({0, 1});
  EXPECT_EQ(states(), (std::vector<bool>{true, false, true}));
  select({});
  EXPECT_EQ(states(), (std::vector<bool>{false, false, true}));
}

TEST_F(ListCommandsTest, CopyPutsTheFullAddressOnTheClipboard) {
  items().AddItem("(index.htm)", "http://h.jp/dir/", "", "", "", "");
  select({0});
  command(ID_COPY);
  wxClipboardLocker lock;
  wxTextDataObject data;
  ASSERT_TRUE(wxTheClipboard->GetData(data));
  EXPECT_EQ(std::string(data.GetText().utf8_str()), "http://h.jp/dir/");
}

TEST_F(ListCommandsTest, DroppedAddressesAreAddedAsDrop) {
  EXPECT_FALSE(isDroppableAddress("ftp://h.jp/a.zip"));
  EXPECT_FALSE(isDroppableAddress("HTTP://h.jp/a.zip"));
  ListCommands commands(*frame_, app_, *frame_->doc(), *frame_->view(),
                        [this](const std::string& url) { frame_->rememberUrl(url); });
  commands.dropAddress("http://h.jp/x/a b.zip");
  ASSERT_EQ(items().count(), 1);
  EXPECT_EQ(items().text(0, kColTag), "DROP");
  EXPECT_EQ(items().text(0, kColFileName), "a b.zip");  // dropped text is not cleaned
  EXPECT_EQ(app_.placement.recentUrls[0], "http://h.jp/x/a b.zip");
  EXPECT_EQ(frame_->urlCombo()->GetCount(), 1u);
}

}  // namespace
}  // namespace murlo::test
