#include "gui-prompter.h"

#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/thread.h>

// The generic message box builds on the declarations of wx/msgdlg.h.
#include <wx/generic/msgdlgg.h>

#include <future>

#include "logic/file-filter.h"
#include "overwrite-confirm-dlg.h"

namespace murlo::gui {

template <typename Fn>
auto GuiPrompter::onUiThread(Fn ask) -> decltype(ask()) {
  if (wxThread::IsMain()) return ask();
  using Result = decltype(ask());
  auto promise = std::make_shared<std::promise<Result>>();
  std::future<Result> answer = promise->get_future();
  wxTheApp->CallAfter([promise, ask] { promise->set_value(ask()); });
  return answer.get();
}

PromptAnswer showMessageBox(wxWindow* parent, const std::string& text, PromptIcon icon,
                            PromptButtons buttons) {
  long style = buttons == PromptButtons::kOk               ? wxOK
               : buttons == PromptButtons::kYesNoDefaultNo ? wxYES_NO | wxNO_DEFAULT
                                                           : wxYES_NO;
  switch (icon) {
    case PromptIcon::kInformation: style |= wxICON_INFORMATION; break;
    case PromptIcon::kExclamation: style |= wxICON_EXCLAMATION; break;
    case PromptIcon::kStop: style |= wxICON_ERROR; break;
    case PromptIcon::kQuestion: style |= wxICON_QUESTION; break;
  }
  // The toolkit's own message dialog of GTK 3 shows no icon at all: the kind of message
  // would be lost. This one draws the desktop theme's icon beside the text.
  wxGenericMessageDialog dlg(parent, wxString::FromUTF8(text), "Murlo", style);
  const int rc = dlg.ShowModal();
  if (buttons == PromptButtons::kOk) return PromptAnswer::kOk;
  return rc == wxID_YES ? PromptAnswer::kYes : PromptAnswer::kNo;
}

PromptAnswer GuiPrompter::message(const std::string& text, PromptIcon icon, PromptButtons buttons) {
  return onUiThread(
      [&, text, icon, buttons] { return showMessageBox(parent_, text, icon, buttons); });
}

OverwriteChoice GuiPrompter::confirmOverwrite(const std::string& url, const std::string& fileName) {
  return onUiThread([&, url, fileName] {
    COverwriteConfirmDlg dlg(parent_, url, fileName);
    dlg.ShowModal();
    return dlg.choice();
  });
}

std::optional<std::string> GuiPrompter::chooseSaveFile(const FileDialogRequest& request) {
  return onUiThread([&, request]() -> std::optional<std::string> {
    if (request.folder) {
      // Without wxDD_DIR_MUST_EXIST the browser offers to create a folder.
      wxDirDialog dlg(parent_, wxString::FromUTF8(request.title),
                      wxString::FromUTF8(request.initialFolder), wxDD_DEFAULT_STYLE);
      if (dlg.ShowModal() != wxID_OK) return std::nullopt;
      return std::string(dlg.GetPath().utf8_str());
    }
    long style = wxFD_SAVE;
    if (request.confirmOverwrite) style |= wxFD_OVERWRITE_PROMPT;
    if (request.mustExist) style = wxFD_OPEN | wxFD_FILE_MUST_EXIST;
    wxFileDialog dlg(
        parent_, wxString::FromUTF8(request.title), wxString::FromUTF8(request.initialFolder),
        wxString::FromUTF8(request.initialName), dialogWildcard(request.filter), style);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    return std::string(dlg.GetPath().utf8_str());
  });
}

wxString dialogWildcard(const std::string& filter) {
  const std::string wildcard = fileDialogWildcard(filter);
  return wildcard.empty() ? wxString(wxFileSelectorDefaultWildcardStr)
                          : wxString::FromUTF8(wildcard);
}

}  // namespace murlo::gui
