// CSetDlg02: which links analysis collects (SETTING/Tag).
#pragma once

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg02 : public CBitsPage {
 public:
  CSetDlg02(wxWindow* parent, AppContext& app)
      : CBitsPage(parent, app, "解析の設定", &AppSettings::tag) {}

 protected:
  void createControls(wxBoxSizer* top) override;
};

}  // namespace murlo::gui
