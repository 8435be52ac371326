// CMurloDoc: the document: it owns the item list, which the view shows, opens and saves
// list files, keeps the recent-file list and the job file Murlo.mrl, switches the
// analysis tags and carries out what the wizard set up. UI thread only.
#pragma once

#include <wx/event.h>
#include <wx/filehistory.h>

#include <string>

#include "items/item-list.h"
#include "settings/recent-files.h"

namespace murlo::gui {

namespace wizard {
enum class WizardMode;
}  // namespace wizard

class CMainFrame;

class CMurloDoc {
 public:
  CMurloDoc(CMainFrame& frame, wxMenu* fileMenu);

  // Runs a document command; false when `id` is not one of them.
  bool run(int id);
  bool updateUi(wxUpdateUIEvent& event);

  // Appends a list file's items; on success the file becomes the document's path and
  // enters the recent-file list.
  bool openPath(const std::string& path);
  // What the wizard's finish sets up: the list replaced by the address (tag "WIZARD"), then
  // kImages and kAnalysis analyse it, kRecursive analyses recursively under its folder,
  // kDownload downloads it.
  void finishWizard(wizard::WizardMode mode, const std::string& address);

  ItemList& items() { return items_; }
  const std::string& path() const { return path_; }

  std::string jobFilePath() const;

 private:
  void open();
  void saveAs();
  void saveJobFile();
  void resumeJobFile();
  void toggleTag(int bit);
  // Runs the wizard and, when it ends with Finish, what it set up.
  void runWizard();
  void setPath(const std::string& path);
  void refreshHistory();
  // Writes the list to `path` under its lock; false after telling the user why not.
  bool writeList(const std::string& path);

  CMainFrame& frame_;
  ItemList items_;
  wxFileHistory history_;
  RecentFiles& recent_;
  std::string path_;
};

}  // namespace murlo::gui
