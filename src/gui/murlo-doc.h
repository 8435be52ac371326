// CMurloDoc: the document. It owns the item list, which the view shows, and the state of
// the job that works on it; opens and saves list files, keeps the recent-file list and the
// job file Murlo.mrl, and switches the analysis tags. The frame and the view follow it
// through its listeners. UI thread only.
#pragma once

#include <wx/event.h>
#include <wx/filehistory.h>

#include <functional>
#include <string>

#include "app-context.h"
#include "items/item-list.h"

namespace murlo::gui {

class CMurloDoc {
 public:
  CMurloDoc(AppContext& app, wxMenu* fileMenu);

  // Runs a document command; false when `id` is not one of them.
  bool run(int id);
  bool updateUi(wxUpdateUIEvent& event);

  // Appends a list file's items; on success the file becomes the document's path and
  // enters the recent-file list.
  bool openPath(const std::string& path);

  // The rows with the user's latest selection: input the view has not yet taken into the
  // rows (a range picked with the mouse or the keyboard) is taken in first.
  ItemList& items();
  const std::string& path() const { return path_; }
  std::string jobFilePath() const;

  // Set while a job works on the list: commands that reorder or clear it are refused, and
  // the view swallows clicks.
  bool jobRunning() const { return jobRunning_; }
  void setJobRunning(bool running) { jobRunning_ = running; }

  // The document's part of the window title: its name, or a running download's progress.
  const std::string& title() const { return title_; }
  void setTitle(const std::string& title);

  // Called with the new title whenever it is set.
  void setTitleListener(std::function<void(const std::string&)> listener) {
    titleListener_ = std::move(listener);
  }
  // The view's way of taking pending selection input into the rows (see items()).
  void setSelectionCatchUp(std::function<void()> catchUp) {
    selectionCatchUp_ = std::move(catchUp);
  }

 private:
  void open();
  void saveAs();
  void saveJobFile();
  void resumeJobFile();
  void toggleTag(int bit);
  void setPath(const std::string& path);
  void refreshHistory();
  // Writes the list to `path` under its lock; false after telling the user why not.
  bool writeList(const std::string& path);
  void message(const std::string& text, PromptIcon icon);

  AppContext& app_;
  ItemList items_;
  wxFileHistory history_;
  std::string path_;
  std::string title_;
  bool jobRunning_ = false;
  std::function<void(const std::string&)> titleListener_;
  std::function<void()> selectionCatchUp_;
};

}  // namespace murlo::gui
