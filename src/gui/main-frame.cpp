#include "main-frame.h"

#include <wx/clipbrd.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>

#include <filesystem>

#include "analysis/address.h"
#include "command-ids.h"
#include "items/list-file.h"
#include "job-commands.h"
#include "murlo-doc.h"
#include "list-commands.h"
#include "logic/window-title.h"
#include "murlo-view.h"
#include "output-window.h"
#include "state-icons.h"

namespace murlo::gui {

namespace {

wxString u8(const std::string& s) { return wxString::FromUTF8(s); }

constexpr const char* kMainBar = "ToolBar";
constexpr const char* kListBar = "ListBar";
constexpr const char* kAddUrlBar = "AddUrlBar";
constexpr const char* kOutputPane = "DialogBar";

struct ToolSpec {
  int id;
  const char* tip;
};

// Tool tips of the tool-bar commands.
const char* toolTip(int id) {
  switch (id) {
    case ID_FILE_OPEN: return "開く";
    case ID_FILE_SAVE_AS: return "名前を付けて保存";
    case ID_JOB_FILE_RESUME: return "Job ﾌｧｲﾙからの再開";
    case ID_JOB_FILE_SAVE: return "Job ﾌｧｲﾙへの保存";
    case ID_SETTINGS: return "設定";
    case ID_CHANGE_FOLDER: return "ﾌｫﾙﾀﾞの変更";
    case ID_LOCAL_FILE: return "ﾛｰｶﾙﾌｧｲﾙの解析";
    case ID_WIZARD: return "ｳｨｻﾞｰﾄﾞ";
    case ID_RECURSIVE: return "再帰的解析";
    case ID_RUN: return "実行";
    case ID_SUSPEND: return "中断";
    case ID_STOP: return "中止";
    case ID_TREE_VIEW: return "ｱｲﾃﾑﾂﾘｰ";
    case ID_ADD_ITEM_DIALOG: return "追加";
    case ID_DELETE: return "削除";
    case ID_COPY: return "ｺﾋﾟｰ";
    case ID_ANALYZE: return "解析";
    case ID_DOWNLOAD: return "ﾀﾞｳﾝﾛｰﾄﾞ";
    case ID_CHECK_DUPLICATES: return "重複ﾈｰﾑの確認";
    case ID_PROPERTIES: return "ﾌﾟﾛﾊﾟﾃｨ";
    case ID_MOVE_UP: return "上へ";
    case ID_MOVE_DOWN: return "下へ";
    case ID_PASTE_URL: return "ｸﾘｯﾌﾟﾎﾞｰﾄﾞからURLを貼り付け";
    case ID_ADD_FROM_BAR: return "ｱｲﾃﾑを追加";
    default: return "";
  }
}

}  // namespace

CMainFrame::CMainFrame(AppContext& app)
    : wxFrame(nullptr, wxID_ANY, "Murlo"), app_(app), documentTitle_(kDocumentTitle) {
  const FramePlacement& p = app_.placement;
  if (p.show != kShowMinimized && p.show != kShowMaximized) {
    SetSize(p.x, p.y, p.width, p.height);
  }
  aui_.SetManagedWindow(this);
  wxMenu* fileMenu = buildMenus();

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
  view_ = new CMurloView(this);
  aui_.AddPane(view_, wxAuiPaneInfo().Name("List").CenterPane());
  output_ = new OutputWindow(this);
  aui_.AddPane(output_, wxAuiPaneInfo()
                            .Name(kOutputPane)
                            .Caption(u8("ｱｳﾄﾌﾟｯﾄ"))
                            .Bottom()
                            .Floatable(false)
                            .Movable(false)
                            .BestSize(-1, 140)
                            .MinSize(-1, 60));
  view_->setCountListener([this](int count) { showItemCount(count); });
  listCommands_ = std::make_unique<ListCommands>(*this);
  jobs_ = std::make_unique<JobCommands>(*this);
  doc_ = std::make_unique<CMurloDoc>(*this, fileMenu);
  showItemCount(0);
  applyBarStates();
  aui_.Update();

  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::onClose, this);
  Bind(wxEVT_MENU, &CMainFrame::onCommand, this);
  Bind(wxEVT_UPDATE_UI, &CMainFrame::onUpdateUi, this);

  wxAcceleratorEntry keys[] = {
      {wxACCEL_NORMAL, WXK_INSERT, ID_ADD_FROM_BAR},
      {wxACCEL_CTRL, 'V', ID_PASTE_URL},
  };
  SetAcceleratorTable(wxAcceleratorTable(2, keys));
  SetFrameTitle(documentTitle_);
}

CMainFrame::~CMainFrame() {
  // Jobs end before the windows they report to.
  jobs_.reset();
  doc_.reset();
  aui_.UnInit();
}

wxMenu* CMainFrame::buildMenus() {
  auto* file = new wxMenu;
  file->Append(ID_FILE_OPEN, u8("開く(&O)...\tCtrl+O"));
  file->Append(ID_FILE_SAVE_AS, u8("名前を付けて保存(&A)...\tCtrl+Q"));
  file->AppendSeparator();
  file->Append(ID_JOB_FILE_SAVE, u8("Job ﾌｧｲﾙへの保存(&S)"));
  file->Append(ID_JOB_FILE_RESUME, u8("Job ﾌｧｲﾙからの再開(&R)"));
  file->AppendSeparator();
  file->Append(ID_WIZARD, u8("ｳｨｻﾞｰﾄﾞ(&W)"));
  file->AppendSeparator();
  file->Append(ID_APP_EXIT, u8("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));

  auto* list = new wxMenu;
  list->Append(ID_ADD_ITEM_DIALOG, u8("追加(&A)\tCtrl+A"));
  list->Append(ID_DELETE, u8("削除(&E)\tCtrl+E"));
  list->Append(ID_COPY, u8("ｺﾋﾟｰ(&C)\tCtrl+C"));
  list->AppendSeparator();
  list->Append(ID_CHECK_DUPLICATES, u8("重複ﾈｰﾑの確認(&O)"));
  list->Append(ID_PROPERTIES, u8("ﾌﾟﾛﾊﾟﾃｨ(&P)"));
  list->AppendSeparator();
  list->Append(ID_MOVE_UP, "&Up");
  list->Append(ID_MOVE_DOWN, "&Down");
  list->AppendSeparator();
  list->Append(ID_DELETE_ALL, "&Delete All");
  list->Append(ID_ONLY_JPEG, "Only &Jpeg");
  list->Append(ID_NOT_HTML, "Not &Html");
  list->Append(ID_ONLY_STATE, "Only &State");
  list->Append(ID_DELETE_FINISHED, "Del &Finished");
  list->Append(ID_DELETE_ERROR, "Del &Error");

  auto* tags = new wxMenu;
  tags->AppendCheckItem(ID_TAG_IMG, "&IMG SRC\tAlt+0");
  tags->AppendCheckItem(ID_TAG_HREF, "A &HREF\tAlt+1");
  tags->AppendCheckItem(ID_TAG_BODY, "&BODY\tAlt+2");
  tags->AppendCheckItem(ID_TAG_FRAME, "&FRAME\tAlt+3");

  auto* job = new wxMenu;
  job->Append(ID_ANALYZE, u8("解析(&N)\tCtrl+N"));
  job->Append(ID_DOWNLOAD, u8("ﾀﾞｳﾝﾛｰﾄﾞ(&D)\tCtrl+D"));
  job->Append(ID_RUN, u8("実行(&D)"));
  job->Append(ID_SUSPEND, u8("中断(&S)"));
  job->Append(ID_STOP, u8("中止(&C)"));
  job->AppendSeparator();
  job->Append(ID_RECURSIVE, u8("再帰的解析(&I)"));
  job->Append(ID_RESUME_ENTRY, u8("ﾚｼﾞｭｰﾑ(&R)..."));
  job->Append(ID_LOCAL_FILE, u8("ﾛｰｶﾙﾌｧｲﾙの解析(&A)..."));
  job->AppendSeparator();
  job->AppendSubMenu(tags, u8("解析ﾀｸﾞ(&T)"));
  job->Append(ID_TREE_VIEW, u8("ｱｲﾃﾑﾂﾘｰ(&V)"));

  auto* view = new wxMenu;
  view->AppendCheckItem(ID_VIEW_TOOLBAR, u8("ﾂｰﾙﾊﾞｰ(&T)"));
  view->AppendCheckItem(ID_VIEW_STATUS_BAR, u8("ｽﾃｰﾀｽﾊﾞｰ(&S)"));
  view->AppendCheckItem(ID_VIEW_ADD_BAR, u8("ｱｲﾃﾑ追加ﾊﾞｰ(&A)"));
  view->AppendCheckItem(ID_VIEW_LIST_BAR, u8("ﾘｽﾄﾂｰﾙﾊﾞｰ(&L)"));
  view->AppendCheckItem(ID_VIEW_OUTPUT, u8("ｱｳﾄﾌﾟｯﾄ(&O)"));
  view->AppendSeparator();
  view->AppendCheckItem(ID_PROGRESS_WINDOW, u8("動作状況(&I)"));

  auto* tools = new wxMenu;
  tools->Append(ID_SETTINGS, u8("設定(&S)...\tCtrl+S"));
  tools->Append(ID_CHANGE_FOLDER, u8("ﾌｫﾙﾀﾞの変更(&F)\tCtrl+F"));
  tools->AppendCheckItem(ID_OFFLINE, u8("ｵﾌﾗｲﾝ作業(&W)"));
  tools->Append(ID_OPEN_LOG, u8("ﾛｸﾞﾌｧｲﾙを開く(L)..."));

  auto* help = new wxMenu;
  help->Append(ID_HELP, u8("ﾍﾙﾌﾟ(&H)..."));
  help->Append(ID_APP_ABOUT, u8("ﾊﾞｰｼﾞｮﾝ情報(Murlo) (&A)..."));

  auto* bar = new wxMenuBar;
  bar->Append(file, u8("ﾌｧｲﾙ(&F)"));
  bar->Append(list, u8("ﾘｽﾄ(&L)"));
  bar->Append(job, u8("作業(&J)"));
  bar->Append(view, u8("表示(&V)"));
  bar->Append(tools, u8("ﾂｰﾙ(&T)"));
  bar->Append(help, u8("ﾍﾙﾌﾟ(&H)"));
  SetMenuBar(bar);
  return file;
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
      bar->AddTool(id, u8(toolTip(id)), commandBitmap(id), u8(toolTip(id)));
    }
  }
  bar->Realize();
  bar->SetName(u8(caption));
  aui_.AddPane(bar, wxAuiPaneInfo().Name(name).Caption(u8(caption)).ToolbarPane().Top().Row(0));
  return bar;
}

wxAuiToolBar* CMainFrame::buildAddUrlBar() {
  auto* bar = new wxAuiToolBar(this, ID_VIEW_ADD_BAR, wxDefaultPosition, wxDefaultSize,
                               wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_GRIPPER);
  bar->SetToolBitmapSize(wxSize(16, 16));
  urlCombo_ = new wxComboBox(bar, ID_URL_COMBO, wxEmptyString, wxDefaultPosition, wxSize(600, -1));
  urlCombo_->SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_MODERN).FaceName(u8("IPAGothic"))));
  bar->AddControl(urlCombo_);
  bar->AddSpacer(12);
  bar->AddTool(ID_PASTE_URL, u8(toolTip(ID_PASTE_URL)), commandBitmap(ID_PASTE_URL),
               u8(toolTip(ID_PASTE_URL)));
  bar->AddTool(ID_ADD_FROM_BAR, u8(toolTip(ID_ADD_FROM_BAR)), commandBitmap(ID_ADD_FROM_BAR),
               u8(toolTip(ID_ADD_FROM_BAR)));
  bar->Realize();
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
  return bar;
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
    if (state->show == kBarFloating) pane.Float().FloatingPosition(state->x, state->y);
  }
  aui_.GetPane(kOutputPane).Show(p.dialogBarShow != 0);
  GetStatusBar()->Show(p.statusBarShow != 0);
}

void CMainFrame::captureFramePlacement() {
  FramePlacement& p = app_.placement;
  const wxRect r = GetRect();
  p.x = r.x;
  p.y = r.y;
  p.width = r.width;
  p.height = r.height;
  p.show = IsMaximized() ? kShowMaximized : IsIconized() ? kShowMinimized : kShowNormal;
  const std::pair<const char*, BarPlacement*> bars[] = {
      {kMainBar, &p.toolBar}, {kAddUrlBar, &p.addUrlBar}, {kListBar, &p.listBar}};
  for (const auto& [name, state] : bars) {
    const wxAuiPaneInfo& pane = aui_.GetPane(name);
    state->show = pane.IsShown() ? kBarDocked : kBarHidden;
    if (pane.IsShown() && pane.IsFloating()) {
      state->show = kBarFloating;
      const wxPoint at = pane.frame ? pane.frame->GetScreenPosition() : pane.floating_pos;
      state->x = at.x;
      state->y = at.y;
    }
  }
  p.dialogBarShow = aui_.GetPane(kOutputPane).IsShown() ? 1 : 0;
  p.statusBarShow = GetStatusBar()->IsShown() ? 1 : 0;
}

void CMainFrame::SetFrameTitle(const std::string& documentTitle) {
  documentTitle_ = documentTitle;
  SetTitle(u8(windowTitle(documentTitle_, app_.offline())));
}

void CMainFrame::showItemCount(int count) { SetStatusText(u8(itemCountText(count)), 2); }

void CMainFrame::message(const std::string& text, PromptIcon icon) {
  app_.prompter->message(text, icon, PromptButtons::kOk);
}

void CMainFrame::pasteUrl() {
  wxClipboardLocker lock;
  if (!lock) return;
  if (!wxTheClipboard->IsSupported(wxDF_TEXT) && !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) {
    message("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに利用可能なﾃｷｽﾄがありません", PromptIcon::kInformation);
    return;
  }
  wxTextDataObject data;
  wxTheClipboard->GetData(data);
  const PastedUrl pasted = preparePastedUrl(std::string(data.GetText().utf8_str()));
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
  const std::string typed(urlCombo_->GetValue().utf8_str());
  // The bar's text also goes to the clipboard, as copying from the field would.
  if (wxTheClipboard->Open()) {
    if (!typed.empty()) wxTheClipboard->SetData(new wxTextDataObject(u8(typed)));
    wxTheClipboard->Close();
  }
  std::string url = trimAddress(typed);
  if (url.empty()) {
    message("URLが指定されていません", PromptIcon::kInformation);
    return;
  }
  if (url.find('.') == std::string::npos) {
    message("入力された文字列はURLではありません", PromptIcon::kStop);
    return;
  }
  cleanTypedAddress(url);
  if (comboModel_.addTyped(url, app_.placement)) {
    refreshCombo();
    urlCombo_->ChangeValue(u8(url));
  }
  SplitAddress split = splitUrl(url);
  ItemList& items = view_->items();
  const bool added = items.AddItem(std::move(split.fileName), std::move(split.url), "ADD",
                                   std::move(split.extension), "", "");
  // With Movement bit 3 the new page is analysed at once, unless a job already runs.
  if (added && (app_.settings.movement & movement::kAnalyzeOnAdd) && !jobs_->jobRunning()) {
    jobs_->analyzeOne(fullAddress(items.row(items.count() - 1)));
  }
}

void CMainFrame::toggleOffline() {
  int& conn = app_.settings.connection;
  if (view_->jobRunning() && !(app_.settings.movement & movement::kNoConfirm)) {
    if (app_.prompter->message("現在、処理中です。切り替えを行ってよろしいですか？",
                               PromptIcon::kQuestion, PromptButtons::kYesNo) != PromptAnswer::kYes) {
      return;
    }
  }
  if (conn & connection::kOffline) {
    conn &= ~connection::kOffline;
    SetFrameTitle(kDocumentTitle);
  } else {
    conn |= connection::kOffline;
    conn &= ~connection::kNoCache;
    SetFrameTitle(documentTitle_);
  }
}

void CMainFrame::openLog() {
  const std::string log = app_.appFile("Murlo.log");
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
  const std::filesystem::path exeDir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  for (const auto& candidate : {exeDir / "murlo-help.html", exeDir / "../share/murlo/murlo-help.html"}) {
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
    case ID_OPEN_LOG: openLog(); break;
    case ID_HELP: openHelp(); break;
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_VIEW_ADD_BAR:
    case ID_VIEW_LIST_BAR:
    case ID_VIEW_OUTPUT: toggleBar(event.GetId()); break;
    case ID_APP_EXIT: Close(); break;
    case ID_APP_ABOUT:
      wxMessageBox(u8("Murlo Version 2.02\n\n2026"), u8("ﾊﾞｰｼﾞｮﾝ情報(Murlo)"),
                   wxOK | wxICON_INFORMATION, this);
      break;
    case ID_RESUME_ENTRY:
    case ID_LOCAL_FILE:
    case ID_WIZARD:
    case ID_TREE_VIEW:
    case ID_PROPERTIES:
    case ID_SETTINGS:
    case ID_CHANGE_FOLDER:
      message("この機能は準備中です。", PromptIcon::kInformation);
      SetFrameTitle(kDocumentTitle);
      break;
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
  if (view_->jobRunning() && event.CanVeto()) {
    if (app_.prompter->message("まだ処理が終わっていません。強制終了しますか？",
                               PromptIcon::kQuestion, PromptButtons::kYesNo) != PromptAnswer::kYes) {
      event.Veto();
      return;
    }
  }
  captureFramePlacement();
  Destroy();
}

}  // namespace murlo::gui
