// CSetDlg08: extended behaviour (SETTING/ExSet). The thread counts are shown, fixed at one.
#pragma once

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg08 : public CSettingsPage {
 public:
  using CSettingsPage::CSettingsPage;
  wxString caption() const override;
  void save(AppSettings& settings) override { settings.exSet = packBits(); }

 protected:
  void createControls(wxBoxSizer* top) override;
  void load(const AppSettings& settings) override { unpackBits(settings.exSet); }
};

}  // namespace murlo::gui
