// CRecursiveDlg: "再帰的解析ﾀﾞｲｱﾛｸﾞ", the start address, the text every found address must
// contain and the two end-of-analysis switches.
#pragma once

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "platform/prompter.h"

namespace murlo::gui {

class CRecursiveDlg : public wxDialog {
 public:
  CRecursiveDlg(wxWindow* parent, Prompter& prompter);

  std::string address() const { return std::string(address_->GetValue().utf8_str()); }
  std::string mustContain() const { return std::string(mustContain_->GetValue().utf8_str()); }
  bool deleteHtml() const { return deleteHtml_->GetValue(); }
  bool autoDownload() const { return autoDownload_->GetValue(); }

  wxTextCtrl* addressField() { return address_; }
  wxTextCtrl* mustContainField() { return mustContain_; }
  wxCheckBox* deleteHtmlBox() { return deleteHtml_; }
  wxCheckBox* autoDownloadBox() { return autoDownload_; }

 private:
  void onAddressChanged(wxCommandEvent& event);
  void onOk(wxCommandEvent& event);

  Prompter& prompter_;
  wxTextCtrl* address_;
  wxTextCtrl* mustContain_;
  wxCheckBox* deleteHtml_;
  wxCheckBox* autoDownload_;
};

}  // namespace murlo::gui
