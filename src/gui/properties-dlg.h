// CPropertiesDlg: "ﾌﾟﾛﾊﾟﾃｨ", one item's columns with its file name, address and referrer
// editable, the remote size and dates fetched on the information thread, the item opened
// in the browser, and the item deleted from the list. UI thread only.
#pragma once

#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <memory>

#include "app-context.h"
#include "items/item-record.h"
#include "jobs/worker-slot.h"
#include "logic/item-properties.h"

namespace murlo {
struct JobRecord;
}

namespace murlo::gui {

class CPropertiesDlg : public wxDialog {
 public:
  // Control identifiers, and the dialog result that asks to delete the item.
  enum : int {
    kFileNameId = 1043,
    kExtensionId = 1044,
    kUrlId = 1003,
    kTagId = 1045,
    kReferrerId = 1055,
    kSizeId = 1046,
    kCreatedId = 1047,
    kModifiedId = 1054,
    kFetchId = 1001,
    kBrowserId = 1002,
    kDeleteId = 1029,
    kDeleteResult = 10,
  };
  static constexpr int kTimerId = 1432;
  static constexpr int kTickMs = 500;

  CPropertiesDlg(wxWindow* parent, AppContext& app, const ItemRecord& item);
  // Stops a fetch that still runs and gives it up after the 2-second wait.
  ~CPropertiesDlg() override;

  // What OK accepted, in item bytes.
  const ItemEdit& edit() const { return edit_; }
  bool fetching() const { return slot_.running(); }

  // The timer's tick, callable by tests.
  void onTimer();

 private:
  void onFetch(wxCommandEvent& event);
  void onBrowser(wxCommandEvent& event);
  void onDelete(wxCommandEvent& event);
  void onOk(wxCommandEvent& event);
  // Shows the values the dialog holds in every field.
  void showFields();
  bool ask(const std::string& question);
  void tell(const std::string& text, PromptIcon icon);

  AppContext& app_;
  // The item as the dialog opened with it; fetch and browser use its address.
  const ItemRecord item_;
  std::string sizeText_ = kSizeUnconfirmed;
  std::string serverDate_;
  std::string lastModified_;
  ItemEdit edit_;
  std::shared_ptr<Prompter> prompter_;
  std::shared_ptr<JobRecord> request_;
  WorkerSlot slot_{nullptr};
  wxTimer timer_;
  wxTextCtrl* fileName_;
  wxTextCtrl* extension_;
  wxTextCtrl* url_;
  wxTextCtrl* tag_;
  wxTextCtrl* referrer_;
  wxTextCtrl* size_;
  wxTextCtrl* created_;
  wxTextCtrl* modified_;
};

}  // namespace murlo::gui
