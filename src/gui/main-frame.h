// CMainFrame: the main window with its tool bars, add-item bar, output window, status bar
// and the item list in its middle. UI thread only.
#pragma once

#include <wx/aui/aui.h>
#include <wx/combobox.h>
#include <wx/frame.h>

#include <memory>

#include "app-context.h"
#include "logic/url-combo-model.h"

namespace murlo::gui {

class CMurloDoc;
class CMurloView;
class JobCommands;
class ListCommands;
class OutputWindow;

class CMainFrame : public wxFrame {
 public:
  explicit CMainFrame(AppContext& app);
  ~CMainFrame() override;

  CMurloView* view() { return view_; }
  JobCommands* jobs() { return jobs_.get(); }
  CMurloDoc* doc() { return doc_.get(); }
  OutputWindow* output() { return output_; }
  wxComboBox* urlCombo() { return urlCombo_; }
  wxAuiManager& aui() { return aui_; }
  AppContext& app() { return app_; }

  // Commands, callable directly by tests and by the menus.
  void pasteUrl();
  void addFromBar();
  void toggleOffline();
  // The settings sheet, and the title rewritten afterwards.
  void openSettings();
  // The folder chooser on PATH01, which takes the chosen folder directly.
  void changeFolder();
  void openLog();
  void openHelp();
  void toggleBar(int commandId);
  // An address pasted or dropped: moved to the end of the add-item bar's list.
  void rememberUrl(const std::string& url);

  // Records the window's and bars' placement into the context.
  void captureFramePlacement();
  // Floats the tool bars that floated when the program last closed, at their points (kept
  // on a screen). Called once the main window is shown: a bar made before its owner would
  // be mapped under it, and a window manager would not keep it above.
  void floatStoredBars();

 private:
  wxAuiToolBar* buildToolBar(const char* name, const char* caption, std::initializer_list<int> ids);
  wxAuiToolBar* buildAddUrlBar();
  // A button with its tool tip and status-bar prompt.
  void addCommandTool(wxAuiToolBar* bar, int id);
  void showToolPrompts(wxAuiToolBar* bar);
  void applyBarStates();
  void refreshCombo();
  // The document's title with " - Murlo" and, while offline, the offline mark.
  void showTitle();
  // Narrows the add bar's address field, down to a minimum, so that the bar's buttons stay
  // inside the window; widens it again up to its full width.
  void fitAddressField();
  void message(const std::string& text, PromptIcon icon);
  wxAuiPaneInfo* paneForCommand(int commandId);
  void onClose(wxCloseEvent& event);
  void onCommand(wxCommandEvent& event);
  void onUpdateUi(wxUpdateUIEvent& event);
  void showItemCount(int count);

  AppContext& app_;
  wxAuiManager aui_;
  CMurloView* view_ = nullptr;
  OutputWindow* output_ = nullptr;
  wxComboBox* urlCombo_ = nullptr;
  UrlComboModel comboModel_;
  std::unique_ptr<ListCommands> listCommands_;
  std::unique_ptr<JobCommands> jobs_;
  std::unique_ptr<CMurloDoc> doc_;
};

}  // namespace murlo::gui
