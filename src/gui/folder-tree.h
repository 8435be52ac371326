// CFolderTree: the tree of the save-folder chooser. "ﾃﾞｽｸﾄｯﾌﾟ" on top, "ﾏｲ ｺﾝﾋﾟｭｰﾀ" under
// it holding the local volumes, and their folders loaded one level below what is visible,
// so expand buttons are right without reading whole disks. A new folder is named in place:
// Enter creates it under the name shown, Escape gives it up.
// UI thread only.
#pragma once

#include <wx/treectrl.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/local-volumes.h"
#include "platform/prompter.h"

namespace murlo::gui {

inline constexpr const char* kNewFolderLabel = "新しいﾌｫﾙﾀﾞ";

class CFolderTree : public wxTreeCtrl {
 public:
  CFolderTree(wxWindow* parent, Prompter& prompter, std::vector<Volume> volumes);

  // Fills the tree with the desktop, my computer and the volumes.
  void InitTree();
  // Loads the item's children if it has none yet, and the children of each child.
  void Populate(const wxTreeItemId& item);
  // Selects the folder at `path`, walking down from the volume that holds it; selects
  // nothing when a component is missing.
  void SelectPath(const std::string& path);
  // The selected folder or volume that may hold downloads; nothing for the desktop, my
  // computer, an optical disc or no selection.
  bool GetSelectedPath(std::string& path) const;
  // Starts naming a new folder under the selected folder or volume.
  void NewFolder();

  bool editing() const { return editing_; }
  wxTreeItemId myComputer() const { return myComputer_; }
  // The path of an item, empty for the desktop and my computer.
  std::string itemPath(const wxTreeItemId& item) const;

  // Called after a new folder was created and selected.
  std::function<void()> onFolderCreated;

 private:
  enum class Kind { kDesktop, kMyComputer, kRemovable, kFixed, kOptical, kFolder };
  struct Data;

  Kind kindOf(const wxTreeItemId& item) const;
  void AddSubfolders(const std::string& path, const wxTreeItemId& parent);
  bool CreateFolder(const std::string& path);
  wxTreeItemId childNamed(const wxTreeItemId& parent, const std::string& name);
  void onEndEdit(wxTreeEvent& event);
  void finishNewFolder(wxTreeItemId item, const std::string& name);

  Prompter& prompter_;
  std::vector<Volume> volumes_;
  wxTreeItemId myComputer_;
  wxTreeItemId naming_;  // the new folder being named
  bool editing_ = false;
  bool namingCancelled_ = false;  // Escape ended the naming: the new item goes
};

}  // namespace murlo::gui
