#include "recursive-dlg.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "initial-focus.h"
#include "logic/job-command-rules.h"
#include "paste-button.h"
#include "ui-text.h"

namespace murlo::gui {

CRecursiveDlg::CRecursiveDlg(wxWindow* parent, Prompter& prompter)
    : wxDialog(parent, wxID_ANY, u8("再帰的解析ﾀﾞｲｱﾛｸﾞ")), prompter_(prompter) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, u8("開始URL :")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
           6);
  address_ = new wxTextCtrl(this, 1000, wxEmptyString, wxDefaultPosition, wxSize(380, -1));
  row->Add(address_, 1, wxALIGN_CENTER_VERTICAL);
  row->Add(new PasteButton(this, address_), 0, wxLEFT, 4);
  top->Add(row, 0, wxALL | wxEXPAND, 8);

  auto* group = new wxStaticBoxSizer(wxVERTICAL, this, u8("ｱｲﾃﾑが含まなければならない文字列"));
  mustContain_ = new wxTextCtrl(group->GetStaticBox(), 1027);
  group->Add(mustContain_, 0, wxALL | wxEXPAND, 4);
  top->Add(group, 0, wxLEFT | wxRIGHT | wxEXPAND, 8);

  deleteHtml_ = new wxCheckBox(this, 1004, u8("解析終了後、HTML系ｱｲﾃﾑをすべて削除する"));
  autoDownload_ = new wxCheckBox(this, 1005, u8("解析終了後、自動的にﾀﾞｳﾝﾛｰﾄﾞ作業を開始する"));
  top->Add(deleteHtml_, 0, wxLEFT | wxRIGHT | wxTOP, 8);
  top->Add(autoDownload_, 0, wxLEFT | wxRIGHT | wxTOP, 8);
  top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 8);
  SetSizerAndFit(top);
  focusFieldOnOpen(*this, *address_);

  address_->Bind(wxEVT_TEXT, &CRecursiveDlg::onAddressChanged, this);
  Bind(wxEVT_BUTTON, &CRecursiveDlg::onOk, this, wxID_OK);
}

void CRecursiveDlg::onAddressChanged(wxCommandEvent&) {
  if (auto suggestion = suggestMustContain(address(), mustContain())) {
    mustContain_->ChangeValue(u8(*suggestion));
  }
}

void CRecursiveDlg::onOk(wxCommandEvent& event) {
  if (auto error = recursiveAddressError(address())) {
    prompter_.message(*error, PromptIcon::kStop, PromptButtons::kOk);
    return;  // the dialog stays open with what was typed
  }
  event.Skip();
}

}  // namespace murlo::gui
