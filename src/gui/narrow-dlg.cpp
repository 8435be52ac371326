#include "narrow-dlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include "initial-focus.h"
#include "paste-button.h"
#include "platform/prompter.h"

namespace murlo::gui {

CNarrowDlg::CNarrowDlg(wxWindow* parent, Prompter& prompter)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("ｱｲﾃﾑ絞り込みﾀﾞｲｱﾛｸﾞ")) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this,
                                     wxString::FromUTF8("ｱﾄﾞﾚｽが含まなければならない文字列"));
  field_ = new wxTextCtrl(group->GetStaticBox(), 1000, wxEmptyString, wxDefaultPosition,
                          wxSize(360, -1));
  group->Add(field_, 1, wxALL | wxALIGN_CENTER_VERTICAL, 4);
  group->Add(new PasteButton(group->GetStaticBox(), field_), 0, wxALL, 4);
  top->Add(group, 0, wxALL | wxEXPAND, 8);
  top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 8);
  SetSizerAndFit(top);
  focusFieldOnOpen(*this, *field_);
  Bind(
      wxEVT_BUTTON,
      [this, &prompter](wxCommandEvent& e) {
        if (e.GetId() == wxID_OK && field_->IsEmpty()) {
          prompter.message("空白は指定できません", PromptIcon::kStop, PromptButtons::kOk);
        }
        e.Skip();
      },
      wxID_OK);
}

}  // namespace murlo::gui
