// CWizDlg06: which extensions a home page download takes (SETTING/DownEx and Extend),
// page 177.
#pragma once

#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include <vector>

#include "wizard/wiz-page.h"

namespace murlo::gui {

class CWizDlg06 : public CWizPage {
 public:
  static constexpr int kExtendId = 1000;

  explicit CWizDlg06(CWizard& wizard);

 protected:
  wizard::WizardPage next() override;
  void onShow() override;

 private:
  std::vector<std::pair<wxCheckBox*, int>> boxes_;
  wxTextCtrl* extend_;
};

}  // namespace murlo::gui
