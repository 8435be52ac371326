// CSetDlg01: the extensions of files to download (SETTING/DownEx and Extend).
#pragma once

#include <wx/textctrl.h>

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg01 : public CSettingsPage {
 public:
  static constexpr int kExtendId = 1000;

  CSetDlg01(wxWindow* parent, AppContext& app)
      : CSettingsPage(parent, app, "ﾀﾞｳﾝﾛｰﾄﾞするﾌｧｲﾙの拡張子") {}
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
