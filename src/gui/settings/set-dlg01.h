// CSetDlg01: the extensions of files to download (SETTING/DownEx and Extend).
#pragma once

#include <wx/textctrl.h>

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg01 : public CSettingsPage {
 public:
  static constexpr int kExtendId = 1000;

  using CSettingsPage::CSettingsPage;
  wxString caption() const override;
  void save(AppSettings& settings) override;

 protected:
  void createControls(wxBoxSizer* top) override;
  void load(const AppSettings& settings) override;

 private:
  void enableExtend() { extend_->Enable(custom_->GetValue()); }

  wxCheckBox* custom_ = nullptr;
  wxTextCtrl* extend_ = nullptr;
};

}  // namespace murlo::gui
