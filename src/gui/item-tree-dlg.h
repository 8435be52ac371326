// CItemTreeDlg: "ｱｲﾃﾑのﾂﾘｰ表示", the item list grouped into hosts, directories and files in
// three panes, with deletion of a host's, a directory's or single files' rows. It reads and
// deletes rows of the list directly and keeps no copy of the items. UI thread only.
#pragma once

#include <wx/dialog.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/treectrl.h>

#include "items/item-list.h"
#include "platform/prompter.h"

namespace murlo::gui {

class CItemTreeDlg : public wxDialog {
 public:
  enum : int {
    kHostTreeId = 1057,
    kDirectoryTreeId = 1058,
    kFileListId = 1060,
    kStatusId = 1061,
    kCountId = 1062,
    // The dialog's menu commands.
    kCloseId = 32820 & 0x7FFF,
    kDeleteHostId = 32821 & 0x7FFF,
    kDeleteDirectoryId = 32824 & 0x7FFF,
    kDeleteFileId = 32826 & 0x7FFF,
  };

  CItemTreeDlg(wxWindow* parent, Prompter& prompter, ItemList& items);

  wxTreeCtrl* hostPane() { return hosts_; }
  wxTreeCtrl* directoryPane() { return directories_; }
  wxListCtrl* filePane() { return files_; }
  // Runs one of the dialog's menu commands.
  void runCommand(int id);

 private:
  void fillHosts();
  void onHostChosen(wxTreeEvent& event);
  void onDirectoryChosen(wxTreeEvent& event);
  void resetDirectories();
  void showCount();
  bool confirm(const char* what);
  void deleteHost();
  void deleteDirectory();
  void deleteFiles();
  // The path of the chosen directory node, or nothing.
  std::string chosenPath() const;

  Prompter& prompter_;
  ItemList& items_;
  wxImageList images_;
  wxTreeCtrl* hosts_;
  wxTreeCtrl* directories_;
  wxListCtrl* files_;
  wxStaticText* status_;
  wxStaticText* count_;
};

}  // namespace murlo::gui
