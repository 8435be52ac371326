// CSetDlg05: the error log and the output window (SETTING/Output).
#pragma once

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg05 : public CSettingsPage {
 public:
  using CSettingsPage::CSettingsPage;
  wxString caption() const override;
  void save(AppSettings& settings) override { settings.output = packBits(); }

 protected:
  void createControls(wxBoxSizer* top) override;
  void load(const AppSettings& settings) override { unpackBits(settings.output); }
};

}  // namespace murlo::gui
