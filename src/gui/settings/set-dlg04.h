// CSetDlg04: buffer size, connection flags, time-out and proxy (SETTING/Connection and
// BufferSize, PROXY/NAME and PORT), with the proxy in effect, the cookie file and the CA file
// (CONNECTION/COOKIES and CAFILE).
#pragma once

#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <array>

#include "settings/settings-page.h"

namespace murlo::gui {

class PasteButton;

class CSetDlg04 : public CSettingsPage {
 public:
  static constexpr int kTimeoutId = 1000;
  static constexpr int kProxyNameId = 1027;
  static constexpr int kProxyPortId = 1028;
  static constexpr int kProxyInEffectId = 1029;
  static constexpr int kCookieFileId = 1030;
  static constexpr int kCaFileId = 1031;

  CSetDlg04(wxWindow* parent, AppContext& app) : CSettingsPage(parent, app, "接続の設定") {}
  bool validate() override;
  void save(AppSettings& settings) override;

 protected:
  void createControls(wxBoxSizer* top) override;
  void load(const AppSettings& settings) override;

 private:
  void enableFields();
  // Shows the proxy the fields as they are would use, or the environment's.
  void showProxyInEffect();
  // A row of a caption and a text field for a file name.
  wxTextCtrl* fileRow(wxStaticBoxSizer* group, int id, const char* caption);
  // Moves the spin button to the time-out as typed.
  void followTypedTimeout();

  std::array<wxRadioButton*, 4> buffer_{};
  wxCheckBox* offline_ = nullptr;
  wxCheckBox* noCache_ = nullptr;
  wxCheckBox* useTimeout_ = nullptr;
  wxCheckBox* useProxy_ = nullptr;
  wxTextCtrl* timeout_ = nullptr;
  wxSpinButton* spin_ = nullptr;
  wxTextCtrl* proxyName_ = nullptr;
  wxTextCtrl* proxyPort_ = nullptr;
  PasteButton* paste_ = nullptr;
  wxStaticText* proxyInEffect_ = nullptr;
  wxTextCtrl* cookieFile_ = nullptr;
  wxTextCtrl* caFile_ = nullptr;
  int timeoutValue_ = 12;  // the field's value, read by validate()
};

}  // namespace murlo::gui
