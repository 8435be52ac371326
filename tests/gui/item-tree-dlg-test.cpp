// The item tree view over a list with two hosts, one of them reached by https.
#include "item-tree-dlg.h"

#include <gtest/gtest.h>

#include "command-ids.h"
#include "dialog-driver.h"
#include "gui-fixture.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;
using Dlg = CItemTreeDlg;

std::string label(wxTreeCtrl* tree, const wxTreeItemId& id) {
  return std::string(tree->GetItemText(id).utf8_str());
}

std::vector<std::string> childTexts(wxTreeCtrl* tree, const wxTreeItemId& parent) {
  std::vector<std::string> out;
  wxTreeItemIdValue cookie;
  for (wxTreeItemId c = tree->GetFirstChild(parent, cookie); c.IsOk();
       c = tree->GetNextChild(parent, cookie)) {
    out.push_back(label(tree, c));
  }
  return out;
}

wxTreeItemId child(wxTreeCtrl* tree, const wxTreeItemId& parent, const std::string& text) {
  wxTreeItemIdValue cookie;
  for (wxTreeItemId c = tree->GetFirstChild(parent, cookie); c.IsOk();
       c = tree->GetNextChild(parent, cookie)) {
    if (label(tree, c) == text) return c;
  }
  ADD_FAILURE() << "no node " << text;
  return {};
}

std::vector<std::string> entries(wxListCtrl* list) {
  std::vector<std::string> out;
  for (long i = 0; i < list->GetItemCount(); ++i) out.emplace_back(list->GetItemText(i).utf8_str());
  return out;
}

class ItemTreeDlgTest : public FrameTest {
 protected:
  bool open(const std::function<void(Dlg&, DialogDriver&)>& use) {
    return driveModal<Dlg>([this] { command(ID_TREE_VIEW); }, use);
  }
  static void clickHosts(Dlg& dlg) {
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetEventObject(dlg.hostPane());
    dlg.hostPane()->GetEventHandler()->ProcessEvent(click);
  }
  static void menu(Dlg& dlg, int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    dlg.GetEventHandler()->ProcessEvent(event);
  }
  static std::string text(Dlg& dlg, int id) {
    return std::string(dlg.FindWindow(id)->GetLabel().utf8_str());
  }
};

TEST_F(ItemTreeDlgTest, AnEmptyListGivesTheTopNodeOnly) {
  EXPECT_TRUE(open([](Dlg& dlg, DialogDriver&) {
    clickHosts(dlg);
    EXPECT_FALSE(dlg.hostPane()->HasChildren(dlg.hostPane()->GetRootItem()));
    EXPECT_EQ(label(dlg.directoryPane(), dlg.directoryPane()->GetRootItem()), "Host");
    EXPECT_EQ(text(dlg, Dlg::kStatusId), "ﾚﾃﾞｨ");
    EXPECT_EQ(text(dlg, Dlg::kCountId), "ｱｲﾃﾑ数 : 0");
    menu(dlg, Dlg::kDeleteHostId);  // nothing chosen: nothing asked
  }));
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(ItemTreeDlgTest, PanesFollowTheChoicesAndEachDeletionTakesExactlyItsRows) {
  const std::pair<const char*, const char*> rows[] = {
      {"http://a.example/img/", "1.jpg"},     {"https://a.example/img/sub/", "2.jpg"},
      {"http://a.example/", "index.htm"},     {"http://data.example/img/", "3.jpg"},
      {"http://a.example/old/img/", "4.jpg"}, {"https://a.example/img/", "5.html"}};
  for (const auto& [url, name] : rows) {
    const std::string n = name;
    items().AddItem(n, url, "ADD", n.substr(n.find('.') + 1), "", "");
  }
  std::string shot;
  EXPECT_TRUE(open([&](Dlg& dlg, DialogDriver&) {
    wxTreeCtrl* hosts = dlg.hostPane();
    wxTreeCtrl* dirs = dlg.directoryPane();
    wxListCtrl* files = dlg.filePane();
    EXPECT_EQ(label(hosts, hosts->GetRootItem()), "ｱｲﾃﾑﾘｽﾄ");
    clickHosts(dlg);
    clickHosts(dlg);  // filled once
    EXPECT_EQ(childTexts(hosts, hosts->GetRootItem()),
              (std::vector<std::string>{"a.example", "data.example"}));

    hosts->SelectItem(child(hosts, hosts->GetRootItem(), "a.example"));
    EXPECT_EQ(label(dirs, dirs->GetRootItem()), "a.example");
    EXPECT_EQ(childTexts(dirs, dirs->GetRootItem()), (std::vector<std::string>{"img", "old"}));
    const wxTreeItemId img = child(dirs, dirs->GetRootItem(), "img");
    EXPECT_EQ(childTexts(dirs, img), std::vector<std::string>{"sub"});

    dirs->SelectItem(img);
    EXPECT_EQ(entries(files), (std::vector<std::string>{"1.jpg", "5.html"}));
    wxListItem entry;
    entry.SetId(1);
    entry.SetMask(wxLIST_MASK_IMAGE);
    files->GetItem(entry);
    const int pageImage = entry.GetImage();
    entry.SetId(0);
    files->GetItem(entry);
    EXPECT_NE(entry.GetImage(), pageImage);
    EXPECT_EQ(text(dlg, Dlg::kCountId), "ｱｲﾃﾑ数 : 2");
    EXPECT_EQ(text(dlg, Dlg::kStatusId), "ﾚﾃﾞｨ");
    files->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    shot = saveScreenshot(&dlg, "item-tree-view");

    // Files: No keeps them, Yes deletes the selected one.
    menu(dlg, Dlg::kDeleteFileId);
    EXPECT_EQ(items().count(), 6);
    prompter_.answer(PromptAnswer::kYes);
    menu(dlg, Dlg::kDeleteFileId);
    EXPECT_EQ(names(), "2.jpg;index.htm;3.jpg;4.jpg;5.html;");
    EXPECT_EQ(entries(files), std::vector<std::string>{"5.html"});
    EXPECT_EQ(text(dlg, Dlg::kCountId), "ｱｲﾃﾑ数 : 1");

    // A directory goes with everything below it, but not a same-named one elsewhere.
    prompter_.answer(PromptAnswer::kYes);
    menu(dlg, Dlg::kDeleteDirectoryId);
    EXPECT_EQ(names(), "index.htm;3.jpg;4.jpg;");
    EXPECT_EQ(childTexts(dirs, dirs->GetRootItem()), std::vector<std::string>{"old"});
    EXPECT_EQ(files->GetItemCount(), 0);

    // The host goes, and the host whose name contains it stays.
    prompter_.answer(PromptAnswer::kYes);
    menu(dlg, Dlg::kDeleteHostId);
    EXPECT_EQ(names(), "3.jpg;");
    EXPECT_EQ(childTexts(hosts, hosts->GetRootItem()), std::vector<std::string>{"data.example"});
    EXPECT_EQ(label(dirs, dirs->GetRootItem()), "Host");

    // The directory tree's top node deletes its host.
    hosts->SelectItem(child(hosts, hosts->GetRootItem(), "data.example"));
    dirs->SelectItem(dirs->GetRootItem());
    prompter_.answer(PromptAnswer::kYes);
    menu(dlg, Dlg::kDeleteDirectoryId);
    EXPECT_EQ(items().count(), 0);
    EXPECT_FALSE(hosts->HasChildren(hosts->GetRootItem()));
    menu(dlg, Dlg::kCloseId);
    EXPECT_FALSE(dlg.IsModal());
  }));
  std::vector<std::string> asked;
  for (const auto& m : prompter_.messages()) asked.push_back(m.text);
  EXPECT_EQ(asked, (std::vector<std::string>{"選択中の[File]を削除してよろしいですか？",
                                             "選択中の[File]を削除してよろしいですか？",
                                             "選択中の[Directory]を削除してよろしいですか？",
                                             "選択中の[Host]を削除してよろしいですか？",
                                             "選択中の[Directory]を削除してよろしいですか？"}));
  std::printf("screenshot: %s\n", shot.c_str());
}

}  // namespace
}  // namespace murlo::test
