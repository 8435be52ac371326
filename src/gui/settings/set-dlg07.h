// CSetDlg07: what happens after a download job (SETTING/Dial).
#pragma once

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg07 : public CSettingsPage {
 public:
  using CSettingsPage::CSettingsPage;
  wxString caption() const override;
  void save(AppSettings& settings) override { settings.dial = packBits(); }

 protected:
  void createControls(wxBoxSizer* top) override;
  void load(const AppSettings& settings) override { unpackBits(settings.dial); }
};

}  // namespace murlo::gui
