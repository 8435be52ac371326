// COverwriteConfirmDlg: asks what to do about a file of the same name ("上書き保存の確認").
#pragma once

#include <wx/dialog.h>
#include <wx/radiobut.h>

#include <array>

#include "platform/prompter.h"

namespace murlo::gui {

class COverwriteConfirmDlg : public wxDialog {
 public:
  COverwriteConfirmDlg(wxWindow* parent, const std::string& url, const std::string& fileName);

  OverwriteChoice choice() const { return choice_; }
  // Takes the chosen radio button; without one, asks for a choice and returns false.
  bool takeChoice();
  // The radio button of a choice (for tests and keyboard handling).
  wxRadioButton* button(OverwriteChoice c) { return buttons_[static_cast<int>(c)]; }

 private:
  void onOk(wxCommandEvent& event);

  std::array<wxRadioButton*, 4> buttons_{};
  OverwriteChoice choice_ = OverwriteChoice::kOverwrite;
};

}  // namespace murlo::gui
