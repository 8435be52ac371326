#include "add-item-dlg.h"

#include <gtest/gtest.h>
#include <wx/clipbrd.h>

#include "command-ids.h"
#include "dialog-driver.h"
#include "gui-fixture.h"
#include "paste-button.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

// Drives the add-item dialog as a user would, with its check boxes and series fields.
struct DialogUser : DialogDriver {
  void tickSeries() { click(control<wxCheckBox>(CAddItemDlg::kUseRangeId)); }
  void tickConfirm() { tick(CAddItemDlg::kConfirmId, true); }
  // A numbered series in the directory of `address`.
  void fillSeries(const std::string& address, const std::string& range, const std::string& format) {
    type(CAddItemDlg::kAddressId, address);
    tickSeries();
    type(CAddItemDlg::kRangeId, range);
    type(CAddItemDlg::kFormatId, format);
  }
};

class AddItemDlgTest : public FrameTest {
 protected:
  std::vector<std::string> texts() { return prompter_.texts(); }

  // Runs the add command; `use` works the dialog once it is shown, and whatever it leaves
  // open is cancelled.
  void addThroughDialog(const std::function<void(DialogUser&)>& use) {
    EXPECT_TRUE(driveModal<CAddItemDlg>([this] { command(ID_ADD_ITEM_DIALOG); },
                                        [&](CAddItemDlg& dlg, DialogDriver&) {
                                          DialogUser user{{dlg}};
                                          use(user);
                                        }));
  }
};

TEST_F(AddItemDlgTest, MenuCommandIsAlwaysThere) {
  wxMenuItem* item = frame_->GetMenuBar()->FindItem(ID_ADD_ITEM_DIALOG);
  ASSERT_TRUE(item);
  EXPECT_EQ(std::string(item->GetItemLabel().utf8_str()), "追加(&A)\tCtrl+A");
  frame_->doc()->setJobRunning(true);
  wxUpdateUIEvent event(ID_ADD_ITEM_DIALOG);
  frame_->GetEventHandler()->ProcessEvent(event);
  EXPECT_TRUE(!event.GetSetEnabled() || event.GetEnabled());
  frame_->doc()->setJobRunning(false);
}

TEST_F(AddItemDlgTest, OneAddressWithItsReferrer) {
  addThroughDialog([](DialogUser& u) {
    u.type(CAddItemDlg::kAddressId, "www.h.jp");
    EXPECT_FALSE(u.ok());  // no "/"
    u.type(CAddItemDlg::kAddressId, "http://h.jp/dir/readme");
    u.type(CAddItemDlg::kReferrerId, "http://h.jp/");
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(texts(), std::vector<std::string>{"指定のｱﾄﾞﾚｽが不正です"});
  EXPECT_EQ(prompter_.messages()[0].icon, PromptIcon::kStop);
  ASSERT_EQ(items().count(), 1);
  const ItemRecord& r = items().row(0);
  EXPECT_EQ(r.fileName, "readme");
  EXPECT_EQ(r.url, "http://h.jp/dir/");
  EXPECT_EQ(r.tag, "ADD");
  EXPECT_EQ(r.extension, "readme");
  EXPECT_EQ(r.referrer, "http://h.jp/");

  addThroughDialog([](DialogUser& u) { u.type(CAddItemDlg::kAddressId, "http://h.jp/a.gif"); });
  EXPECT_EQ(items().count(), 1);  // cancelled
}

TEST_F(AddItemDlgTest, SeriesFieldsFollowTheCheckBoxAndTheBaseFollowsTheAddress) {
  addThroughDialog([](DialogUser& u) {
    const int series[] = {CAddItemDlg::kIncrementId, CAddItemDlg::kDigitsId, CAddItemDlg::kRangeId,
                          CAddItemDlg::kFormatId, CAddItemDlg::kConfirmId};
    for (int id : series) EXPECT_FALSE(u.dlg.FindWindow(id)->IsEnabled()) << id;
    EXPECT_FALSE(u.field(CAddItemDlg::kBaseId)->IsEditable());
    EXPECT_EQ(u.text(CAddItemDlg::kIncrementId), "1");
    EXPECT_EQ(u.text(CAddItemDlg::kDigitsId), "0");

    u.type(CAddItemDlg::kAddressId, "http://h.jp/a/x.htm");
    EXPECT_EQ(u.text(CAddItemDlg::kBaseId), "");  // only while the series is on
    u.tickSeries();
    for (int id : series) EXPECT_TRUE(u.dlg.FindWindow(id)->IsEnabled()) << id;
    EXPECT_EQ(u.text(CAddItemDlg::kBaseId), "http://h.jp/a/");
    u.type(CAddItemDlg::kAddressId, "http://h.jp/b/c/");
    EXPECT_EQ(u.text(CAddItemDlg::kBaseId), "http://h.jp/b/c/");
    u.type(CAddItemDlg::kAddressId, "nothing");
    EXPECT_EQ(u.text(CAddItemDlg::kBaseId), "http://h.jp/b/c/");
    u.tickSeries();
    for (int id : series) EXPECT_FALSE(u.dlg.FindWindow(id)->IsEnabled()) << id;
    EXPECT_EQ(u.text(CAddItemDlg::kBaseId), "http://h.jp/b/c/");
  });
}

TEST_F(AddItemDlgTest, RangesMakeNumberedItemsInTheBase) {
  addThroughDialog([](DialogUser& u) {
    u.fillSeries("http://h.jp/pics/top.htm", "1-3,7", "img&.jpg");
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(names(), "img1.jpg;img2.jpg;img3.jpg;img7.jpg;");
  for (int i = 0; i < items().count(); ++i) {
    EXPECT_EQ(items().text(i, kColUrl), "http://h.jp/pics/");
    EXPECT_EQ(items().text(i, kColTag), "ADD");
    EXPECT_EQ(items().text(i, kColExtension), "jpg");
  }
  items().deleteAll();

  addThroughDialog([](DialogUser& u) {
    u.fillSeries("http://h.jp/pics/", "1-10", "&.png");
    u.type(CAddItemDlg::kIncrementId, "3");
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(names(), "1.png;4.png;7.png;10.png;");
  items().deleteAll();

  addThroughDialog([](DialogUser& u) {
    u.fillSeries("http://h.jp/pics/", "10-5", "&.png");
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(names(), "");

  addThroughDialog([](DialogUser& u) {
    u.fillSeries("http://h.jp/pics/", "7,100", "p&.png");
    u.type(CAddItemDlg::kDigitsId, "2");
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(names(), "p007.png;p100.png;");
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(AddItemDlgTest, RefusalsKeepTheDialogOpenWithWhatWasTyped) {
  addThroughDialog([](DialogUser& u) {
    u.fillSeries("http://h.jp/pics/", "5", "img&.jpg");
    EXPECT_FALSE(u.ok());
    EXPECT_EQ(u.text(CAddItemDlg::kRangeId), "5");
    u.type(CAddItemDlg::kIncrementId, "abc");
    EXPECT_FALSE(u.ok());
    u.type(CAddItemDlg::kIncrementId, "0");
    EXPECT_FALSE(u.ok());
    u.type(CAddItemDlg::kIncrementId, "-1");
    u.type(CAddItemDlg::kDigitsId, "11");
    EXPECT_FALSE(u.ok());
    u.type(CAddItemDlg::kDigitsId, "1");
    u.type(CAddItemDlg::kRangeId, "5-3");
    u.type(CAddItemDlg::kFormatId, "img.jpg");
    EXPECT_FALSE(u.ok());
    u.type(CAddItemDlg::kFormatId, "img&.jpg");
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(texts(), (std::vector<std::string>{
                         "数値範囲の書式が不正です", "整数を入力してください。",
                         "ｲﾝｸﾘﾒﾝﾄ値に 0 は指定できません",
                         "0 から 10 までの整数を入力してください。", "ﾌｧｲﾙ書式が不正です"}));
  EXPECT_EQ(prompter_.messages()[0].icon, PromptIcon::kStop);
  EXPECT_EQ(prompter_.messages()[1].icon, PromptIcon::kExclamation);
  EXPECT_EQ(names(), "img05.jpg;img04.jpg;img03.jpg;");  // a negative increment counts down
}

TEST_F(AddItemDlgTest, PreviewAndLargeSeriesAreConfirmed) {
  prompter_.answer(PromptAnswer::kNo);
  prompter_.answer(PromptAnswer::kYes);
  prompter_.answer(PromptAnswer::kNo);
  prompter_.answer(PromptAnswer::kYes);
  prompter_.answer(PromptAnswer::kYes);
  addThroughDialog([](DialogUser& u) {
    u.fillSeries("http://h.jp/pics/", "100-120,5", "img&.jpg");
    u.type(CAddItemDlg::kDigitsId, "2");
    u.tickConfirm();
    EXPECT_FALSE(u.ok());  // No to the preview
    u.type(CAddItemDlg::kRangeId, "1-20000");
    EXPECT_FALSE(u.ok());  // Yes to the preview, No to the count
    EXPECT_TRUE(u.ok());
  });
  ASSERT_EQ(prompter_.messages().size(), 5u);
  EXPECT_EQ(prompter_.messages()[0].text, "img000.jpg img001.jpg img002.jpg");
  EXPECT_EQ(prompter_.messages()[0].buttons, PromptButtons::kYesNo);
  EXPECT_EQ(prompter_.messages()[0].icon, PromptIcon::kQuestion);
  EXPECT_EQ(prompter_.messages()[2].text, "20000 個のｱｲﾃﾑを追加します。よろしいですか？");
  ASSERT_EQ(items().count(), 20000);
  EXPECT_EQ(items().text(19999, kColFileName), "img20000.jpg");
}

TEST_F(AddItemDlgTest, PasteButtonInsertsAtTheCaret) {
  {
    wxClipboardLocker lock;
    ASSERT_TRUE(!!lock);
    wxTheClipboard->SetData(new wxTextDataObject("pics/"));
  }
  addThroughDialog([](DialogUser& u) {
    u.type(CAddItemDlg::kAddressId, "http://h.jp/a.jpg");
    u.field(CAddItemDlg::kAddressId)->SetInsertionPoint(12);
    u.press(PasteButton::kId);
    EXPECT_EQ(u.text(CAddItemDlg::kAddressId), "http://h.jp/pics/a.jpg");
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(items().text(0, kColUrl), "http://h.jp/pics/");
}

}  // namespace
}  // namespace murlo::test
