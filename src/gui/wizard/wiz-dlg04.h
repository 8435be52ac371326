// CWizDlg04: the wizard's summary (page 175): the save folder, the address and what Finish
// will do.
#pragma once

#include <wx/stattext.h>

#include "wizard/wiz-page.h"

namespace murlo::gui {

class CWizDlg04 : public CWizPage {
 public:
  explicit CWizDlg04(CWizard& wizard);

  std::string folderText() const { return std::string(folder_->GetLabelText().utf8_str()); }
  std::string addressText() const { return std::string(address_->GetLabelText().utf8_str()); }
  std::string modeText() const { return std::string(mode_->GetLabelText().utf8_str()); }

 protected:
  wizard::WizardPage next() override { return wizard::WizardPage::kFinish; }
  void onShow() override;

 private:
  wxStaticText* folder_;
  wxStaticText* address_;
  wxStaticText* mode_;
};

}  // namespace murlo::gui
