#include "folder-dlg.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "command-ids.h"
#include "gui-fixture.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;
namespace fs = std::filesystem;

class FolderDlgTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    for (const char* d : {"vol/a/b/c", "vol/a/x", "vol/.hidden", "vol/z", "disc/inside"}) {
      fs::create_directories(box_.path(d));
    }
    volumes_ = {{box_.path("vol"), DriveType::kFixed}, {box_.path("disc"), DriveType::kOptical}};
  }
  std::string selected(CFolderDlg& dlg) {
    std::string path;
    return dlg.tree()->GetSelectedPath(path) ? path : "(none)";
  }
  std::vector<std::string> labels(CFolderTree* tree, const wxTreeItemId& parent) {
    std::vector<std::string> out;
    wxTreeItemIdValue cookie;
    for (auto c = tree->GetFirstChild(parent, cookie); c.IsOk();
         c = tree->GetNextChild(parent, cookie)) {
      out.push_back(std::string(tree->GetItemText(c).utf8_str()));
    }
    return out;
  }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (const auto& m : prompter_.messages()) out.push_back(m.text);
    return out;
  }
  // Names the new folder being edited as a user would type it and press Enter (or Escape).
  void name(CFolderTree* tree, const std::string& text, bool escape = false) {
    ASSERT_TRUE(tree->GetEditControl());
    tree->GetEditControl()->SetValue(wxString::FromUTF8(text));
    tree->EndEditLabel(tree->GetSelection(), escape);
    pumpEvents();
  }
  // Presses Escape in the name being edited; the key goes up from the edit control as the
  // toolkit sends it.
  static void escape(CFolderTree* tree) {
    ASSERT_TRUE(tree->GetEditControl());
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = WXK_ESCAPE;
    key.SetEventObject(tree->GetEditControl());
    tree->GetEditControl()->GetEventHandler()->ProcessEvent(key);
    pumpEvents();
  }
  static void press(wxDialog& dlg, int id) { DialogDriver{dlg}.press(id); }
  std::vector<Volume> volumes_;
};

TEST_F(FolderDlgTest, TreeOfVolumesAndASelectedDeepPath) {
  CFolderDlg dlg(nullptr, prompter_, box_.path("vol/a/b"), volumes_);
  CFolderTree* tree = dlg.tree();
  EXPECT_EQ(std::string(tree->GetItemText(tree->GetRootItem()).utf8_str()), "ﾃﾞｽｸﾄｯﾌﾟ");
  EXPECT_EQ(std::string(tree->GetItemText(tree->myComputer()).utf8_str()), "ﾏｲ ｺﾝﾋﾟｭｰﾀ");
  EXPECT_EQ(labels(tree, tree->myComputer()),
            (std::vector<std::string>{box_.path("vol"), box_.path("disc")}));
  EXPECT_EQ(selected(dlg), box_.path("vol/a/b"));
  const wxTreeItemId b = tree->GetSelection();
  EXPECT_EQ(labels(tree, b), std::vector<std::string>{"c"});  // loaded one level below
  EXPECT_EQ(labels(tree, tree->GetItemParent(tree->GetItemParent(b))),
            (std::vector<std::string>{"a", "z"}));

  // The disc is listed but never chosen.
  wxTreeItemIdValue cookie;
  tree->GetFirstChild(tree->myComputer(), cookie);
  tree->SelectItem(tree->GetNextChild(tree->myComputer(), cookie));
  EXPECT_EQ(selected(dlg), "(none)");
  EXPECT_FALSE(dlg.FindWindow(wxID_OK)->IsEnabled());
  EXPECT_FALSE(dlg.FindWindow(CFolderDlg::kNewFolderId)->IsEnabled());
  EXPECT_EQ(dlg.path(), box_.path("vol/a/b"));
  EXPECT_TRUE(texts().empty());
  tree->SelectPath(box_.path("vol/a/b"));
  dlg.Show();
  pumpUntil([&] { return dlg.IsShownOnScreen(); });
  std::printf("screenshot: %s\n", saveScreenshot(&dlg, "folder-chooser").c_str());
  dlg.Hide();
}

TEST_F(FolderDlgTest, AMissingFolderSelectsNothingAndKeepsThePath) {
  CFolderDlg dlg(nullptr, prompter_, box_.path("vol/a/gone/deeper"), volumes_);
  EXPECT_EQ(selected(dlg), "(none)");
  EXPECT_EQ(dlg.path(), box_.path("vol/a/gone/deeper"));
  EXPECT_TRUE(dlg.FindWindow(wxID_OK)->IsEnabled());
  CFolderDlg outside(nullptr, prompter_, "/nowhere/at/all", volumes_);
  EXPECT_EQ(selected(outside), "(none)");
  CFolderDlg empty(nullptr, prompter_, "", volumes_);
  EXPECT_FALSE(empty.FindWindow(wxID_OK)->IsEnabled());
}

TEST_F(FolderDlgTest, NewFolderIsNamedInPlace) {
  CFolderDlg dlg(nullptr, prompter_, box_.path("vol/a"), volumes_);
  dlg.Show();
  CFolderTree* tree = dlg.tree();

  tree->NewFolder();
  ASSERT_TRUE(tree->editing());
  EXPECT_EQ(std::string(tree->GetItemText(tree->GetSelection()).utf8_str()), "新しいﾌｫﾙﾀﾞ");
  tree->GetEditControl()->SetValue("typed");
  escape(tree);  // gives the new folder up
  EXPECT_FALSE(tree->editing());
  EXPECT_FALSE(fs::exists(box_.path("vol/a/typed")));
  tree->SelectPath(box_.path("vol/a"));
  EXPECT_EQ(labels(tree, tree->GetSelection()), (std::vector<std::string>{"b", "x"}));

  // Enter on the name offered takes it.
  tree->NewFolder();
  tree->EndEditLabel(tree->GetSelection());
  pumpEvents();
  EXPECT_FALSE(tree->editing());
  EXPECT_TRUE(fs::is_directory(box_.path("vol/a/新しいﾌｫﾙﾀﾞ")));
  EXPECT_EQ(selected(dlg), box_.path("vol/a/新しいﾌｫﾙﾀﾞ"));

  tree->SelectPath(box_.path("vol/a"));
  tree->NewFolder();
  name(tree, "x");  // exists already
  EXPECT_FALSE(tree->editing());
  EXPECT_EQ(texts(), std::vector<std::string>{"指定のﾃﾞｨﾚｸﾄﾘは既に存在しています。"});

  tree->SelectPath(box_.path("vol/a"));
  EXPECT_EQ(labels(tree, tree->GetSelection()),
            (std::vector<std::string>{"b", "x", "新しいﾌｫﾙﾀﾞ"}));  // the failed one is gone
  tree->NewFolder();
  name(tree, "新規");
  EXPECT_TRUE(fs::is_directory(box_.path("vol/a/新規")));
  EXPECT_EQ(selected(dlg), box_.path("vol/a/新規"));
  EXPECT_EQ(dlg.path(), box_.path("vol/a/新規"));
  dlg.Hide();
}

TEST_F(FolderDlgTest, OkAndCancelWaitWhileNamingAndTheCommandStoresPath01) {
  fs::create_directories(box_.path("dl/sub"));
  box_.write("Murlo.ini",
             "[STORE]\r\nPATH01=" + box_.path("dl") + "\r\nPATH02=" + box_.path("old") + "\r\n");
  ASSERT_TRUE(startFrame());
  EXPECT_TRUE(driveModal<CFolderDlg>(
      [&] { command(ID_CHANGE_FOLDER); },
      [&](CFolderDlg& dlg) {
        EXPECT_EQ(selected(dlg), box_.path("dl"));
        dlg.tree()->SelectPath(box_.path("dl/sub"));
        dlg.tree()->NewFolder();
        for (int id : {wxID_OK, wxID_CANCEL}) {
          press(dlg, id);
          EXPECT_TRUE(dlg.IsModal()) << id;
        }
        escape(dlg.tree());
        EXPECT_TRUE(dlg.IsModal());  // Escape went to the name, which is given up
        EXPECT_FALSE(dlg.tree()->editing());
        EXPECT_EQ(selected(dlg), box_.path("dl/sub"));
        dlg.tree()->NewFolder();
        name(dlg.tree(), "made");
        press(dlg, wxID_OK);
      }));
  EXPECT_EQ(app_.settings.path01, box_.path("dl/sub/made"));
  EXPECT_EQ(app_.settings.path02, box_.path("old"));  // no history push here
}

}  // namespace
}  // namespace murlo::test
