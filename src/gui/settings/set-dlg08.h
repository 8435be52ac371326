// CSetDlg08: extended behaviour (SETTING/ExSet). The thread counts are shown, fixed at one.
#pragma once

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg08 : public CBitsPage {
 public:
  CSetDlg08(wxWindow* parent, AppContext& app)
      : CBitsPage(parent, app, "拡張設定", &AppSettings::exSet) {}

 protected:
  void createControls(wxBoxSizer* top) override;
};

}  // namespace murlo::gui
