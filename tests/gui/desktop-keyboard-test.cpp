// The keyboard on the desktop of run-on-desktop.sh: keys go through the X server to the
// window that has the focus, as a user's do.
#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <utility>

#include "add-item-dlg.h"
#include "command-ids.h"
#include "file-entry-dlg.h"
#include "folder-dlg.h"
#include "gui-fixture.h"
#include "item-tree-dlg.h"
#include "properties-dlg.h"
#include "wizard-user.h"
#include "wizard/wiz-address-page.h"
#include "wizard/wizard.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

class DesktopKeys : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    std::filesystem::create_directory(box_.path("dl"));
    box_.write("Murlo.ini", "[STORE]\r\nPATH01=" + box_.path("dl") + "/\r\n");
    ASSERT_TRUE(startFrame());
  }
  // Gives `w` the keyboard and waits until the window manager has let it have it.
  static bool focus(wxWindow* w) {
    w->SetFocus();
    return pumpUntil([w] { return w->HasFocus(); });
  }
  static void key(int keycode, int modifiers = wxMOD_NONE) {
    wxUIActionSimulator().Char(keycode, modifiers);
  }
};

TEST_F(DesktopKeys, EnterInADialogPressesItsOk) {
  items().AddItem("a.jpg", "http://h.jp/", "ADD", "jpg", "", "");
  items().setSelected(0, true);
  frame_->view()->pushSelection();
  // Each dialog with the window that has the keyboard when Enter is pressed.
  const std::pair<int, int> dialogs[] = {{ID_ADD_ITEM_DIALOG, CAddItemDlg::kAddressId},
                                         {ID_RESUME_ENTRY, CFileEntryDlg::kAddressId},
                                         {ID_LOCAL_FILE, CFileEntryDlg::kAddressId},
                                         {ID_PROPERTIES, CPropertiesDlg::kFileNameId}};
  for (const auto& dialog : dialogs) {
    // Named copies: clang refuses to capture the names of a structured binding.
    const int commandId = dialog.first;
    const int focused = dialog.second;
    bool pressed = false;
    const bool shown =
        driveModal<wxDialog>([&] { command(commandId); },
                             [&](wxDialog& dlg) {
                               // Recorded in place of what OK does.
                               dlg.Bind(
                                   wxEVT_BUTTON, [&](wxCommandEvent&) { pressed = true; }, wxID_OK);
                               ASSERT_TRUE(focus(dlg.FindWindow(focused)));
                               key(WXK_RETURN);
                               pumpUntil([&] { return pressed; });
                             });
    EXPECT_TRUE(shown) << commandId;
    EXPECT_TRUE(pressed) << commandId;
  }
}

TEST_F(DesktopKeys, EnterInTheFolderTreePressesOk) {
  // A folder with folders in it, which the tree would open or close on Enter.
  std::filesystem::create_directory(box_.path("dl/sub"));
  int answer = 0;
  ASSERT_TRUE(driveModal<CFolderDlg>([&] { command(ID_CHANGE_FOLDER); },
                                     [&](CFolderDlg& dlg) {
                                       ASSERT_TRUE(focus(dlg.tree()));
                                       key(WXK_RETURN);
                                       pumpUntil([&] { return !dlg.IsModal(); });
                                       answer = dlg.GetReturnCode();
                                     }));
  EXPECT_EQ(answer, wxID_OK);
}

TEST_F(DesktopKeys, TheTreeViewFillsItsHostsFromTheKeyboardAndEscapeClosesIt) {
  items().AddItem("a.jpg", "http://h.jp/d/", "ADD", "jpg", "", "");
  bool filled = false;
  bool closed = false;
  ASSERT_TRUE(driveModal<CItemTreeDlg>([&] { command(ID_TREE_VIEW); },
                                       [&](CItemTreeDlg& dlg) {
                                         ASSERT_TRUE(focus(dlg.hostPane()));
                                         key(WXK_DOWN);
                                         // The host is listed, and choosing it lists its
                                         // directories.
                                         filled = pumpUntil(
                                             [&] { return dlg.directoryPane()->GetCount() > 1; });
                                         key(WXK_ESCAPE);
                                         closed = pumpUntil([&] { return !dlg.IsModal(); });
                                       }));
  EXPECT_TRUE(filled);
  EXPECT_TRUE(closed);
}

TEST_F(DesktopKeys, TabLeavesTheAddressBarForTheList) {
  ASSERT_TRUE(focus(frame_->urlCombo()));
  key(WXK_TAB);
  EXPECT_TRUE(pumpUntil([&] { return frame_->view()->HasFocus(); }));
}

TEST_F(DesktopKeys, AltNGoesToTheWizardsNextPageAndTypingFillsTheAddress) {
  ASSERT_TRUE(driveModal<CWizard>(
      [&] { command(ID_WIZARD); },
      [&](CWizard& wizard) {
        WizardUser user{wizard};
        user.choose("ﾎｰﾑﾍﾟｰｼﾞをﾀﾞｳﾝﾛｰﾄﾞする(&H)");
        user.next();
        ASSERT_EQ(user.page(), wizard::WizardPage::kHomePage);
        // A choice of this page has the same letter as Next.
        user.choose("現在のﾍﾟｰｼﾞから、再帰的にﾘﾝｸを捜しだしてﾀﾞｳﾝﾛｰﾄﾞ(&I)");
        user.choose("一つのﾌｫﾙﾀﾞに全てのﾌｧｲﾙを保存(&O)");
        key('N', wxMOD_ALT);
        EXPECT_TRUE(pumpUntil([&] { return user.page() == wizard::WizardPage::kExtensions; }));
        EXPECT_EQ(wizard.state().mode, wizard::WizardMode::kRecursive);

        user.tick(1007, true);
        user.next();
        ASSERT_EQ(user.page(), wizard::WizardPage::kAddress);
        // What the user types right away is the address.
        const std::string folder = user.text(CWizAddressPage::kFolderId);
        wxUIActionSimulator().Text("abc");
        EXPECT_TRUE(pumpUntil([&] { return user.text(CWizAddressPage::kAddressId) == "abc"; }));
        EXPECT_EQ(user.text(CWizAddressPage::kFolderId), folder);
      }));
}

}  // namespace
}  // namespace murlo::test
