#include "main-frame.h"

#include <wx/clipbrd.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "about-dlg.h"
#include "analysis/add-item-request.h"
#include "analysis/address.h"
#include "clipboard-text.h"
#include "command-help.h"
#include "command-ids.h"
#include "file-entry-commands.h"
#include "folder-dlg.h"
#include "items/list-file.h"
#include "job-commands.h"
#include "list-commands.h"
#include "logic/window-title.h"
#include "main-menus.h"
#include "murlo-doc.h"
#include "murlo-view.h"
#include "on-screen.h"
#include "output-window.h"
#include "program-icon.h"
#include "settings/settings-sheet.h"
#include "state-icons.h"
#include "ui-text.h"
#include "window-size.h"

namespace murlo::gui {

namespace {

constexpr const char* kMainBar = "ToolBar";
constexpr const char* kListBar = "ListBar";
constexpr const char* kAddUrlBar = "AddUrlBar";
constexpr const char* kOutputPane = "DialogBar";
constexpr int kOutputMinHeight = 60;
constexpr int kOutputMaxHeight = 2000;
// The add bar's address field: its width where there is room, and the least it gives up to
// keep the bar's buttons inside a narrow window.
constexpr int kAddressFieldWidth = 600;
constexpr int kAddressFieldMinWidth = 150;

// Where a floating bar's frame is on the screen, asked of the X server through its client
// area. The toolkit's own record of a top-level window's position follows the window
// manager's reports, and now and then keeps a stale one from the moment the frame was
// mapped (0,0 while the frame is at its point), which would be stored and used at the next
// start. The frame draws an even border around its client area, below its caption.
wxPoint floatingFramePosition(const wxWindow& frame) {
  const wxSize edges = frame.GetSize() - frame.GetClientSize();
  const int side = edges.x / 2;
  return frame.ClientToScreen(wxPoint(0, 0)) - wxSize(side, edges.y - side);
}

}  // namespace

CMainFrame::CMainFrame(AppContext& app) : wxFrame(nullptr, wxID_ANY, "Murlo"), app_(app) {
  const FramePlacement& p = app_.placement;
#ifdef __WXGTK__
  // The toolkit holds back the first showing until the window manager has told it the size
  // of its decorations; a window shown that way loses the position it was given and the
  // window manager places it anew. The stored position is the one wanted.
  m_deferShow = false;
#endif
  if (p.show != kShowMinimized && p.show != kShowMaximized) {
    const wxRect stored(p.x, p.y, p.width, p.height);
    const wxPoint at = keepOnScreen(stored);
    // No larger than the screen it opens on (a size stored at another screen or scale).
    const int screen = wxDisplay::GetFromPoint(at);
    wxSize size = withDecorations(*this, stored.GetSize());
    size.DecTo(wxDisplay(screen == wxNOT_FOUND ? 0u : static_cast<unsigned>(screen))
                   .GetClientArea()
                   .GetSize());
    SetSize(wxRect(at, size));
  } else {
    // The stored rectangle is not used, but the bars are laid out once at the size the
    // window starts with: the screen's, not the toolkit's small default, which would
    // squeeze the output window.
    SetSize(wxDisplay(0u).GetClientArea());
  }
  wxIcon icon;
  icon.CopyFromBitmap(programIcon().GetBitmap(wxSize(48, 48)));
  SetIcon(icon);
  aui_.SetManagedWindow(this);
  // The output window keeps the height it had, also when the window starts small and is
  // maximised only afterwards.
  aui_.SetDockSizeConstraint(1.0 / 3, 0.9);
  wxMenu* fileMenu = nullptr;
  SetMenuBar(buildMainMenuBar(fileMenu));

  buildToolBar(kMainBar, "ﾒｲﾝﾂｰﾙﾊﾞｰ",
               {ID_FILE_OPEN, ID_FILE_SAVE_AS, 0, ID_JOB_FILE_RESUME, ID_JOB_FILE_SAVE, ID_SETTINGS,
                ID_CHANGE_FOLDER, 0, ID_LOCAL_FILE, ID_WIZARD, ID_RECURSIVE, 0, ID_RUN, ID_SUSPEND,
                ID_STOP, 0, ID_TREE_VIEW});
  buildToolBar(kListBar, "ﾘｽﾄﾊﾞｰ",
               {ID_ADD_ITEM_DIALOG, ID_DELETE, ID_COPY, 0, ID_ANALYZE, ID_DOWNLOAD, 0,
                ID_CHECK_DUPLICATES, ID_PROPERTIES, 0, ID_MOVE_UP, ID_MOVE_DOWN});

  wxStatusBar* status = CreateStatusBar(4, wxSTB_DEFAULT_STYLE, ID_VIEW_STATUS_BAR);
  const int screenWidth = wxDisplay(0u).GetGeometry().GetWidth();
  const int widths[4] = {-1, screenWidth / 4, 100, 16};
  status->SetStatusWidths(4, widths);

  buildAddUrlBar();
  doc_ = std::make_unique<CMurloDoc>(app_, fileMenu);
  doc_->setTitleListener([this](const std::string&) { showTitle(); });
  view_ = new CMurloView(this, *doc_, p.columnWidths);
  aui_.AddPane(view_, wxAuiPaneInfo().Name("List").CenterPane());
  output_ = new OutputWindow(this);
  aui_.AddPane(output_,
               wxAuiPaneInfo()
                   .Name(kOutputPane)
                   .Caption(u8("ｱｳﾄﾌﾟｯﾄ"))
                   .Bottom()
                   .Floatable(false)
                   .Movable(false)
                   .BestSize(-1, std::clamp(p.dialogBarHeight, kOutputMinHeight, kOutputMaxHeight))
                   .MinSize(-1, kOutputMinHeight));
  view_->setCountListener([this](int count) { showItemCount(count); });
  listCommands_ = std::make_unique<ListCommands>(
      *this, app_, *doc_, *view_, [this](const std::string& url) { rememberUrl(url); });
  jobs_ = std::make_unique<JobCommands>(app_, *doc_, JobWindows{*this, *view_, *output_});
  showItemCount(0);
  applyBarStates();
  aui_.Update();

  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::onClose, this);
  // After the bars' manager has laid the window out for its new size.
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    CallAfter(&CMainFrame::fitAddressField);
  });
  Bind(wxEVT_MENU, &CMainFrame::onCommand, this);
  Bind(wxEVT_UPDATE_UI, &CMainFrame::onUpdateUi, this);

  wxAcceleratorEntry keys[] = {
      {wxACCEL_NORMAL, WXK_INSERT, ID_ADD_FROM_BAR},
      {wxACCEL_CTRL, 'V', ID_PASTE_URL},
  };
  SetAcceleratorTable(wxAcceleratorTable(2, keys));
  showTitle();
}

CMainFrame::~CMainFrame() {
  // Jobs end before the windows they report to.
  jobs_.reset();
  doc_.reset();
  aui_.UnInit();
}

wxAuiToolBar* CMainFrame::buildToolBar(const char* name, const char* caption,
                                       std::initializer_list<int> ids) {
  auto* bar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                               wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_GRIPPER);
  bar->SetToolBitmapSize(wxSize(16, 16));
  for (int id : ids) {
    if (id == 0) {
      bar->AddSeparator();
    } else {
      addCommandTool(bar, id);
    }
  }
  bar->Realize();
  showToolPrompts(bar);
  bar->SetName(u8(caption));
  aui_.AddPane(bar, wxAuiPaneInfo().Name(name).Caption(u8(caption)).ToolbarPane().Top().Row(0));
  return bar;
}

void CMainFrame::addCommandTool(wxAuiToolBar* bar, int id) {
  const CommandHelp help = commandHelp(id);
  const wxBitmap bitmap = commandBitmap(id);
  bar->AddTool(id, u8(help.tip), bitmap, disabledCommandBitmap(bitmap), wxITEM_NORMAL, u8(help.tip),
               u8(help.prompt), nullptr);
}

void CMainFrame::showToolPrompts(wxAuiToolBar* bar) {
  // While the pointer is over a button its prompt shows in the status bar, as a menu
  // item's does; leaving it brings the previous text back.
  bar->Bind(wxEVT_MOTION, [this, bar](wxMouseEvent& event) {
    const wxAuiToolBarItem* tool = bar->FindToolByPosition(event.GetX(), event.GetY());
    const wxString prompt = tool ? tool->GetLongHelp() : wxString();
    DoGiveHelp(prompt, !prompt.empty());
    event.Skip();
  });
  bar->Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
    DoGiveHelp(wxString(), false);
    event.Skip();
  });
}

wxAuiToolBar* CMainFrame::buildAddUrlBar() {
  auto* bar = new wxAuiToolBar(this, ID_VIEW_ADD_BAR, wxDefaultPosition, wxDefaultSize,
                               wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_GRIPPER);
  bar->SetToolBitmapSize(wxSize(16, 16));
  urlCombo_ = new wxComboBox(bar, ID_URL_COMBO, wxEmptyString, wxDefaultPosition,
                             wxSize(kAddressFieldWidth, -1), 0, nullptr,
                             wxCB_DROPDOWN | wxTE_PROCESS_ENTER);
  urlCombo_->SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_MODERN).FaceName(u8("IPAGothic"))));
  bar->AddControl(urlCombo_);
  bar->AddSpacer(12);
  addCommandTool(bar, ID_PASTE_URL);
  addCommandTool(bar, ID_ADD_FROM_BAR);
  bar->Realize();
  showToolPrompts(bar);
  bar->SetName(u8("ｱｲﾃﾑ追加ﾊﾞｰ"));
  // The add-item bar docks at the top only.
  aui_.AddPane(bar, wxAuiPaneInfo()
                        .Name(kAddUrlBar)
                        .Caption(u8("ｱｲﾃﾑ追加ﾊﾞｰ"))
                        .ToolbarPane()
                        .Top()
                        .Row(1)
                        .BottomDockable(false)
                        .LeftDockable(false)
                        .RightDockable(false));
  comboModel_.loadRecent(app_.placement);
  refreshCombo();
  // Enter in the address field adds the address, as the add button does.
  urlCombo_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { addFromBar(); });
  // The bar is no dialog that passes the focus on: Tab in the address field goes to the list.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_TAB && !event.HasAnyModifiers() &&
        wxWindow::FindFocus() == urlCombo_) {
      view_->SetFocus();
    } else {
      event.Skip();
    }
  });
  return bar;
}

void CMainFrame::fitAddressField() {
  wxAuiPaneInfo& pane = aui_.GetPane(kAddUrlBar);
  auto* bar = static_cast<wxAuiToolBar*>(pane.window);
  wxAuiToolBarItem* field = bar->FindTool(ID_URL_COMBO);
  if (!field || !pane.IsDocked()) return;
  const wxSize current = field->GetMinSize();
  const int others = bar->GetBestSize().x - current.x;
  const int width =
      std::clamp(GetClientSize().x - others, kAddressFieldMinWidth, kAddressFieldWidth);
  if (width == current.x) return;
  field->SetMinSize(wxSize(width, current.y));
  bar->Realize();
  pane.BestSize(bar->GetBestSize());
  aui_.Update();
}

void CMainFrame::refreshCombo() {
  const wxString typed = urlCombo_->GetValue();
  urlCombo_->Clear();
  for (const std::string& entry : comboModel_.entries()) urlCombo_->Append(u8(entry));
  if (!comboModel_.entries().empty()) {
    urlCombo_->SetSelection(static_cast<int>(comboModel_.entries().size()) - 1);
  } else {
    urlCombo_->ChangeValue(typed);
  }
}

void CMainFrame::applyBarStates() {
  const FramePlacement& p = app_.placement;
  const std::pair<const char*, const BarPlacement*> bars[] = {
      {kMainBar, &p.toolBar}, {kAddUrlBar, &p.addUrlBar}, {kListBar, &p.listBar}};
  for (const auto& [name, state] : bars) {
    wxAuiPaneInfo& pane = aui_.GetPane(name);
    pane.Show(state->show != kBarHidden);
  }
  aui_.GetPane(kOutputPane).Show(p.dialogBarShow != 0);
  GetStatusBar()->Show(p.statusBarShow != 0);
}

void CMainFrame::captureFramePlacement() {
  FramePlacement& p = app_.placement;
  const wxPoint at = GetPosition();
  const wxSize size = undecoratedSize(*this);
  p.x = at.x;
  p.y = at.y;
  p.width = size.x;
  p.height = size.y;
  p.show = IsMaximized() ? kShowMaximized : IsIconized() ? kShowMinimized : kShowNormal;
  const std::pair<const char*, BarPlacement*> bars[] = {
      {kMainBar, &p.toolBar}, {kAddUrlBar, &p.addUrlBar}, {kListBar, &p.listBar}};
  for (const auto& [name, state] : bars) {
    const wxAuiPaneInfo& pane = aui_.GetPane(name);
    state->show = pane.IsShown() ? kBarDocked : kBarHidden;
    if (pane.IsShown() && pane.IsFloating()) {
      state->show = kBarFloating;
      const wxPoint at = pane.frame ? floatingFramePosition(*pane.frame) : pane.floating_pos;
      state->x = at.x;
      state->y = at.y;
    }
  }
  p.dialogBarShow = aui_.GetPane(kOutputPane).IsShown() ? 1 : 0;
  if (p.dialogBarShow) p.dialogBarHeight = output_->GetSize().GetHeight();
  p.columnWidths = view_->columnWidths();
  p.statusBarShow = GetStatusBar()->IsShown() ? 1 : 0;
}

void CMainFrame::floatStoredBars() {
  const FramePlacement& p = app_.placement;
  const std::pair<const char*, const BarPlacement*> bars[] = {
      {kMainBar, &p.toolBar}, {kAddUrlBar, &p.addUrlBar}, {kListBar, &p.listBar}};
  for (const auto& [name, state] : bars) {
    if (state->show != kBarFloating) continue;
    wxAuiPaneInfo& pane = aui_.GetPane(name);
    const wxRect stored(wxPoint(state->x, state->y), pane.window->GetBestSize());
    pane.Float().FloatingPosition(keepOnScreen(stored));
  }
  aui_.Update();
}

void CMainFrame::showTitle() { SetTitle(u8(windowTitle(doc_->title(), app_.offline()))); }

void CMainFrame::openSettings() {
  CSettingsSheet sheet(this, app_);
  sheet.ShowModal();
  // Whatever the user chose: the connection page may have changed the offline flag.
  doc_->setTitle(kDocumentTitle);
}

void CMainFrame::changeFolder() {
  CFolderDlg dlg(this, *app_.prompter, app_.settings.path01);
  if (dlg.ShowModal() == wxID_OK) app_.settings.path01 = dlg.path();
}

void CMainFrame::showItemCount(int count) { SetStatusText(u8(itemCountText(count)), 2); }

void CMainFrame::message(const std::string& text, PromptIcon icon) {
  app_.prompter->message(text, icon, PromptButtons::kOk);
}

void CMainFrame::pasteUrl() {
  wxClipboardLocker lock;
  if (!lock) return;
  const std::optional<wxString> text = heldClipboardText();
  if (!text) {
    message("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに利用可能なﾃｷｽﾄがありません", PromptIcon::kInformation);
    return;
  }
  const PastedUrl pasted = preparePastedUrl(std::string(text->utf8_str()));
  if (!pasted.error.empty()) {
    message(pasted.error, PromptIcon::kStop);
    return;
  }
  rememberUrl(pasted.url);
}

void CMainFrame::rememberUrl(const std::string& url) {
  comboModel_.addPasted(url, app_.placement);
  refreshCombo();
}

void CMainFrame::addFromBar() {
  const wxString typed = urlCombo_->GetValue();
  // As the field's copy to the clipboard would: the bar's text replaces the clipboard's,
  // and an empty bar leaves the clipboard's own text to be added.
  std::optional<wxString> text = typed;
  {
    wxClipboardLocker lock;
    if (!lock) return;
    if (!typed.empty()) {
      wxTheClipboard->SetData(new wxTextDataObject(typed));
    } else {
      text = heldClipboardText();
    }
  }
  if (!text) {
    message(kNoAddressText, PromptIcon::kInformation);
    return;
  }
  const std::optional<std::string> url = typedAddress(std::string(text->utf8_str()));
  if (!url) {
    message(kNotAnAddressText, PromptIcon::kStop);
    return;
  }
  if (comboModel_.addTyped(*url, app_.placement)) {
    refreshCombo();
    urlCombo_->ChangeValue(typed);  // the field keeps what the user typed
  }
  ItemList& items = doc_->items();
  const bool added = addTypedAddress(items, *url);
  // With movement::kAnalyzeOnAdd the new page is analysed at once, unless a job already runs.
  if (added && (app_.settings.movement & movement::kAnalyzeOnAdd) && !doc_->jobRunning()) {
    jobs_->analyzeOne(fullAddress(items.row(items.count() - 1)));
  }
}

void CMainFrame::toggleOffline() {
  int& conn = app_.settings.connection;
  if (doc_->jobRunning() && !(app_.settings.movement & movement::kNoConfirm)) {
    if (app_.prompter->message("現在、処理中です。切り替えを行ってよろしいですか？",
                               PromptIcon::kQuestion,
                               PromptButtons::kYesNo) != PromptAnswer::kYes) {
      return;
    }
  }
  if (conn & connection::kOffline) {
    conn &= ~connection::kOffline;
  } else {
    conn |= connection::kOffline;
    conn &= ~connection::kNoCache;
  }
  // Only the offline mark changes: a download's "%d/%d Finished" stays.
  showTitle();
}

void CMainFrame::openLog() {
  const std::string log = app_.appFile(kErrorLogFile);
  if (!std::filesystem::exists(log)) {
    message("Murlo.log が見付かりません", PromptIcon::kInformation);
    return;
  }
  if (!app_.shell->open(log)) message("xdg-open が見付かりません", PromptIcon::kInformation);
}

void CMainFrame::openHelp() {
  // The help page in the application folder, else the one built beside the program or
  // installed with it.
  std::string help = app_.appFile("murlo.hlp");
  const std::filesystem::path exeDir =
      std::filesystem::read_symlink("/proc/self/exe").parent_path();
  for (const auto& candidate :
       {exeDir / "murlo-help.html", exeDir / "../share/murlo/murlo-help.html"}) {
    if (!std::filesystem::exists(help)) help = candidate.string();
  }
  if (!std::filesystem::exists(help) || !app_.shell->open(help)) {
    message("ﾍﾙﾌﾟﾌｧｲﾙが同一ﾃﾞｨﾚｸﾄﾘにあるか確認して下さい", PromptIcon::kExclamation);
  }
}

wxAuiPaneInfo* CMainFrame::paneForCommand(int commandId) {
  const char* name = commandId == ID_VIEW_TOOLBAR    ? kMainBar
                     : commandId == ID_VIEW_LIST_BAR ? kListBar
                     : commandId == ID_VIEW_ADD_BAR  ? kAddUrlBar
                     : commandId == ID_VIEW_OUTPUT   ? kOutputPane
                                                     : nullptr;
  if (!name) return nullptr;
  wxAuiPaneInfo& pane = aui_.GetPane(name);
  return pane.IsOk() ? &pane : nullptr;
}

void CMainFrame::toggleBar(int commandId) {
  if (commandId == ID_VIEW_STATUS_BAR) {
    GetStatusBar()->Show(!GetStatusBar()->IsShown());
    SendSizeEvent();
    return;
  }
  if (wxAuiPaneInfo* pane = paneForCommand(commandId)) {
    pane->Show(!pane->IsShown());
    aui_.Update();
  }
}

void CMainFrame::onCommand(wxCommandEvent& event) {
  const int id = event.GetId();
  if (listCommands_->run(id) || jobs_->run(id) || doc_->run(id)) return;
  switch (event.GetId()) {
    case ID_PASTE_URL: pasteUrl(); break;
    case ID_ADD_FROM_BAR: addFromBar(); break;
    case ID_OFFLINE: toggleOffline(); break;
    case ID_SETTINGS: openSettings(); break;
    case ID_CHANGE_FOLDER: changeFolder(); break;
    case ID_OPEN_LOG: openLog(); break;
    case ID_HELP: openHelp(); break;
    case ID_RESUME_ENTRY: enterResume(*this, app_, doc_->items()); break;
    case ID_LOCAL_FILE: analyzeLocalFile(*this, app_, doc_->items()); break;
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_VIEW_ADD_BAR:
    case ID_VIEW_LIST_BAR:
    case ID_VIEW_OUTPUT: toggleBar(event.GetId()); break;
    case ID_APP_EXIT: Close(); break;
    case ID_APP_ABOUT: CAboutDlg(this).ShowModal(); break;
    default: event.Skip(); break;
  }
}

void CMainFrame::onUpdateUi(wxUpdateUIEvent& event) {
  const int id = event.GetId();
  if (listCommands_->updateUi(event) || jobs_->updateUi(event) || doc_->updateUi(event)) return;
  if (id == ID_OFFLINE) {
    event.Check(app_.offline());
  } else if (id == ID_VIEW_STATUS_BAR) {
    event.Check(GetStatusBar()->IsShown());
  } else if (wxAuiPaneInfo* pane = paneForCommand(id)) {
    event.Check(pane->IsShown());
  } else {
    event.Skip();
  }
}

void CMainFrame::onClose(wxCloseEvent& event) {
  if (doc_->jobRunning() && event.CanVeto()) {
    if (app_.prompter->message("まだ処理が終わっていません。強制終了しますか？",
                               PromptIcon::kQuestion,
                               PromptButtons::kYesNo) != PromptAnswer::kYes) {
      event.Veto();
      return;
    }
  }
  captureFramePlacement();
  Destroy();
}

}  // namespace murlo::gui
