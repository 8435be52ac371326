#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/aui/aui.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "about-dlg.h"
#include "command-ids.h"
#include "gui-fixture.h"
#include "items/list-file.h"
#include "output-window.h"
#include "settings/ini-file.h"
#include "x-screen.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

void setClipboard(const std::string& text) {
  wxClipboardLocker lock;
  ASSERT_TRUE(!!lock);
  wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
}

std::string title(wxFrame* f) { return std::string(f->GetTitle().utf8_str()); }

TEST_F(GuiTest, FirstStartUsesDefaultPlacementAndShowsAllBars) {
  ASSERT_TRUE(startFrame());
  EXPECT_EQ(title(frame_), "Murlo ver2.02 - Murlo");
  EXPECT_EQ(frame_->GetSize(), wxSize(856, 548));
  for (const char* pane : {"ToolBar", "ListBar", "AddUrlBar", "DialogBar"}) {
    EXPECT_TRUE(frame_->aui().GetPane(pane).IsShown()) << pane;
  }
  EXPECT_TRUE(frame_->GetStatusBar()->IsShown());
  EXPECT_EQ(frame_->urlCombo()->GetCount(), 0u);
  EXPECT_EQ(std::string(frame_->GetStatusBar()->GetStatusText(2).utf8_str()), "ｱｲﾃﾑ数 ： 0");
  EXPECT_EQ(
      std::string(frame_->output()->GetValue().utf8_str()).rfind("Murlo ver 2.02.10.29\t\t", 0),
      0u);
}

TEST_F(GuiTest, PlacementAndBarStatesSurviveARestart) {
  ASSERT_TRUE(startFrame());
  frame_->aui().GetPane("ListBar").Float().FloatingPosition(300, 200);
  frame_->aui().GetPane("DialogBar").Hide();
  frame_->aui().Update();
  frame_->Maximize();
  pumpEvents();
  ASSERT_TRUE(closeFrame());

  const IniFile ini = IniFile::load(app_.iniPath());
  EXPECT_EQ(ini.getInt("ListBar", "Show", -1), 2);
  EXPECT_EQ(ini.getInt("DialogBar", "Show", -1), 0);
  EXPECT_EQ(ini.getInt("ToolBar", "Show", -1), 1);
  EXPECT_EQ(ini.getInt("SETTING", "DownEx", -1), 121);  // settings written after placement

  ASSERT_TRUE(startFrame());
  EXPECT_TRUE(frame_->aui().GetPane("ListBar").IsFloating());
  // Without a window manager too, the bar is in front of the window that owns it.
  EXPECT_TRUE(
      pumpUntil([] { return stackingIndex("ﾘｽﾄﾊﾞｰ") > stackingIndex("Murlo ver2.02 - Murlo"); }));
  EXPECT_FALSE(frame_->aui().GetPane("DialogBar").IsShown());
  EXPECT_EQ(app_.placement.show, ini.getInt("MainFrame", "Show", -1));
}

TEST_F(GuiTest, AMurloIniThatIsAFifoGivesTheDefaultsAndIsNotReplacedAtExit) {
  ASSERT_EQ(::mkfifo(app_.iniPath().c_str(), 0600), 0);
  // Read without waiting for a writer, as murlo-cli reads it.
  EXPECT_EQ(
      app_.load(),
      app_.iniPath() + " は通常のﾌｧｲﾙではありません。既定の設定を使い、このﾌｧｲﾙには保存しません");
  EXPECT_EQ(app_.settings, defaultSettings(app_.appDirectory));
  EXPECT_FALSE(app_.save());
  struct stat info {};
  ASSERT_EQ(::lstat(app_.iniPath().c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(GuiTest, OfflineSwitchChangesTitleAndClearsTheCacheBit) {
  box_.write("Murlo.ini", "[SETTING]\r\nConnection=3078\r\n");  // 0x0C06: no-cache on
  ASSERT_TRUE(startFrame());
  command(ID_OFFLINE);
  EXPECT_EQ(title(frame_), "Murlo ver2.02 - Murlo - [ｵﾌﾗｲﾝ作業]");
  EXPECT_EQ(app_.settings.connection & 3, 1);
  command(ID_OFFLINE);
  EXPECT_EQ(title(frame_), "Murlo ver2.02 - Murlo");
  EXPECT_EQ(app_.settings.connection & 3, 0);
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(GuiTest, StartingOfflineShowsTheMark) {
  box_.write("Murlo.ini", "[SETTING]\r\nConnection=3077\r\n");
  ASSERT_TRUE(startFrame());
  EXPECT_EQ(title(frame_), "Murlo ver2.02 - Murlo - [ｵﾌﾗｲﾝ作業]");
}

TEST_F(GuiTest, OfflineSwitchDuringAJobAsksUnlessConfirmationsAreOff) {
  ASSERT_TRUE(startFrame());
  frame_->doc()->setJobRunning(true);
  prompter_.answer(PromptAnswer::kNo);
  command(ID_OFFLINE);
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text, "現在、処理中です。切り替えを行ってよろしいですか？");
  EXPECT_FALSE(app_.offline());
  app_.settings.movement |= 1;
  command(ID_OFFLINE);
  EXPECT_EQ(prompter_.messages().size(), 1u);
  EXPECT_TRUE(app_.offline());
  frame_->doc()->setJobRunning(false);
}

TEST_F(GuiTest, PasteTrimsRefusesAndKeepsOneEntryPerAddress) {
  ASSERT_TRUE(startFrame());
  setClipboard("  http://host.jp/a.html \r\n");
  command(ID_PASTE_URL);
  EXPECT_EQ(std::string(frame_->urlCombo()->GetValue().utf8_str()), "http://host.jp/a.html");
  setClipboard("no dot here");
  command(ID_PASTE_URL);
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの文字列はURLではありません");
  EXPECT_EQ(prompter_.messages()[0].icon, PromptIcon::kStop);
  setClipboard("http://other.jp/");
  command(ID_PASTE_URL);
  setClipboard("http://host.jp/a.html");
  command(ID_PASTE_URL);
  ASSERT_EQ(frame_->urlCombo()->GetCount(), 2u);
  EXPECT_EQ(frame_->urlCombo()->GetString(1), "http://host.jp/a.html");
  for (int i = 0; i < 10; ++i) {
    setClipboard("http://h.jp/" + std::to_string(i) + ".htm");
    command(ID_PASTE_URL);
  }
  EXPECT_EQ(frame_->urlCombo()->GetCount(), 9u);
  EXPECT_EQ(frame_->urlCombo()->GetString(0), "http://h.jp/1.htm");
  EXPECT_EQ(app_.placement.recentUrls[0], "http://h.jp/9.htm");
  EXPECT_EQ(app_.placement.recentUrls[4], "http://h.jp/5.htm");
}

TEST_F(GuiTest, AddFromTheBarAppendsAnAddRow) {
  ASSERT_TRUE(startFrame());
  frame_->urlCombo()->SetValue(wxString::FromUTF8(" http://host.jp/dir/pic.JPG "));
  command(ID_ADD_FROM_BAR);
  pumpEvents();
  const ItemList& items = frame_->doc()->items();
  ASSERT_EQ(items.count(), 1);
  EXPECT_EQ(items.text(0, kColFileName), "pic.JPG");
  EXPECT_EQ(items.text(0, kColUrl), "http://host.jp/dir/");
  EXPECT_EQ(items.text(0, kColTag), "ADD");
  EXPECT_EQ(items.text(0, kColExtension), "JPG");
  EXPECT_EQ(std::string(frame_->GetStatusBar()->GetStatusText(2).utf8_str()), "ｱｲﾃﾑ数 ： 1");
  EXPECT_EQ(app_.placement.recentUrls[0], "http://host.jp/dir/pic.JPG");
  EXPECT_EQ(frame_->view()->GetItemCount(), 1);

  // The field keeps what was typed; the bar's text is on the clipboard.
  EXPECT_EQ(std::string(frame_->urlCombo()->GetValue().utf8_str()), " http://host.jp/dir/pic.JPG ");

  frame_->urlCombo()->SetValue("localhost");
  command(ID_ADD_FROM_BAR);
  frame_->urlCombo()->SetValue("   ");
  command(ID_ADD_FROM_BAR);
  ASSERT_EQ(prompter_.messages().size(), 2u);
  for (const auto& m : prompter_.messages()) {
    EXPECT_EQ(m.text, "入力された文字列はURLではありません");
    EXPECT_EQ(m.icon, PromptIcon::kStop);
  }
  EXPECT_EQ(items.count(), 1);

  // An empty bar adds the clipboard's text, and without one says no address was given.
  setClipboard(" http://clip.jp/c.htm\r\n");
  frame_->urlCombo()->SetValue("");
  command(ID_ADD_FROM_BAR);
  ASSERT_EQ(items.count(), 2);
  EXPECT_EQ(items.text(1, kColFileName), "c.htm");
  EXPECT_EQ(frame_->urlCombo()->GetValue(), "");
  wxTheClipboard->Clear();
  command(ID_ADD_FROM_BAR);
  EXPECT_EQ(prompter_.messages().back().text, "URLが指定されていません");
  EXPECT_EQ(items.count(), 2);
}

TEST_F(GuiTest, EnterInTheAddressFieldAddsTheAddress) {
  ASSERT_TRUE(startFrame());
  frame_->Raise();
  frame_->urlCombo()->SetFocus();
  pumpEvents();
  wxUIActionSimulator user;
  user.Text("http://h.jp/e.htm");
  user.Char(WXK_RETURN);
  ASSERT_TRUE(pumpUntil([&] { return frame_->doc()->items().count() == 1; }));
  EXPECT_EQ(frame_->doc()->items().text(0, kColFileName), "e.htm");
}

TEST_F(GuiTest, ATenthTypedAddressDropsTheOldestComboEntry) {
  ASSERT_TRUE(startFrame());
  for (int i = 0; i < 10; ++i) {
    frame_->urlCombo()->SetValue(wxString::Format("http://h.jp/%d.htm", i));
    command(ID_ADD_FROM_BAR);
  }
  // An address already in the list adds a row but leaves the list and recent ones alone.
  frame_->urlCombo()->SetValue("http://h.jp/5.htm");
  command(ID_ADD_FROM_BAR);
  ASSERT_EQ(frame_->urlCombo()->GetCount(), 9u);
  EXPECT_EQ(frame_->urlCombo()->GetString(0), "http://h.jp/1.htm");
  EXPECT_EQ(frame_->urlCombo()->GetString(8), "http://h.jp/9.htm");
  EXPECT_EQ(app_.placement.recentUrls[0], "http://h.jp/9.htm");
  EXPECT_EQ(frame_->doc()->items().count(), 11);
}

TEST_F(GuiTest, EveryMenuItemAndToolBarButtonShowsItsPromptInTheStatusBar) {
  box_.write("Murlo.ini", "[Recent File List]\r\nFile1=" + box_.write("a.mrl", "") + "\r\n");
  ASSERT_TRUE(startFrame());
  pumpEvents();
  ASSERT_NE(frame_->GetMenuBar()->FindItem(wxID_FILE1), nullptr);
  const auto prompt = [this] {
    return std::string(frame_->GetStatusBar()->GetStatusText(0).utf8_str());
  };
  std::function<void(wxMenu*)> walk = [&](wxMenu* menu) {
    for (wxMenuItem* item : menu->GetMenuItems()) {
      if (item->IsSubMenu()) walk(item->GetSubMenu());
      if (item->IsSeparator() || item->IsSubMenu()) continue;
      wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, item->GetId());
      highlight.SetEventObject(frame_);
      frame_->GetEventHandler()->ProcessEvent(highlight);
      EXPECT_NE(prompt(), "") << item->GetItemLabelText();
    }
  };
  for (size_t i = 0; i < frame_->GetMenuBar()->GetMenuCount(); ++i)
    walk(frame_->GetMenuBar()->GetMenu(i));
  wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, ID_VIEW_OUTPUT);
  frame_->GetEventHandler()->ProcessEvent(highlight);
  EXPECT_EQ(prompt(), "ｱｳﾄﾌﾟｯﾄｳｨﾝﾄﾞｳの表示/非表示");
  wxMenuEvent close(wxEVT_MENU_CLOSE);
  frame_->GetEventHandler()->ProcessEvent(close);
  EXPECT_EQ(prompt(), "");

  int buttons = 0;
  for (const char* pane : {"ToolBar", "ListBar", "AddUrlBar"}) {
    auto* bar = dynamic_cast<wxAuiToolBar*>(frame_->aui().GetPane(pane).window);
    ASSERT_TRUE(bar) << pane;
    for (size_t i = 0; i < bar->GetToolCount(); ++i) {
      const wxAuiToolBarItem* tool = bar->FindToolByIndex(static_cast<int>(i));
      if (tool->GetKind() != wxITEM_NORMAL) continue;
      ++buttons;
      const wxRect rect = bar->GetToolRect(tool->GetId());
      wxMouseEvent move(wxEVT_MOTION);
      move.SetPosition(rect.GetPosition() + rect.GetSize() / 2);
      move.SetEventObject(bar);
      bar->GetEventHandler()->ProcessEvent(move);
      EXPECT_NE(prompt(), "") << pane << " " << tool->GetId();
      EXPECT_NE(tool->GetShortHelp(), "") << pane << " " << tool->GetId();
      wxMouseEvent leave(wxEVT_LEAVE_WINDOW);
      leave.SetEventObject(bar);
      bar->GetEventHandler()->ProcessEvent(leave);
      EXPECT_EQ(prompt(), "");
    }
  }
  EXPECT_EQ(buttons, 13 + 9 + 2);
}

TEST_F(GuiTest, AboutBoxShowsTheIconNameVersionAndYear) {
  ASSERT_TRUE(startFrame());
  EXPECT_TRUE(driveModal<CAboutDlg>(
      [&] { command(ID_APP_ABOUT); },
      [](CAboutDlg& dlg) {
        std::vector<std::string> texts;
        int iconWidth = 0;
        for (wxWindow* child : dlg.GetChildren()) {
          if (auto* text = dynamic_cast<wxStaticText*>(child))
            texts.emplace_back(text->GetLabel().utf8_str());
          if (auto* icon = dynamic_cast<wxStaticBitmap*>(child))
            iconWidth = icon->GetBitmap().GetWidth();
        }
        EXPECT_EQ(texts, (std::vector<std::string>{"Murlo Version 2.02", "2026"}));
        EXPECT_EQ(iconWidth, 48);
        // Room for the whole title beside the title bar's buttons.
        EXPECT_GT(dlg.GetSize().GetWidth(), dlg.GetTextExtent(dlg.GetTitle()).GetWidth() + 100);
        std::printf("screenshot: %s\n", saveScreenshot(&dlg, "about-box").c_str());
        dlg.EndModal(wxID_OK);
      }));
}

TEST_F(GuiTest, LongOutputLinesWrap) {
  ASSERT_TRUE(startFrame());
  OutputWindow* output = frame_->output();
  const std::string address = "http://host.example.jp/" + std::string(300, 'a') + "/end.html";
  output->ChangeValue(">Succeed :" + address);
  pumpEvents();
  // The second row on screen still belongs to the one long line.
  long position = -1;
  const int row = output->GetCharHeight();
  EXPECT_EQ(output->HitTest(wxPoint(10, row * 5 / 2), &position), wxTE_HT_ON_TEXT);
  EXPECT_GT(position, 0);
  EXPECT_LT(position, static_cast<long>(address.size()));
  output->ChangeValue(">Succeed :" + address + "\n>Error Internet :http://h.jp/short.htm");
  std::printf("screenshot: %s\n", saveScreenshot(frame_, "output-wrapped-line").c_str());
}

TEST_F(GuiTest, NarrowCellsAreShortenedAndStartAtTheLeft) {
  ASSERT_TRUE(startFrame());
  ItemList& items = frame_->doc()->items();
  items.AddItem("a-rather-long-file-name-for-the-column.jpg", "http://h.jp/", "INDUCTINDUCT",
                "jpegjpegjpeg", "", "");
  items.AddItem("b.jpg", "http://h.jp/", "ADD", "jpg", "", "");
  pumpEvents();
  const auto shown = [&](int r, int column) {
    return std::string(frame_->view()->GetItemText(r, column).utf8_str());
  };
  // Centred columns: a shortened text is padded so that it starts at the left edge.
  for (int column : {kColTag, kColExtension}) {
    const std::string text = shown(0, column);
    EXPECT_NE(text.find("..."), std::string::npos) << text;
    EXPECT_EQ(text.back(), ' ') << text;
  }
  EXPECT_EQ(shown(0, kColFileName).substr(shown(0, kColFileName).size() - 3), "...");
  EXPECT_EQ(shown(1, kColTag), "ADD");
  EXPECT_EQ(shown(1, kColExtension), "jpg");
  std::printf("screenshot: %s\n", saveScreenshot(frame_, "list-shortened-cells").c_str());
}

TEST_F(GuiTest, LogAndHelpGoThroughTheDesktopOpener) {
  ASSERT_TRUE(startFrame());
  command(ID_OPEN_LOG);
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text, "Murlo.log が見付かりません");
  EXPECT_TRUE(shell_.opened.empty());
  box_.write("Murlo.log", "log");
  command(ID_OPEN_LOG);
  ASSERT_EQ(shell_.opened.size(), 1u);
  EXPECT_EQ(shell_.opened[0], box_.path("Murlo.log"));
  shell_.available = false;
  command(ID_OPEN_LOG);
  EXPECT_EQ(prompter_.messages().back().text, "xdg-open が見付かりません");
  box_.write("murlo.hlp", "<html></html>");
  command(ID_HELP);
  EXPECT_EQ(prompter_.messages().back().text, "ﾍﾙﾌﾟﾌｧｲﾙが同一ﾃﾞｨﾚｸﾄﾘにあるか確認して下さい");
  EXPECT_EQ(shell_.opened.back(), box_.path("murlo.hlp"));
}

TEST_F(GuiTest, ClosingDuringAJobAsksAndNoKeepsEverything) {
  ASSERT_TRUE(startFrame());
  frame_->doc()->setJobRunning(true);
  prompter_.answer(PromptAnswer::kNo);
  EXPECT_FALSE(closeFrame());
  EXPECT_EQ(prompter_.messages().back().text, "まだ処理が終わっていません。強制終了しますか？");
  EXPECT_FALSE(box_.exists("Murlo.ini"));
  EXPECT_TRUE(frame_->IsShown());
  frame_->doc()->setJobRunning(false);
}

TEST_F(GuiTest, BarTogglesFollowTheViewMenu) {
  ASSERT_TRUE(startFrame());
  command(ID_VIEW_LIST_BAR);
  EXPECT_FALSE(frame_->aui().GetPane("ListBar").IsShown());
  command(ID_VIEW_OUTPUT);
  EXPECT_FALSE(frame_->aui().GetPane("DialogBar").IsShown());
  command(ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(frame_->GetStatusBar()->IsShown());
  command(ID_VIEW_LIST_BAR);
  EXPECT_TRUE(frame_->aui().GetPane("ListBar").IsShown());
}

TEST_F(GuiTest, ListFileOnTheCommandLineIsOpened) {
  ItemList list;
  list.AddItem("a.jpg", "http://h/", "IMG", "jpg", "", "");
  ASSERT_TRUE(WriteList(list, box_.path("start.mrl")));
  ASSERT_TRUE(startFrame(box_.path("start.mrl")));
  EXPECT_EQ(frame_->doc()->items().count(), 1);
  frame_->Destroy();
  frame_ = nullptr;
  box_.write("bad.mrl", "nonsense");
  EXPECT_EQ(startFrame(box_.path("bad.mrl")), nullptr);
  EXPECT_EQ(prompter_.messages().back().text, "指定のﾌｧｲﾙはMRLﾌｧｲﾙ形式ではありません");
}

TEST_F(GuiTest, HeaderClicksSortAndAreRefusedDuringAJob) {
  ASSERT_TRUE(startFrame());
  ItemList& items = frame_->doc()->items();
  items.AddItem("b.gif", "http://h/", "", "", "", "");
  items.AddItem("A.gif", "http://h/", "", "", "", "");
  wxListEvent click(wxEVT_LIST_COL_CLICK, frame_->view()->GetId());
  click.m_col = 0;
  click.SetEventObject(frame_->view());
  frame_->view()->GetEventHandler()->ProcessEvent(click);
  EXPECT_EQ(items.text(0, kColFileName), "A.gif");
  EXPECT_EQ(frame_->view()->GetSortIndicator(), 0);
  EXPECT_TRUE(frame_->view()->IsAscendingSortIndicator());
  frame_->view()->GetEventHandler()->ProcessEvent(click);
  EXPECT_EQ(items.text(0, kColFileName), "b.gif");
  EXPECT_FALSE(frame_->view()->IsAscendingSortIndicator());
  frame_->doc()->setJobRunning(true);
  frame_->view()->GetEventHandler()->ProcessEvent(click);
  EXPECT_EQ(items.text(0, kColFileName), "b.gif");
  frame_->doc()->setJobRunning(false);
}

TEST_F(GuiTest, ManyRowsAndLongCells) {
  ASSERT_TRUE(startFrame());
  ItemList& items = frame_->doc()->items();
  // Rows appended one at a time, as an analysis does; the figures are printed, not judged.
  const auto fillStart = std::chrono::steady_clock::now();
  for (int i = 0; i < 100000; ++i) {
    items.AddItem("file" + std::to_string(i) + ".jpg", "http://h/", "IMG", "jpg", "", "");
  }
  pumpEvents();
  const auto scrollStart = std::chrono::steady_clock::now();
  EXPECT_EQ(frame_->view()->GetItemCount(), 100000);
  const int page = std::max(1, frame_->view()->GetCountPerPage());
  int repaints = 0;
  for (int row = 0; row < 100000; row += page * 50, ++repaints) {
    frame_->view()->EnsureVisible(row);
    wxYield();
  }
  frame_->view()->EnsureVisible(99999);
  pumpEvents();
  const auto end = std::chrono::steady_clock::now();
  using ms = std::chrono::milliseconds;
  std::printf(
      "100000 rows: fill %lld ms, %d jumps through the list %lld ms\n",
      static_cast<long long>(std::chrono::duration_cast<ms>(scrollStart - fillStart).count()),
      repaints, static_cast<long long>(std::chrono::duration_cast<ms>(end - scrollStart).count()));
  items.setText(0, kColUrl, "http://" + std::string(400, 'x') + "/");
  const std::string shown(frame_->view()->GetItemText(0, kColUrl).utf8_str());
  EXPECT_LT(shown.size(), 400u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "...");
}

}  // namespace
}  // namespace murlo::test
