// GuiPrompter: message boxes and dialogs on the UI thread for any caller. A worker thread
// that asks posts the question to the UI thread and waits for the answer.
#pragma once

#include <wx/window.h>

#include "platform/prompter.h"

namespace murlo::gui {

class GuiPrompter : public Prompter {
 public:
  // `parent` owns the dialogs; it may change when the main window is created.
  void setParent(wxWindow* parent) { parent_ = parent; }

  PromptAnswer message(const std::string& text, PromptIcon icon, PromptButtons buttons) override;
  OverwriteChoice confirmOverwrite(const std::string& url, const std::string& fileName) override;
  std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;

 private:
  // Runs `ask` on the UI thread and returns its result, waiting when called from elsewhere.
  template <typename Fn>
  auto onUiThread(Fn ask) -> decltype(ask());

  wxWindow* parent_ = nullptr;
};

// A message box over `parent` with the icon of its kind; UI thread only.
PromptAnswer showMessageBox(wxWindow* parent, const std::string& text, PromptIcon icon,
                            PromptButtons buttons);

// The wildcard of a file dialog from the program's "label|pattern|...||" filter text.
wxString dialogWildcard(const std::string& filter);

}  // namespace murlo::gui
