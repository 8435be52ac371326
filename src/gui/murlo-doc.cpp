#include "murlo-doc.h"

#include <wx/menu.h>
#include <wx/utils.h>

#include <filesystem>

#include "analysis/address.h"
#include "command-help.h"
#include "command-ids.h"
#include "items/item-tags.h"
#include "items/list-file.h"
#include "job-commands.h"
#include "logic/window-title.h"
#include "main-frame.h"
#include "murlo-view.h"
#include "platform/file-lock.h"
#include "wizard/wizard.h"

namespace murlo::gui {

namespace {
constexpr const char* kListFilter = "Murlo ﾌｧｲﾙ(*.mrl)|*.mrl||";
}  // namespace

CMurloDoc::CMurloDoc(CMainFrame& frame, wxMenu* fileMenu)
    : frame_(frame), history_(RecentFiles::kMax, wxID_FILE1), recent_(frame.app().recentFiles) {
  history_.UseMenu(fileMenu);
  refreshHistory();
}

std::string CMurloDoc::jobFilePath() const { return frame_.app().appFile(kJobFile); }

void CMurloDoc::refreshHistory() {
  while (history_.GetCount() > 0) history_.RemoveFileFromHistory(0);
  // wxFileHistory puts the newest first; add the oldest first.
  const auto& paths = recent_.paths();
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
  recent_.add(path);
  refreshHistory();
  // During a download the title shows its progress until the job ends.
  if (!frame_.view()->jobRunning()) frame_.SetFrameTitle(kDocumentTitle);
}

bool CMurloDoc::run(int id) {
  if (id >= wxID_FILE1 && id < wxID_FILE1 + static_cast<int>(RecentFiles::kMax)) {
    const std::size_t index = static_cast<std::size_t>(id - wxID_FILE1);
    if (index < recent_.paths().size()) {
      const std::string path = recent_.paths()[index];
      if (!openPath(path) && !std::filesystem::exists(path)) {
        recent_.remove(path);
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
    case ID_WIZARD: runWizard(); return true;
    case ID_TAG_IMG: toggleTag(tagbits::kImage); return true;
    case ID_TAG_HREF: toggleTag(tagbits::kAnchor); return true;
    case ID_TAG_BODY: toggleTag(tagbits::kBody); return true;
    case ID_TAG_FRAME: toggleTag(tagbits::kFrame); return true;
    case ID_TAG_HTML5: toggleTag(tagbits::kHtml5); return true;
    default: return false;
  }
}

bool CMurloDoc::updateUi(wxUpdateUIEvent& event) {
  const int tag = frame_.app().settings.tag;
  switch (event.GetId()) {
    case ID_FILE_SAVE_AS:
    case ID_JOB_FILE_SAVE: event.Enable(frame_.doc()->items().count() > 0); return true;
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
    result = ReadList(frame_.doc()->items(), path);
  }
  const std::string text = listReadMessage(result, path);
  if (!text.empty()) {
    frame_.app().prompter->message(text, PromptIcon::kStop, PromptButtons::kOk);
  } else if (result.status == ListReadStatus::kCannotOpen) {
    frame_.app().prompter->message(path + " を開けません。", PromptIcon::kStop, PromptButtons::kOk);
  }
  if (result.ok()) setPath(path);
  return result.ok();
}

void CMurloDoc::open() {
  FileDialogRequest request;
  request.title = "MRLﾌｧｲﾙを開く";
  request.filter = kListFilter;
  request.mustExist = true;
  if (auto path = frame_.app().prompter->chooseSaveFile(request)) openPath(*path);
}

bool CMurloDoc::writeList(const std::string& path) {
  // The lock keeps a murlo-cli command that rewrites the same file from losing either
  // side's rows.
  FileLock lock;
  bool written = false;
  {
    wxBusyCursor wait;
    written = lock.acquire(path) && WriteList(frame_.doc()->items(), path);
  }
  if (written) return true;
  // The list stays in memory; the user learns that the file was not written, and why.
  const std::optional<uid_t> owner = lock.blockingOwner();
  const std::string message =
      owner ? foreignLockText(FileLock::lockPathFor(path), *owner)
      : !lock.held() && lock.error() == 0
          ? path + " は他のﾌﾟﾛｸﾞﾗﾑが使用中のため、ﾘｽﾄを保存できませんでした。"
          : path + " にﾘｽﾄを保存できませんでした。";
  frame_.app().prompter->message(message, PromptIcon::kStop, PromptButtons::kOk);
  return false;
}

void CMurloDoc::saveAs() {
  FileDialogRequest request;
  request.title = "ﾘｽﾄを保存する";
  request.filter = kListFilter;
  request.confirmOverwrite = true;
  auto chosen = frame_.app().prompter->chooseSaveFile(request);
  if (!chosen) return;
  std::string path = *chosen;
  if (std::filesystem::path(path).extension().empty()) path += ".mrl";
  if (writeList(path)) setPath(path);
}

void CMurloDoc::saveJobFile() {
  if (frame_.doc()->items().count() == 0) return;
  writeList(jobFilePath());
}

void CMurloDoc::resumeJobFile() {
  if (!std::filesystem::exists(jobFilePath())) {
    frame_.app().prompter->message("Murlo.Mrl が見付かりません", PromptIcon::kInformation,
                                   PromptButtons::kOk);
    return;
  }
  ItemList& items = frame_.doc()->items();
  items.deleteAll();
  ListReadResult result;
  {
    wxBusyCursor wait;
    result = ReadList(items, jobFilePath());
  }
  const std::string text = listReadMessage(result, jobFilePath());
  if (!text.empty()) frame_.app().prompter->message(text, PromptIcon::kStop, PromptButtons::kOk);
}

void CMurloDoc::toggleTag(int bit) { frame_.app().settings.tag ^= bit; }

void CMurloDoc::runWizard() {
  CWizard wizard(&frame_, frame_.app());
  if (wizard.run()) finishWizard(wizard.state().mode, wizard.state().address);
}

void CMurloDoc::finishWizard(wizard::WizardMode mode, const std::string& address) {
  ItemList& items = frame_.doc()->items();
  items.deleteAll();
  // A crawl's start row is added by the job session.
  if (mode != wizard::WizardMode::kRecursive) {
    SplitAddress split = splitUrl(address);
    items.AddItem(std::move(split.fileName), std::move(split.url), kWizardTag,
                  std::move(split.extension), "", "");
  }
  JobCommands& jobs = *frame_.jobs();
  switch (mode) {
    case wizard::WizardMode::kImages:
    case wizard::WizardMode::kAnalysis:
    case wizard::WizardMode::kRecursive: jobs.StartAnalysis(mode, address); break;
    case wizard::WizardMode::kDownload: jobs.run(ID_RUN); break;
    case wizard::WizardMode::kNone: break;
  }
}

}  // namespace murlo::gui
