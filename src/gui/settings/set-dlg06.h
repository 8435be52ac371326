// CSetDlg06: the sounds of a finished analysis, a finished download and an error
// (SETTING/Sound, SOUND/FILE01-FILE03), and the desktop notification of a job's end.
#pragma once

#include <wx/textctrl.h>

#include <array>

#include "settings/settings-page.h"

namespace murlo::gui {

class CSetDlg06 : public CSettingsPage {
 public:
  // Row r's file field, "..." and "Test" buttons.
  static constexpr int fileId(int row) { return 1000 + row * 3; }
  static constexpr int browseId(int row) { return 1001 + row * 3; }
  static constexpr int testId(int row) { return 1002 + row * 3; }

  CSetDlg06(wxWindow* parent, AppContext& app) : CSettingsPage(parent, app, "ｻｳﾝﾄﾞの設定") {}
  void save(AppSettings& settings) override;

 protected:
  void createControls(wxBoxSizer* top) override;
  void load(const AppSettings& settings) override;

 private:
  std::string file(int row) const { return files_[row]->GetValue().utf8_str().data(); }
  void enableFiles();
  void browse(int row);

  std::array<wxCheckBox*, 3> boxes_{};
  std::array<wxTextCtrl*, 3> files_{};
  wxCheckBox* notification_ = nullptr;
};

}  // namespace murlo::gui
