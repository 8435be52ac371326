// The program on a desktop: a window manager handles focus, stacking and placement, and the
// locale is Japanese. run-on-desktop.sh provides both; keys and clicks go through the X
// server as a user's would.
#include <gtest/gtest.h>
#include <wx/artprov.h>
#include <wx/aui/aui.h>
#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/statbmp.h>
#include <wx/uiaction.h>

// The generic message box builds on the declarations of wx/msgdlg.h.
#include <wx/generic/msgdlgg.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "add-item-dlg.h"
#include "analysis/address.h"
#include "command-ids.h"
#include "gui-fixture.h"
#include "gui-prompter.h"
#include "http-test-server.h"
#include "items/item-info.h"
#include "job-commands.h"
#include "narrow-dlg.h"
#include "output-window.h"
#include "progress-dlg.h"
#include "recursive-dlg.h"
#include "settings/ini-file.h"
#include "text/cp932.h"
#include "x-screen.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

std::string label(wxWindow* w) { return w ? std::string(w->GetLabel().utf8_str()) : ""; }

bool sameImage(const wxBitmap& a, const wxBitmap& b) {
  const wxImage x = a.ConvertToImage();
  const wxImage y = b.ConvertToImage();
  return x.GetSize() == y.GetSize() &&
         std::equal(x.GetData(), x.GetData() + x.GetWidth() * x.GetHeight() * 3, y.GetData());
}

class DesktopTest : public GuiTest {
 protected:
  // Clicks the middle of a row of the list, with Ctrl held when `adding`.
  // A click on the row, with Ctrl or Shift held when `modifier` names it.
  void clickRow(int row, int modifier = 0) {
    wxRect r;
    frame_->view()->GetItemRect(row, r);
    wxUIActionSimulator sim;
    sim.MouseMove(frame_->view()->ClientToScreen(r.GetPosition() + wxSize(40, r.height / 2)));
    if (modifier) sim.KeyDown(modifier);
    sim.MouseClick();
    if (modifier) sim.KeyUp(modifier);
    pumpEvents();
  }
  bool enabled(int id) {
    wxUpdateUIEvent event(id);
    frame_->GetEventHandler()->ProcessEvent(event);
    return event.GetEnabled();
  }
  // Keys typed into whatever window has the keyboard, until `done` holds.
  bool type(const std::function<void(wxUIActionSimulator&)>& keys,
            const std::function<bool()>& done) {
    wxUIActionSimulator sim;
    keys(sim);
    return pumpUntil(done);
  }
};

TEST(DesktopLocale, MessageBoxesShowTheirKindsIconAndTheToolkitsJapaneseButtons) {
  const std::pair<PromptIcon, wxArtID> kinds[] = {{PromptIcon::kInformation, wxART_INFORMATION},
                                                  {PromptIcon::kStop, wxART_ERROR},
                                                  {PromptIcon::kExclamation, wxART_WARNING},
                                                  {PromptIcon::kQuestion, wxART_QUESTION}};
  for (const auto& [icon, art] : kinds) {
    const wxArtID expected = art;
    const bool question = icon == PromptIcon::kQuestion;
    const bool shown = driveModal<wxGenericMessageDialog>(
        [icon = icon, question] {
          showMessageBox(nullptr, "ﾘｽﾄからすべのｱｲﾃﾑを削除します。よろしいですか？", icon,
                         question ? PromptButtons::kYesNo : PromptButtons::kOk);
        },
        [&](wxGenericMessageDialog& dlg) {
          wxStaticBitmap* picture = nullptr;
          for (wxWindow* child : dlg.GetChildren()) {
            if (!picture) picture = dynamic_cast<wxStaticBitmap*>(child);
          }
          ASSERT_NE(picture, nullptr) << expected;
          EXPECT_TRUE(sameImage(picture->GetBitmap(),
                                wxArtProvider::GetBitmap(expected, wxART_MESSAGE_BOX)))
              << expected;
          if (!question) return;
          EXPECT_NE(label(dlg.FindWindow(wxID_YES)).find("はい"), std::string::npos);
          EXPECT_NE(label(dlg.FindWindow(wxID_NO)).find("いいえ"), std::string::npos);
          saveScreenshot(&dlg, "ja-message-box");
        });
    EXPECT_TRUE(shown) << expected;
  }
  // The kinds are told apart by their pictures.
  EXPECT_FALSE(sameImage(wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_MESSAGE_BOX),
                         wxArtProvider::GetBitmap(wxART_ERROR, wxART_MESSAGE_BOX)));
}

TEST_F(DesktopTest, EnterInTheAddBarAddsTheAddress) {
  ASSERT_TRUE(startFrame());
  frame_->urlCombo()->SetValue("http://h.jp/a/b.jpg");
  frame_->urlCombo()->SetFocus();
  ASSERT_TRUE(pumpUntil([&] { return frame_->urlCombo()->HasFocus(); }));
  EXPECT_TRUE(type([](wxUIActionSimulator& sim) { sim.Char(WXK_RETURN); },
                   [&] { return items().count() == 1; }));
  EXPECT_EQ(names(), "b.jpg;");
}

TEST_F(DesktopTest, TypingRightAfterOpeningADialogLandsInItsFirstField) {
  ASSERT_TRUE(startFrame());
  items().AddItem("a.jpg", "http://h.jp/", "ADD", "jpg", "", "");
  auto typedIntoFirstField = [&](int command, auto* dialogType) {
    using Dlg = std::remove_pointer_t<decltype(dialogType)>;
    std::string typed;
    const bool shown = driveModal<Dlg>([&] { this->command(command); },
                                       [&](Dlg& dlg, DialogDriver& d) {
                                         type([](wxUIActionSimulator& sim) { sim.Text("abc"); },
                                              [&] { return d.text(1000) == "abc"; });
                                         typed = d.text(1000);
                                         dlg.EndModal(wxID_CANCEL);
                                       });
    return shown ? typed : "(not shown)";
  };
  EXPECT_EQ(typedIntoFirstField(ID_ADD_ITEM_DIALOG, static_cast<CAddItemDlg*>(nullptr)), "abc");
  EXPECT_EQ(typedIntoFirstField(ID_RECURSIVE, static_cast<CRecursiveDlg*>(nullptr)), "abc");
  EXPECT_EQ(typedIntoFirstField(ID_ONLY_STATE, static_cast<CNarrowDlg*>(nullptr)), "abc");
}

TEST_F(DesktopTest, AFloatedBarComesBackOnTopAtItsPointAndOnScreen) {
  ASSERT_TRUE(startFrame());
  frame_->aui().GetPane("ListBar").Float().FloatingPosition(300, 200);
  frame_->aui().Update();
  // Where the X server has it: the toolkit's record may lag behind or keep a stale place.
  ASSERT_TRUE(pumpUntil([&] { return screenPosition("ﾘｽﾄﾊﾞｰ") == wxPoint(300, 200); }));
  ASSERT_TRUE(closeFrame());
  ASSERT_EQ(IniFile::load(app_.iniPath()).getInt("ListBar", "Show", -1), 2);

  ASSERT_TRUE(startFrame());
  const wxAuiPaneInfo& pane = frame_->aui().GetPane("ListBar");
  ASSERT_TRUE(pane.IsFloating() && pane.frame);
  EXPECT_TRUE(pane.frame->IsShown());
  EXPECT_TRUE(pumpUntil([&] { return screenPosition("ﾘｽﾄﾊﾞｰ") == wxPoint(300, 200); }));
  EXPECT_TRUE(pumpUntil([&] {
    return stackingIndex("ﾘｽﾄﾊﾞｰ") > stackingIndex("Murlo ver2.02 - Murlo");
  })) << stackingIndex("ﾘｽﾄﾊﾞｰ")
      << " below " << stackingIndex("Murlo ver2.02 - Murlo");
  ASSERT_TRUE(closeFrame());
  IniFile ini = IniFile::load(app_.iniPath());
  EXPECT_EQ(wxPoint(ini.getInt("ListBar", "Point_X", -1), ini.getInt("ListBar", "Point_Y", -1)),
            wxPoint(300, 200));

  // A point on a screen that is gone brings the bar back where it can be seen.
  ini.setInt("ListBar", "Point_X", 9000);
  ini.setInt("ListBar", "Point_Y", -4000);
  ASSERT_TRUE(ini.save(app_.iniPath()));
  ASSERT_TRUE(startFrame());
  const wxAuiPaneInfo& moved = frame_->aui().GetPane("ListBar");
  ASSERT_TRUE(moved.frame);
  EXPECT_TRUE(pumpUntil([&] { return wxDisplay::GetFromWindow(moved.frame) != wxNOT_FOUND; }));
}

TEST_F(DesktopTest, RowsPickedWithTheMouseEnablePropertiesForOneAndTheDeleteKeyDeletesThem) {
  ASSERT_TRUE(startFrame());
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"})
    items().AddItem(name, "http://h.jp/", "ADD", "jpg", "", "");
  pumpEvents();
  clickRow(0);
  EXPECT_TRUE(pumpUntil([&] { return enabled(ID_PROPERTIES); }));
  clickRow(2, WXK_CONTROL);
  EXPECT_TRUE(pumpUntil([&] { return !enabled(ID_PROPERTIES); }));
  // A range picked with Shift reaches the rows without an event for each of them.
  clickRow(1);
  EXPECT_TRUE(pumpUntil([&] { return enabled(ID_PROPERTIES); }));
  clickRow(3, WXK_SHIFT);
  EXPECT_TRUE(pumpUntil([&] { return !enabled(ID_PROPERTIES); }));
  prompter_.answer(PromptAnswer::kYes);
  EXPECT_TRUE(type([](wxUIActionSimulator& sim) { sim.Char(WXK_DELETE); },
                   [&] { return items().count() == 2; }));
  EXPECT_EQ(prompter_.texts(),
            std::vector<std::string>{"ﾘｽﾄから現在選択中のｱｲﾃﾑを削除します。よろしいですか？"});
  EXPECT_EQ(names(), "a.jpg;e.jpg;");
}

TEST_F(DesktopTest, TheProgressWindowLeavesTheKeyboardWithTheMainWindow) {
  HttpTestServer server;
  std::atomic<bool> release{false};
  server.routes().Get("/slow.bin", [&release](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(1 << 20, "application/octet-stream",
                             [&release](size_t, size_t length, httplib::DataSink& sink) {
                               if (!release)
                                 std::this_thread::sleep_for(std::chrono::milliseconds(20));
                               const std::string block(std::min<size_t>(length, 512), 's');
                               return sink.write(block.data(), block.size());
                             });
  });
  server.start();
  std::filesystem::create_directory(box_.path("dl"));
  box_.write("Murlo.ini", "[STORE]\r\nPATH01=" + box_.path("dl") + "/\r\n");
  ASSERT_TRUE(startFrame());
  const SplitAddress slow = splitUrl(server.url("/slow.bin"));
  items().AddItem(slow.fileName, slow.url, "ADD", slow.extension, "", "");
  frame_->urlCombo()->ChangeValue("http://h.jp/next.jpg");
  frame_->view()->SetFocus();
  ASSERT_TRUE(pumpUntil([&] { return frame_->view()->HasFocus(); }));

  command(ID_RUN);
  ASSERT_TRUE(pumpUntil([] { return stackingIndex("動作状況") >= 0; }));
  pumpUntil([] { return false; }, 300);  // time for the window manager to hand the focus over
  EXPECT_EQ(wxGetTopLevelParent(wxWindow::FindFocus()), frame_);
  // Return goes to the list, not to the hang-up box; the Insert key still adds from the bar.
  EXPECT_TRUE(type(
      [](wxUIActionSimulator& sim) {
        sim.Char(WXK_RETURN);
        sim.Char(WXK_INSERT);
      },
      [&] { return items().count() == 2; }));
  EXPECT_FALSE(frame_->jobs()->progressWindow()->hangUpBox()->GetValue());
  release = true;
  EXPECT_TRUE(pumpUntil([&] { return !frame_->doc()->jobRunning(); }, 15000));
}

TEST_F(DesktopTest, TheWindowOpensWhereItWasAndOnScreen) {
  box_.write("Murlo.ini",
             "[MainFrame]\r\nPoint_X=210\r\nPoint_Y=130\r\nSize_CX=700\r\nSize_CY=500\r\n");
  ASSERT_TRUE(startFrame());
  EXPECT_TRUE(pumpUntil([&] { return frame_->GetPosition() == wxPoint(210, 130); }))
      << frame_->GetPosition().x << "," << frame_->GetPosition().y;
  ASSERT_TRUE(closeFrame());
  // Nothing drifts by the window manager's frame from one run to the next.
  const IniFile ini = IniFile::load(app_.iniPath());
  EXPECT_EQ(ini.getInt("MainFrame", "Point_X", -1), 210);
  EXPECT_EQ(ini.getInt("MainFrame", "Point_Y", -1), 130);

  box_.write("Murlo.ini", "[MainFrame]\r\nPoint_X=-5000\r\nPoint_Y=3000\r\n");
  ASSERT_TRUE(startFrame());
  EXPECT_TRUE(
      pumpUntil([&] { return wxDisplay::GetFromPoint(frame_->GetPosition()) != wxNOT_FOUND; }));
}

TEST_F(DesktopTest, ColumnWidthsAndTheOutputHeightComeBackInAMaximisedWindow) {
  box_.write("Murlo.ini",
             "[MainFrame]\r\nShow=3\r\n[DialogBar]\r\nSize_CY=420\r\n"
             "[ListColumns]\r\nWidth2=200\r\nWidth3=-1\r\n");
  ASSERT_TRUE(startFrame());
  ASSERT_TRUE(pumpUntil([&] { return frame_->IsMaximized(); }));
  EXPECT_EQ(frame_->output()->GetSize().GetHeight(), 420);
  EXPECT_EQ(frame_->view()->GetColumnWidth(2), 200);
  EXPECT_GT(frame_->view()->GetColumnWidth(3), 0);  // a bad width gives a usable column
  frame_->view()->SetColumnWidth(1, 250);
  ASSERT_TRUE(closeFrame());
  const IniFile ini = IniFile::load(app_.iniPath());
  EXPECT_EQ(ini.getInt("DialogBar", "Size_CY", -1), 420);
  EXPECT_EQ(ini.getInt("ListColumns", "Width1", -1), 250);
  EXPECT_EQ(ini.getInt("MainFrame", "Show", -1), 3);
}

TEST_F(DesktopTest, ScreenshotsOfTheChooserAndAJapaneseSaveFolder) {
  const std::string home = box_.path("home");
  const std::string saveFolder = home + "/ダウンロード/";
  std::filesystem::create_directories(saveFolder);
  const char* realHome = std::getenv("HOME");
  const std::string keptHome = realHome ? realHome : "";
  setenv("HOME", home.c_str(), 1);
  box_.write("Murlo.ini", "[STORE]\r\nPATH01=" + utf8ToCp932(saveFolder) +
                              "\r\n[ListColumns]\r\nWidth1=150\r\nWidth4=420\r\n");
  ASSERT_TRUE(startFrame());
  items().AddItem(utf8ToCp932("写真.jpg"), "http://h.jp/", "RESUME", "jpg",
                  kInfoResumeEntryPrefix + utf8ToCp932(saveFolder + "写真.jpg"), "");
  pumpEvents();
  std::cout << saveScreenshot(frame_, "ja-main-window") << "\n";

  GuiPrompter prompter;
  prompter.setParent(frame_);
  FileDialogRequest request;
  request.title = "ﾌｧｲﾙを保存する";
  request.initialFolder = saveFolder;
  request.initialName = "写真.jpg";
  // The toolkit's own chooser is no window of ours: it is found by its title, shot with the
  // whole screen and closed with Escape.
  bool shown = false;
  wxTheApp->CallAfter([&] {
    shown = pumpUntil([] { return stackingIndex("ﾌｧｲﾙを保存する") >= 0; });
    std::cout << saveScreenshot(wxDisplay(0u).GetGeometry(), "ja-file-chooser") << "\n";
    wxUIActionSimulator().Char(WXK_ESCAPE);
  });
  EXPECT_FALSE(prompter.chooseSaveFile(request));
  EXPECT_TRUE(shown);
  setenv("HOME", keptHome.c_str(), 1);
}

}  // namespace
}  // namespace murlo::test
