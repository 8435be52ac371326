// CWizAddressPage: the wizard's save folder and address, as the start page of an analysis
// (page 174) or as the large file to download (page 178). The address is typed, pasted
// with "&P" or dropped from a browser onto the page.
#pragma once

#include <wx/textctrl.h>

#include "wizard/wiz-page.h"

namespace murlo::gui {

class CWizAddressPage : public CWizPage {
 public:
  static constexpr int kFolderId = 1000;
  static constexpr int kBrowseId = 1001;
  static constexpr int kAddressId = 1027;

  // `id`: WizardPage::kAddress or WizardPage::kLargeFile.
  CWizAddressPage(CWizard& wizard, wizard::WizardPage id);

 protected:
  wizard::WizardPage next() override;
  void onShow() override;

 private:
  void onBrowse();

  wxTextCtrl* folder_;
  wxTextCtrl* address_;
  bool filled_ = false;
};

}  // namespace murlo::gui
