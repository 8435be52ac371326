#include "murlo-doc.h"

#include <wx/menu.h>
#include <wx/utils.h>

#include <filesystem>

#include "command-help.h"
#include "command-ids.h"
#include "items/list-file.h"
#include "logic/window-title.h"
#include "platform/file-lock.h"

namespace murlo::gui {

namespace {
constexpr const char* kListFilter = "Murlo ﾌｧｲﾙ(*.mrl)|*.mrl||";
}  // namespace

CMurloDoc::CMurloDoc(AppContext& app, wxMenu* fileMenu)
    : app_(app), history_(RecentFiles::kMax, wxID_FILE1), title_(kDocumentTitle) {
  history_.UseMenu(fileMenu);
  refreshHistory();
}

std::string CMurloDoc::jobFilePath() const { return app_.appFile(kJobFile); }

ItemList& CMurloDoc::items() {
  if (selectionCatchUp_) selectionCatchUp_();
  return items_;
}

void CMurloDoc::setTitle(const std::string& title) {
  title_ = title;
  if (titleListener_) titleListener_(title_);
}

void CMurloDoc::message(const std::string& text, PromptIcon icon) {
  app_.prompter->message(text, icon, PromptButtons::kOk);
}

void CMurloDoc::refreshHistory() {
  while (history_.GetCount() > 0) history_.RemoveFileFromHistory(0);
  // wxFileHistory puts the newest first; add the oldest first.
  const auto& paths = app_.recentFiles.paths();
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
    history_.AddFileToHistory(wxString::FromUTF8(*it));
  }
  // The entries' status-bar prompt, as every other command has.
  const wxString prompt = wxString::FromUTF8(commandHelp(ID_FILE_MRU_FIRST).prompt);
  for (wxObject* menu : history_.GetMenus()) {
    for (std::size_t i = 0; i < history_.GetCount(); ++i) {
      static_cast<wxMenu*>(menu)->SetHelpString(wxID_FILE1 + static_cast<int>(i), prompt);
    }
  }
}

void CMurloDoc::setPath(const std::string& path) {
  path_ = path;
  app_.recentFiles.add(path);
  refreshHistory();
  // During a download the title shows its progress until the job ends.
  if (!jobRunning_) setTitle(kDocumentTitle);
}

bool CMurloDoc::run(int id) {
  if (id >= wxID_FILE1 && id < wxID_FILE1 + static_cast<int>(RecentFiles::kMax)) {
    const std::size_t index = static_cast<std::size_t>(id - wxID_FILE1);
    RecentFiles& recent = app_.recentFiles;
    if (index < recent.paths().size()) {
      const std::string path = recent.paths()[index];
      if (!openPath(path) && !std::filesystem::exists(path)) {
        recent.remove(path);
        refreshHistory();
      }
    }
    return true;
  }
  switch (id) {
    case ID_FILE_OPEN: open(); return true;
    case ID_FILE_SAVE_AS: saveAs(); return true;
    case ID_JOB_FILE_SAVE: saveJobFile(); return true;
    case ID_JOB_FILE_RESUME: resumeJobFile(); return true;
    case ID_TAG_IMG: toggleTag(tagbits::kImage); return true;
    case ID_TAG_HREF: toggleTag(tagbits::kAnchor); return true;
    case ID_TAG_BODY: toggleTag(tagbits::kBody); return true;
    case ID_TAG_FRAME: toggleTag(tagbits::kFrame); return true;
    case ID_TAG_HTML5: toggleTag(tagbits::kHtml5); return true;
    default: return false;
  }
}

bool CMurloDoc::updateUi(wxUpdateUIEvent& event) {
  const int tag = app_.settings.tag;
  switch (event.GetId()) {
    case ID_FILE_SAVE_AS:
    case ID_JOB_FILE_SAVE: event.Enable(items_.count() > 0); return true;
    case ID_TAG_IMG: event.Check(tag & tagbits::kImage); return true;
    case ID_TAG_HREF: event.Check(tag & tagbits::kAnchor); return true;
    case ID_TAG_BODY: event.Check(tag & tagbits::kBody); return true;
    case ID_TAG_FRAME: event.Check(tag & tagbits::kFrame); return true;
    case ID_TAG_HTML5: event.Check(tag & tagbits::kHtml5); return true;
    default: return false;
  }
}

bool CMurloDoc::openPath(const std::string& path) {
  ListReadResult result;
  {
    wxBusyCursor wait;
    result = ReadList(items_, path);
  }
  const std::string text = listReadMessage(result, path);
  if (!text.empty()) {
    message(text, PromptIcon::kStop);
  } else if (result.status == ListReadStatus::kCannotOpen) {
    message(path + " を開けません。", PromptIcon::kStop);
  }
  if (result.ok()) setPath(path);
  return result.ok();
}

void CMurloDoc::open() {
  FileDialogRequest request;
  request.title = "MRLﾌｧｲﾙを開く";
  request.filter = kListFilter;
  request.mustExist = true;
  if (auto path = app_.prompter->chooseSaveFile(request)) openPath(*path);
}

bool CMurloDoc::writeList(const std::string& path) {
  // The lock keeps a murlo-cli command that rewrites the same file from losing either
  // side's rows.
  FileLock lock;
  bool written = false;
  {
    wxBusyCursor wait;
    written = lock.acquire(path, app_.listLockPatience) && WriteList(items_, path);
  }
  if (written) return true;
  // The list stays in memory; the user learns that the file was not written, and why.
  const std::optional<uid_t> owner = lock.blockingOwner();
  message(owner ? foreignLockText(FileLock::lockPathFor(path), *owner)
          : !lock.held() && lock.error() == 0
              ? path + " は他のﾌﾟﾛｸﾞﾗﾑが使用中のため、ﾘｽﾄを保存できませんでした。"
              : path + " にﾘｽﾄを保存できませんでした。",
          PromptIcon::kStop);
  return false;
}

void CMurloDoc::saveAs() {
  FileDialogRequest request;
  request.title = "ﾘｽﾄを保存する";
  request.filter = kListFilter;
  request.confirmOverwrite = true;
  auto chosen = app_.prompter->chooseSaveFile(request);
  if (!chosen) return;
  std::string path = *chosen;
  if (std::filesystem::path(path).extension().empty()) path += ".mrl";
  if (writeList(path)) setPath(path);
}

void CMurloDoc::saveJobFile() {
  if (items_.count() == 0) return;
  writeList(jobFilePath());
}

void CMurloDoc::resumeJobFile() {
  if (!std::filesystem::exists(jobFilePath())) {
    message("Murlo.Mrl が見付かりません", PromptIcon::kInformation);
    return;
  }
  items_.deleteAll();
  ListReadResult result;
  {
    wxBusyCursor wait;
    result = ReadList(items_, jobFilePath());
  }
  const std::string text = listReadMessage(result, jobFilePath());
  if (!text.empty()) message(text, PromptIcon::kStop);
}

void CMurloDoc::toggleTag(int bit) { app_.settings.tag ^= bit; }

}  // namespace murlo::gui
