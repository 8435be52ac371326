// CNarrowDlg: "ｱｲﾃﾑ絞り込みﾀﾞｲｱﾛｸﾞ", the text every kept row's address must contain.
// OK with an empty field says that a blank cannot be given, then closes as OK.
#pragma once

#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "platform/prompter.h"

namespace murlo::gui {

class CNarrowDlg : public wxDialog {
 public:
  CNarrowDlg(wxWindow* parent, Prompter& prompter);
  std::string text() const { return std::string(field_->GetValue().utf8_str()); }
  wxTextCtrl* field() { return field_; }

 private:
  wxTextCtrl* field_;
};

}  // namespace murlo::gui
