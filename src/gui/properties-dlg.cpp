#include "properties-dlg.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "net/info-request.h"
#include "net/job-record.h"
#include "net/result-codes.h"
#include "text/cp932.h"
#include "ui-text.h"

namespace murlo::gui {

namespace {

std::string text(const wxTextCtrl* field) { return std::string(field->GetValue().utf8_str()); }

}  // namespace

CPropertiesDlg::CPropertiesDlg(wxWindow* parent, AppContext& app, const ItemRecord& item)
    : wxDialog(parent, wxID_ANY, u8("ﾌﾟﾛﾊﾟﾃｨ")),
      app_(app),
      item_(item),
      edit_{item.fileName, item.url, item.referrer},
      // The application's prompter outlives every information thread; the record borrows it.
      prompter_(app.prompter, [](Prompter*) {}),
      timer_(this, kTimerId) {
  const wxSize wide = wxDLG_UNIT(this, wxSize(190, -1));
  auto field = [&](int id, long style = 0) {
    return new wxTextCtrl(this, id, wxEmptyString, wxDefaultPosition, wide, style);
  };
  constexpr long kShown = wxTE_READONLY | wxBORDER_NONE;
  fileName_ = field(kFileNameId);
  extension_ = field(kExtensionId, kShown);
  url_ = new wxTextCtrl(this, kUrlId, wxEmptyString, wxDefaultPosition,
                        wxDLG_UNIT(this, wxSize(190, 28)), wxTE_MULTILINE);
  tag_ = field(kTagId, kShown);
  referrer_ = field(kReferrerId);
  size_ = field(kSizeId, kShown);
  created_ = field(kCreatedId, kShown);
  modified_ = field(kModifiedId, kShown);

  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* head = new wxBoxSizer(wxHORIZONTAL);
  head->Add(
      new wxStaticBitmap(this, wxID_ANY,
                         wxArtProvider::GetBitmap(wxART_NORMAL_FILE, wxART_OTHER, wxSize(32, 32))),
      0, wxRIGHT, wxDLG_UNIT(this, wxSize(6, 0)).x);
  head->Add(fileName_, 1, wxALIGN_CENTER_VERTICAL);
  top->Add(head, 0, wxALL | wxEXPAND, wxDLG_UNIT(this, wxSize(7, 0)).x);

  const wxSize gap = wxDLG_UNIT(this, wxSize(4, 3));
  auto* grid = new wxFlexGridSizer(2, gap);
  grid->AddGrowableCol(1);
  auto row = [&](const char* label, wxWindow* control) {
    grid->Add(new wxStaticText(this, wxID_ANY, u8(label)), 0, wxALIGN_TOP);
    grid->Add(control, 1, wxEXPAND);
  };
  row("種類 :", extension_);
  row("場所 :", url_);
  row("タグ :", tag_);
  row("参照ﾍﾟｰｼﾞ :", referrer_);
  row("ﾌｧｲﾙｻｲｽﾞ :", size_);
  row("作成日時 :", created_);
  row("更新日時 :", modified_);
  top->Add(grid, 1, wxLEFT | wxRIGHT | wxEXPAND, wxDLG_UNIT(this, wxSize(7, 0)).x);

  auto* actions = new wxBoxSizer(wxHORIZONTAL);
  actions->Add(new wxButton(this, kFetchId, u8("情報の表示")), 0, wxRIGHT, gap.x);
  actions->Add(new wxButton(this, kBrowserId, u8("ﾌﾞﾗｳｻﾞで表示")), 0, wxRIGHT, gap.x);
  actions->Add(new wxButton(this, kDeleteId, u8("ﾘｽﾄから削除")));
  top->Add(actions, 0, wxALL, wxDLG_UNIT(this, wxSize(7, 0)).x);

  auto* buttons = new wxStdDialogButtonSizer;
  auto* ok = new wxButton(this, wxID_OK, "&OK");
  ok->SetDefault();  // Enter in a field presses it
  buttons->AddButton(ok);
  buttons->AddButton(new wxButton(this, wxID_CANCEL, u8("ｷｬﾝｾﾙ(&C)")));
  buttons->Realize();
  top->Add(buttons, 0, wxALL | wxEXPAND, wxDLG_UNIT(this, wxSize(7, 0)).x);
  SetSizerAndFit(top);
  showFields();

  Bind(wxEVT_BUTTON, &CPropertiesDlg::onFetch, this, kFetchId);
  Bind(wxEVT_BUTTON, &CPropertiesDlg::onBrowser, this, kBrowserId);
  Bind(wxEVT_BUTTON, &CPropertiesDlg::onDelete, this, kDeleteId);
  Bind(wxEVT_BUTTON, &CPropertiesDlg::onOk, this, wxID_OK);
  Bind(
      wxEVT_TIMER, [this](wxTimerEvent&) { onTimer(); }, kTimerId);
}

CPropertiesDlg::~CPropertiesDlg() {
  timer_.Stop();
  // A thread that does not answer within two seconds is given up: it keeps its own record,
  // which nothing here reads any more, and its write gate is closed.
  slot_.stop();
}

void CPropertiesDlg::showFields() {
  fileName_->ChangeValue(u8(displayText(edit_.fileName)));
  extension_->ChangeValue(u8(displayText(item_.extension)));
  url_->ChangeValue(u8(displayText(edit_.url)));
  tag_->ChangeValue(u8(displayText(item_.tag)));
  referrer_->ChangeValue(u8(displayText(edit_.referrer)));
  size_->ChangeValue(u8(sizeText_));
  created_->ChangeValue(u8(displayText(serverDate_)));
  modified_->ChangeValue(u8(displayText(lastModified_)));
}

bool CPropertiesDlg::ask(const std::string& question) {
  return app_.prompter->message(question, PromptIcon::kQuestion, PromptButtons::kYesNo) ==
         PromptAnswer::kYes;
}

void CPropertiesDlg::tell(const std::string& text, PromptIcon icon) {
  app_.prompter->message(text, icon, PromptButtons::kOk);
}

void CPropertiesDlg::onFetch(wxCommandEvent&) {
  if (sizeText_ != kSizeUnconfirmed && !ask("情報は既に表示されています。表示を更新しますか？")) {
    return;
  }
  if (slot_.running()) {
    tell("現在、情報の取得中です", PromptIcon::kExclamation);
    return;
  }
  request_ = makeInfoRequest(app_.settings, app_.appDirectory, fullAddress(item_), item_.referrer,
                             prompter_);
  slot_.start(request_);
  if (!timer_.Start(kTickMs)) {
    tell("ﾀｲﾏｰの起動に失敗しました。他のｱﾌﾟﾘｹｰｼｮﾝを終了させて下さい。", PromptIcon::kStop);
  }
}

void CPropertiesDlg::onTimer() {
  if (!request_ || !request_->doneEvent.tryWait()) return;
  timer_.Stop();
  slot_.finish();
  if (request_->result == ItemResult::kSucceed) {
    sizeText_ = fileSizeText(request_->info.remoteSize);
    serverDate_ = request_->info.serverDate;
    lastModified_ = request_->info.lastModified;
  } else {
    sizeText_ = kFileMissing;
  }
  request_.reset();
  showFields();
}

void CPropertiesDlg::onBrowser(wxCommandEvent&) {
  if (!app_.shell->open(fullAddress(item_))) {
    tell("ﾌﾞﾗｳｻﾞの起動ｴﾗｰです。ﾌﾞﾗｳｻﾞがｲﾝｽﾄｰﾙされているか確認して下さい。",
         PromptIcon::kExclamation);
  }
}

void CPropertiesDlg::onDelete(wxCommandEvent&) {
  if (!(app_.settings.movement & movement::kNoConfirm) && !ask("本当に削除してよろしいですか？")) {
    return;
  }
  EndModal(kDeleteResult);
}

void CPropertiesDlg::onOk(wxCommandEvent& event) {
  if (text(fileName_).empty()) fileName_->ChangeValue(kIndexMarker);
  if (text(url_).empty()) {
    tell("ｱｲﾃﾑ情報に空白は使用できません", PromptIcon::kStop);
    return;
  }
  edit_.fileName = editedItemText(item_.fileName, text(fileName_));
  edit_.url = editedItemText(item_.url, text(url_));
  edit_.referrer = editedItemText(item_.referrer, text(referrer_));
  event.Skip();
}

}  // namespace murlo::gui
