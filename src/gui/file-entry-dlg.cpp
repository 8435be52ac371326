#include "file-entry-dlg.h"

#include <wx/button.h>
#include <wx/dnd.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "paste-button.h"
#include "ui-text.h"

namespace murlo::gui {

namespace {

std::string text(const wxTextCtrl* field) { return std::string(field->GetValue().utf8_str()); }

class FileDrop : public wxFileDropTarget {
 public:
  explicit FileDrop(CFileEntryDlg& dlg) : dlg_(dlg) {}
  bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
    std::vector<std::string> paths;
    for (const wxString& name : names) paths.emplace_back(name.utf8_str());
    dlg_.dropFiles(paths);
    return true;
  }

 private:
  CFileEntryDlg& dlg_;
};

}  // namespace

CFileEntryDlg::CFileEntryDlg(wxWindow* parent, Prompter& prompter, Kind kind)
    : wxDialog(parent, wxID_ANY, u8(kind == Kind::kResume ? "ﾚｼﾞｭｰﾑﾀﾞｲｱﾛｸﾞ" : "ﾛｰｶﾙﾌｧｲﾙの解析")),
      prompter_(prompter),
      kind_(kind) {
  const int margin = wxDLG_UNIT(this, wxSize(7, 0)).x;
  const int gap = wxDLG_UNIT(this, wxSize(4, 0)).x;
  auto* top = new wxBoxSizer(wxVERTICAL);

  auto* fileGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("ﾌｧｲﾙﾈｰﾑ"));
  fileName_ = new wxTextCtrl(fileGroup->GetStaticBox(), kFileNameId, wxEmptyString,
                             wxDefaultPosition, wxDLG_UNIT(this, wxSize(180, -1)), wxTE_READONLY);
  fileGroup->Add(fileName_, 1, wxALL | wxALIGN_CENTER_VERTICAL, gap);
  fileGroup->Add(new wxButton(fileGroup->GetStaticBox(), kBrowseId, "...", wxDefaultPosition,
                              wxDefaultSize, wxBU_EXACTFIT),
                 0, wxALL, gap);
  top->Add(fileGroup, 0, wxALL | wxEXPAND, margin);

  auto* urlGroup = new wxStaticBoxSizer(wxVERTICAL, this, "URL");
  wxWindow* box = urlGroup->GetStaticBox();
  auto* addressRow = new wxBoxSizer(wxHORIZONTAL);
  address_ = new wxTextCtrl(box, kAddressId);
  addressRow->Add(address_, 1, wxALIGN_CENTER_VERTICAL);
  addressRow->Add(new PasteButton(box, address_, PasteButton::Mode::kAtCaret), 0, wxLEFT, gap);
  urlGroup->Add(addressRow, 0, wxALL | wxEXPAND, gap);
  if (kind_ == Kind::kResume) {
    auto* referrerRow = new wxBoxSizer(wxHORIZONTAL);
    referrerRow->Add(new wxStaticText(box, wxID_ANY, u8("参照ﾍﾟｰｼﾞ :")), 0,
                     wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    referrer_ = new wxTextCtrl(box, kReferrerId);
    referrerRow->Add(referrer_, 1);
    urlGroup->Add(referrerRow, 0, wxALL | wxEXPAND, gap);
  }
  top->Add(urlGroup, 0, wxLEFT | wxRIGHT | wxEXPAND, margin);

  auto* buttons = new wxStdDialogButtonSizer;
  auto* ok = new wxButton(this, wxID_OK, u8(kind_ == Kind::kResume ? "&OK" : "開始(&S)"));
  ok->SetDefault();  // Enter in a field presses it
  buttons->AddButton(ok);
  buttons->AddButton(new wxButton(this, wxID_CANCEL, u8("ｷｬﾝｾﾙ(&C)")));
  buttons->Realize();
  top->Add(buttons, 0, wxALL | wxEXPAND, margin);
  SetSizerAndFit(top);

  SetDropTarget(new FileDrop(*this));
  Bind(wxEVT_BUTTON, &CFileEntryDlg::onBrowse, this, kBrowseId);
  Bind(wxEVT_BUTTON, &CFileEntryDlg::onOk, this, wxID_OK);
}

void CFileEntryDlg::takeFile(const std::string& path) {
  entry_.path = path;
  fileName_->ChangeValue(u8(fileNameOfPath(path)));
}

void CFileEntryDlg::dropFiles(const std::vector<std::string>& paths) {
  if (!paths.empty()) takeFile(paths.front());
}

void CFileEntryDlg::onBrowse(wxCommandEvent&) {
  FileDialogRequest request;
  if (kind_ == Kind::kResume) {
    request.title = "ﾀﾞｳﾝﾛｰﾄﾞ再開ﾌｧｲﾙの選択";
    request.filter =
        "すべてのﾌｧｲﾙ(*.*)|*.*|画像ﾌｧｲﾙ(*.jpg;*.gif)|*.jpg;*.gif|書庫ﾌｧｲﾙ(*.lzh;*.zip)|*.lzh;*.zip||";
  } else {
    request.title = "解析ﾌｧｲﾙの選択";
    request.filter = "ｲﾝﾀｰﾈｯﾄ ﾌｧｲﾙ(*.htm;*.html;*.cgi)|*.htm;*.html;*.cgi|すべてのﾌｧｲﾙ(*.*)|*.*||";
  }
  request.mustExist = true;
  if (const auto chosen = prompter_.chooseSaveFile(request)) takeFile(*chosen);
}

void CFileEntryDlg::onOk(wxCommandEvent& event) {
  LocalFileEntry typed{entry_.path, text(address_), referrer_ ? text(referrer_) : ""};
  const std::string refusal =
      kind_ == Kind::kResume ? resumeEntryError(typed) : localFileEntryError(typed);
  if (!refusal.empty()) {
    prompter_.message(refusal, PromptIcon::kStop, PromptButtons::kOk);
    return;
  }
  entry_ = std::move(typed);
  event.Skip();
}

}  // namespace murlo::gui
