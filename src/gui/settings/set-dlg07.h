// CSetDlg07: what happens after a download job (SETTING/Dial).
#pragma once

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg07 : public CBitsPage {
 public:
  CSetDlg07(wxWindow* parent, AppContext& app)
      : CBitsPage(parent, app, "回線の設定", &AppSettings::dial) {}

 protected:
  void createControls(wxBoxSizer* top) override;
};

}  // namespace murlo::gui
