// The resume and local-file dialogs, driven through their menu commands.
#include "file-entry-dlg.h"

#include <gtest/gtest.h>

#include "command-ids.h"
#include "dialog-driver.h"
#include "gui-fixture.h"
#include "items/item-info.h"
#include "text/cp932.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;
using Dlg = CFileEntryDlg;

class FileEntryDlgTest : public FrameTest {
 protected:
  bool open(int commandId, const std::function<void(Dlg&, DialogDriver&)>& use) {
    return driveModal<Dlg>([this, commandId] { command(commandId); }, use);
  }
  std::vector<std::string> texts() { return prompter_.texts(); }
};

TEST_F(FileEntryDlgTest, ResumeRefusesInOrderThenAddsTheResumeRow) {
  const std::string partial = box_.path("写真.zip");
  prompter_.giveFile(partial);
  std::string shot;
  EXPECT_TRUE(open(ID_RESUME_ENTRY, [&](Dlg& dlg, DialogDriver& d) {
    EXPECT_EQ(std::string(dlg.GetTitle().utf8_str()), "ﾚｼﾞｭｰﾑﾀﾞｲｱﾛｸﾞ");
    d.type(Dlg::kAddressId, "word");
    EXPECT_FALSE(d.ok());
    d.press(Dlg::kBrowseId);
    EXPECT_EQ(d.text(Dlg::kFileNameId), "写真.zip");
    d.type(Dlg::kAddressId, "");
    EXPECT_FALSE(d.ok());
    d.type(Dlg::kAddressId, "word");
    EXPECT_FALSE(d.ok());
    d.type(Dlg::kAddressId, "http://h.example/files/part.zip");
    d.type(Dlg::kReferrerId, "http://h.example/");
    shot = saveScreenshot(&dlg, "resume-dialog");
    EXPECT_TRUE(d.ok());
  }));
  EXPECT_EQ(texts(), (std::vector<std::string>{"ﾌｧｲﾙが指定されていません",
                                               "URLが指定されていません", "不正な URL です"}));
  for (const auto& m : prompter_.messages()) EXPECT_EQ(m.icon, PromptIcon::kStop);
  ASSERT_EQ(prompter_.fileDialogs().size(), 1u);
  const FileDialogRequest browse = prompter_.fileDialogs()[0];
  EXPECT_EQ(browse.title, "ﾀﾞｳﾝﾛｰﾄﾞ再開ﾌｧｲﾙの選択");
  EXPECT_EQ(
      browse.filter,
      "すべてのﾌｧｲﾙ(*.*)|*.*|画像ﾌｧｲﾙ(*.jpg;*.gif)|*.jpg;*.gif|書庫ﾌｧｲﾙ(*.lzh;*.zip)|*.lzh;*.zip||");
  EXPECT_TRUE(browse.mustExist);

  ASSERT_EQ(items().count(), 1);
  const ItemRecord& r = items().row(0);
  EXPECT_EQ(r.fileName, "part.zip");
  EXPECT_EQ(r.url, "http://h.example/files/");
  EXPECT_EQ(r.tag, "RESUME");
  // The row's info is in the list's encoding throughout, and the window shows the path.
  EXPECT_EQ(r.info, kInfoResumeEntryPrefix + utf8ToCp932(partial));
  frame_->view()->SetColumnWidth(kColInfo, 2000);
  pumpEvents();
  EXPECT_EQ(std::string(frame_->view()->GetItemText(0, kColInfo).utf8_str()),
            "0 kb 完了 : " + partial);
  EXPECT_EQ(r.referrer, "http://h.example/");
  std::printf("screenshot: %s\n", shot.c_str());

  // Filled in, then cancelled: nothing is added.
  EXPECT_TRUE(open(ID_RESUME_ENTRY, [&](Dlg& dlg, DialogDriver& d) {
    dlg.dropFiles({partial});
    d.type(Dlg::kAddressId, "http://h.example/files/part.zip");
  }));
  EXPECT_EQ(items().count(), 1);
}

TEST_F(FileEntryDlgTest, DroppedFilesCountTheFirstOnly) {
  EXPECT_TRUE(open(ID_LOCAL_FILE, [&](Dlg& dlg, DialogDriver& d) {
    dlg.dropFiles({"/tmp/one/first.htm", "/tmp/second.htm", "/tmp/third.htm"});
    EXPECT_EQ(d.text(Dlg::kFileNameId), "first.htm");
    dlg.dropFiles({});
    EXPECT_EQ(d.text(Dlg::kFileNameId), "first.htm");
  }));
}

TEST_F(FileEntryDlgTest, LocalFileAnalysisAppendsThePageLinks) {
  box_.write("saved.htm",
             "<html><body><img src=\"pics/a.jpg\"><a href=\"../b.zip\">b</a></body></html>");
  prompter_.giveFile(box_.path("saved.htm"));
  std::string shot;
  EXPECT_TRUE(open(ID_LOCAL_FILE, [&](Dlg& dlg, DialogDriver& d) {
    EXPECT_EQ(std::string(dlg.GetTitle().utf8_str()), "ﾛｰｶﾙﾌｧｲﾙの解析");
    EXPECT_EQ(dlg.FindWindow(Dlg::kReferrerId), nullptr);
    EXPECT_FALSE(d.ok());
    d.press(Dlg::kBrowseId);
    d.type(Dlg::kAddressId, "word");
    EXPECT_FALSE(d.ok());
    d.type(Dlg::kAddressId, "http://h.example/dir/saved.htm");
    shot = saveScreenshot(&dlg, "local-file-dialog");
    EXPECT_TRUE(d.ok());
  }));
  EXPECT_EQ(texts(), (std::vector<std::string>{"ﾛｰｶﾙﾌｧｲﾙが指定されていません", "不正な URL です"}));
  EXPECT_EQ(prompter_.fileDialogs()[0].title, "解析ﾌｧｲﾙの選択");
  EXPECT_EQ(prompter_.fileDialogs()[0].filter,
            "ｲﾝﾀｰﾈｯﾄ ﾌｧｲﾙ(*.htm;*.html;*.cgi)|*.htm;*.html;*.cgi|すべてのﾌｧｲﾙ(*.*)|*.*||");
  std::vector<std::string> found;
  for (int i = 0; i < items().count(); ++i) found.push_back(fullAddress(items().row(i)));
  EXPECT_EQ(found, (std::vector<std::string>{"http://h.example/dir/pics/a.jpg",
                                             "http://h.example/b.zip"}));
  EXPECT_EQ(items().row(0).referrer, "http://h.example/dir/saved.htm");
  std::printf("screenshot: %s\n", shot.c_str());

  // Without an address the page is still analysed.
  prompter_.giveFile(box_.path("saved.htm"));
  EXPECT_TRUE(open(ID_LOCAL_FILE, [](Dlg&, DialogDriver& d) {
    d.press(Dlg::kBrowseId);
    EXPECT_TRUE(d.ok());
  }));
}

}  // namespace
}  // namespace murlo::test
