#include "settings/set-dlg04.h"

#include <climits>

#include "logic/settings-rules.h"
#include "net/connection-options.h"
#include "net/cookie-jar.h"
#include "net/proxy-environment.h"
#include "paste-button.h"
#include "text/integer-field.h"
#include "ui-text.h"

namespace murlo::gui {

void CSetDlg04::createControls(wxBoxSizer* top) {
  wxStaticBoxSizer* buffer = group(top, "ﾊﾞｯﾌｧｻｲｽﾞ");
  auto* bufferRow = new wxBoxSizer(wxHORIZONTAL);
  const char* sizes[] = {"256 byte", "512 byte", "1024 byte", "2048 byte"};
  for (int i = 0; i < 4; ++i) {
    buffer_[i] = new wxRadioButton(buffer->GetStaticBox(), wxID_ANY, sizes[i], wxDefaultPosition,
                                   wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
    bufferRow->Add(buffer_[i], 0, wxALL, dlu(2));
  }
  buffer->Add(bufferRow);

  wxStaticBoxSizer* link = group(top, "接続の設定");
  offline_ = bitBox(link, "ｵﾌﾗｲﾝで利用する", connection::kOffline);
  noCache_ = bitBox(link, "ｷｬｯｼｭに追加しない", connection::kNoCache);
  auto* timeoutRow = new wxBoxSizer(wxHORIZONTAL);
  link->Add(timeoutRow);
  useTimeout_ = new wxCheckBox(link->GetStaticBox(), wxID_ANY, u8("接続にﾀｲﾑｱｳﾄを設定する>>"));
  timeout_ = new wxTextCtrl(link->GetStaticBox(), kTimeoutId, wxEmptyString, wxDefaultPosition,
                            wxSize(dlu(24), -1), wxTE_RIGHT);
  spin_ = new wxSpinButton(link->GetStaticBox(), wxID_ANY, wxDefaultPosition, wxDefaultSize,
                           wxSP_VERTICAL | wxSP_ARROW_KEYS);
  spin_->SetRange(kMinTimeoutStep, kMaxTimeoutStep);
  timeoutRow->Add(useTimeout_, 0, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  timeoutRow->Add(timeout_, 0, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  timeoutRow->Add(spin_, 0, wxALIGN_CENTER_VERTICAL);
  timeoutRow->Add(new wxStaticText(link->GetStaticBox(), wxID_ANY, u8("×10 [秒]")), 0,
                  wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));

  wxStaticBoxSizer* proxy = group(top, "ﾌﾟﾛｷｼの設定");
  useProxy_ =
      new wxCheckBox(proxy->GetStaticBox(), wxID_ANY, u8("ﾌﾟﾛｷｼ ｻｰﾊﾞｰを使用してｲﾝﾀｰﾈｯﾄにｱｸｾｽする"));
  proxy->Add(useProxy_, 0, wxALL, dlu(2));
  auto* proxyRow = new wxBoxSizer(wxHORIZONTAL);
  proxy->Add(proxyRow, 0, wxEXPAND);
  proxyName_ = new wxTextCtrl(proxy->GetStaticBox(), kProxyNameId);
  proxyPort_ = new wxTextCtrl(proxy->GetStaticBox(), kProxyPortId, wxEmptyString, wxDefaultPosition,
                              wxSize(dlu(36), -1));
  paste_ = new PasteButton(proxy->GetStaticBox(), proxyName_);
  proxyRow->Add(new wxStaticText(proxy->GetStaticBox(), wxID_ANY, u8("ｱﾄﾞﾚｽ：")), 0,
                wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  proxyRow->Add(proxyName_, 1, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  proxyRow->Add(paste_, 0, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  proxyRow->Add(new wxStaticText(proxy->GetStaticBox(), wxID_ANY, u8("ﾎﾟｰﾄ：")), 0,
                wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  proxyRow->Add(proxyPort_, 0, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  proxyInEffect_ = new wxStaticText(proxy->GetStaticBox(), kProxyInEffectId, wxEmptyString);
  proxy->Add(proxyInEffect_, 0, wxALL | wxEXPAND, dlu(2));

  wxStaticBoxSizer* files = group(top, "ｸｯｷｰと証明書");
  cookieFile_ = fileRow(files, kCookieFileId, "ｸｯｷｰ ﾌｧｲﾙ (Netscape 形式)：");
  caFile_ = fileRow(files, kCaFileId, "CA 証明書ﾌｧｲﾙ (PEM 形式)：");

  // Offline work and keeping downloads out of the cache exclude each other.
  offline_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
    if (offline_->GetValue()) noCache_->SetValue(false);
    event.Skip();
  });
  noCache_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
    if (noCache_->GetValue()) offline_->SetValue(false);
    event.Skip();
  });
  for (wxCheckBox* box : {useTimeout_, useProxy_}) {
    box->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
      enableFields();
      event.Skip();
    });
  }
  for (wxTextCtrl* field : {proxyName_, proxyPort_}) {
    field->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
      showProxyInEffect();
      event.Skip();
    });
  }
  spin_->Bind(wxEVT_SPIN, [this](wxSpinEvent& event) {
    timeout_->SetValue(wxString::Format("%d", event.GetPosition()));
    event.Skip();
  });
  // A typed time-out moves the spin button, so "+" and "-" step on from what the user typed.
  timeout_->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
    followTypedTimeout();
    event.Skip();
  });
}

wxTextCtrl* CSetDlg04::fileRow(wxStaticBoxSizer* group, int id, const char* caption) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  group->Add(row, 0, wxEXPAND);
  auto* field = new wxTextCtrl(group->GetStaticBox(), id);
  row->Add(new wxStaticText(group->GetStaticBox(), wxID_ANY, u8(caption)), 0,
           wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  row->Add(field, 1, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  return field;
}

void CSetDlg04::showProxyInEffect() {
  std::optional<std::string> own;
  if (useProxy_->GetValue()) {
    own = std::string(proxyName_->GetValue().utf8_str().data()) + ":" +
          proxyPort_->GetValue().utf8_str().data();
  }
  proxyInEffect_->SetLabel(u8(proxyInEffectText(own, ProxyEnvironment::fromProcess())));
}

void CSetDlg04::followTypedTimeout() {
  if (const auto position = timeoutSpinPosition(timeout_->GetValue().utf8_str().data())) {
    spin_->SetValue(*position);
  }
}

void CSetDlg04::enableFields() {
  timeout_->Enable(useTimeout_->GetValue());
  spin_->Enable(useTimeout_->GetValue());
  for (wxWindow* w : {static_cast<wxWindow*>(proxyName_), static_cast<wxWindow*>(proxyPort_),
                      static_cast<wxWindow*>(paste_)}) {
    w->Enable(useProxy_->GetValue());
  }
  showProxyInEffect();
}

void CSetDlg04::load(const AppSettings& settings) {
  const int bufferIndex =
      settings.bufferSize >= 0 && settings.bufferSize <= 3 ? settings.bufferSize : 2;
  buffer_[bufferIndex]->SetValue(true);
  unpackBits(settings.connection);
  useTimeout_->SetValue((settings.connection & connection::kTimeout) != 0);
  useProxy_->SetValue((settings.connection & connection::kProxy) != 0);
  const int shown = shownTimeout(settings.connection);
  timeout_->ChangeValue(wxString::Format("%d", shown));
  followTypedTimeout();
  proxyName_->ChangeValue(u8(settings.proxyName));
  proxyPort_->ChangeValue(u8(settings.proxyPort));
  cookieFile_->ChangeValue(u8(settings.cookieFile));
  caFile_->ChangeValue(u8(settings.caFile));
  enableFields();
}

bool CSetDlg04::validate() {
  // Any whole number is stored as typed, as long as Connection can hold it.
  const IntegerField read =
      readIntegerField(timeout_->GetValue().utf8_str().data(), INT_MIN / 256, INT_MAX / 256);
  if (!read.ok) {
    app().prompter->message(read.error, PromptIcon::kExclamation, PromptButtons::kOk);
    timeout_->SetFocus();
    return false;
  }
  if (useProxy_->GetValue() && proxyName_->IsEmpty() && proxyPort_->IsEmpty()) {
    app().prompter->message("ﾌﾟﾛｷｼ ｻｰﾊﾞｰが空欄です", PromptIcon::kStop, PromptButtons::kOk);
    return false;
  }
  const std::string cookieFile = cookieFile_->GetValue().utf8_str().data();
  if (!cookieFile.empty()) {
    const CookieJar::Loaded loaded = CookieJar::load(cookieFile);
    if (!loaded.jar) {
      app().prompter->message(loaded.error, PromptIcon::kExclamation, PromptButtons::kOk);
      cookieFile_->SetFocus();
      return false;
    }
  }
  const std::string caFile = caFile_->GetValue().utf8_str().data();
  if (const auto problem = caFile.empty() ? std::nullopt : caFileProblem(caFile)) {
    app().prompter->message(*problem, PromptIcon::kExclamation, PromptButtons::kOk);
    caFile_->SetFocus();
    return false;
  }
  timeoutValue_ = read.value;
  return true;
}

void CSetDlg04::save(AppSettings& settings) {
  int bits = packBits();
  if (useTimeout_->GetValue()) bits |= connection::kTimeout;
  if (useProxy_->GetValue()) bits |= connection::kProxy;
  settings.connection = timeoutValue_ * 256 + bits;
  for (int i = 0; i < 4; ++i) {
    if (buffer_[i]->GetValue()) settings.bufferSize = i;
  }
  settings.proxyName = proxyName_->GetValue().utf8_str().data();
  settings.proxyPort = proxyPort_->GetValue().utf8_str().data();
  settings.cookieFile = cookieFile_->GetValue().utf8_str().data();
  settings.caFile = caFile_->GetValue().utf8_str().data();
}

}  // namespace murlo::gui
