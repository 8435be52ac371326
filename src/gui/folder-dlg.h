// CFolderDlg: "保存先ﾌｫﾙﾀﾞの選択", the program's own chooser of the save folder, with the
// folder tree, the chosen path and a button that makes a new folder. UI thread only.
#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>

#include "folder-tree.h"

namespace murlo::gui {

class CFolderDlg : public wxDialog {
 public:
  static constexpr int kNewFolderId = 1002;

  // Opens on `path` (selected when it exists); `volumes` are the tops of the tree.
  CFolderDlg(wxWindow* parent, Prompter& prompter, const std::string& path,
             std::vector<Volume> volumes = systemVolumes());

  // The chosen folder after OK; the starting path when nothing else was chosen.
  const std::string& path() const { return path_; }
  CFolderTree* tree() { return tree_; }

 private:
  void onSelectionChanged();

  std::string path_;
  CFolderTree* tree_;
  wxStaticText* pathLabel_;
  wxButton* ok_;
  wxButton* newFolder_;
};

}  // namespace murlo::gui
