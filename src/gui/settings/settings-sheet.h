// CSettingsSheet: the settings dialog "設定ﾀﾞｲｱﾛｸﾞ", eight pages over the program's
// AppSettings. OK and Apply store the pages that were shown, once every one of them has
// passed its checks; Cancel stores nothing. UI thread only.
#pragma once

#include <wx/propdlg.h>

#include <vector>

#include "app-context.h"

namespace murlo::gui {

class CSettingsPage;

class CSettingsSheet : public wxPropertySheetDialog {
 public:
  CSettingsSheet(wxWindow* parent, AppContext& app);

  int pageCount() const { return static_cast<int>(pages_.size()); }
  CSettingsPage* page(int index) { return pages_[index]; }

 private:
  // Checks the shown pages in order, stopping at the first that refuses (which is brought
  // to the front), then stores them all. False when a page refused.
  bool apply();

  AppContext& app_;
  std::vector<CSettingsPage*> pages_;
};

}  // namespace murlo::gui
