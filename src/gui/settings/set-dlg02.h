// CSetDlg02: which links analysis collects (SETTING/Tag).
#pragma once

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg02 : public CSettingsPage {
 public:
  using CSettingsPage::CSettingsPage;
  wxString caption() const override;
  void save(AppSettings& settings) override { settings.tag = packBits(); }

 protected:
  void createControls(wxBoxSizer* top) override;
  void load(const AppSettings& settings) override { unpackBits(settings.tag); }
};

}  // namespace murlo::gui
