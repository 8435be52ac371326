// CSetDlg05: the error log and the output window (SETTING/Output).
#pragma once

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg05 : public CBitsPage {
 public:
  CSetDlg05(wxWindow* parent, AppContext& app)
      : CBitsPage(parent, app, "ｱｳﾄﾌﾟｯﾄとﾛｸﾞﾌｧｲﾙ", &AppSettings::output) {}

 protected:
  void createControls(wxBoxSizer* top) override;
};

}  // namespace murlo::gui
