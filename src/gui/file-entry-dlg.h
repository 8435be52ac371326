// CFileEntryDlg: the two small dialogs that pair a local file with an address, "ﾚｼﾞｭｰﾑ
// ﾀﾞｲｱﾛｸﾞ" (a partial download and where it came from, with its referrer) and "ﾛｰｶﾙﾌｧｲﾙの
// 解析" (a saved page and, optionally, where it was saved from). The file comes from a
// file-open dialog or from files dropped onto the dialog. UI thread only.
#pragma once

#include <wx/dialog.h>
#include <wx/textctrl.h>

#include <string>
#include <vector>

#include "analysis/local-file-entry.h"
#include "platform/prompter.h"

namespace murlo::gui {

class CFileEntryDlg : public wxDialog {
 public:
  enum class Kind { kResume, kLocalFile };
  enum : int { kFileNameId = 1000, kBrowseId = 1001, kAddressId = 1027, kReferrerId = 1028 };

  CFileEntryDlg(wxWindow* parent, Prompter& prompter, Kind kind);

  // What OK accepted.
  const LocalFileEntry& entry() const { return entry_; }
  // Files dropped from the file manager: the first one is taken.
  void dropFiles(const std::vector<std::string>& paths);

 private:
  void onBrowse(wxCommandEvent& event);
  void onOk(wxCommandEvent& event);
  void takeFile(const std::string& path);

  Prompter& prompter_;
  const Kind kind_;
  LocalFileEntry entry_;
  wxTextCtrl* fileName_;
  wxTextCtrl* address_;
  wxTextCtrl* referrer_ = nullptr;
};

}  // namespace murlo::gui
