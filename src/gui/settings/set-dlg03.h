// CSetDlg03: behaviour flags, the same-name policy and the save folder (SETTING/Movement,
// STORE/PATH01-PATH03).
#pragma once

#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/tglbtn.h>

#include <array>

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg03 : public CSettingsPage {
 public:
  static constexpr int kFolderId = 1000;
  static constexpr int kBrowseId = 1001;

  CSetDlg03(wxWindow* parent, AppContext& app) : CSettingsPage(parent, app, "動作設定") {}
  bool validate() override;
  void save(AppSettings& settings) override;

 protected:
  void createControls(wxBoxSizer* top) override;
  void load(const AppSettings& settings) override;

 private:
  void onBrowse(wxCommandEvent& event);

  std::array<wxRadioButton*, 3> sameName_{};
  wxToggleButton* sizeCheck_ = nullptr;
  wxComboBox* folder_ = nullptr;
  // The page's own PATH01-PATH03, pushed by "..." and by OK, stored on OK.
  AppSettings history_;
};

}  // namespace murlo::gui
