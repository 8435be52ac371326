// CAddItemDlg: "ｱｲﾃﾑ追加ﾀﾞｲｱﾛｸﾞ", one address typed or pasted, or, with the group "高度な機能",
// a numbered series of file names in the directory of that address. OK checks what was
// typed and stays open, with the fields as typed, until everything is right.
#pragma once

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "analysis/add-item-request.h"
#include "platform/prompter.h"

namespace murlo::gui {

class CAddItemDlg : public wxDialog {
 public:
  // Control identifiers.
  enum : int {
    kAddressId = 1000,
    kReferrerId = 1056,
    kUseRangeId = 1004,
    kBaseId = 1002,
    kIncrementId = 1027,
    kDigitsId = 1028,
    kRangeId = 1033,
    kFormatId = 1034,
    kConfirmId = 1005,
  };

  CAddItemDlg(wxWindow* parent, Prompter& prompter);

  // What OK accepted, and the parsed range of a series.
  const AddItemRequest& request() const { return request_; }
  const NumberRange& range() const { return range_; }

 private:
  void onUseRange(wxCommandEvent& event);
  void onAddressChanged(wxCommandEvent& event);
  void onOk(wxCommandEvent& event);
  // The series fields, which are disabled while the series is off; the base stays read-only.
  void enableSeries(bool on);
  void updateBase();
  // Reads an integer field; false, after telling the user and focusing the field, when it
  // holds no integer from `min` to `max`.
  bool readInteger(wxTextCtrl* field, int min, int max, int& value);

  Prompter& prompter_;
  AddItemRequest request_;
  NumberRange range_;
  wxTextCtrl* address_;
  wxTextCtrl* referrer_;
  wxCheckBox* useRange_;
  wxTextCtrl* base_;
  wxTextCtrl* increment_;
  wxTextCtrl* digits_;
  wxTextCtrl* rangeText_;
  wxTextCtrl* format_;
  wxCheckBox* confirm_;
};

}  // namespace murlo::gui
