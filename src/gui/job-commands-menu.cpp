// The command side of JobCommands: what each job command of the menus, the tool bar and
// the wizard starts, and when each is enabled.
#include "analysis/address.h"
#include "command-ids.h"
#include "items/item-tags.h"
#include "job-commands.h"
#include "jobs/analysis-job.h"
#include "jobs/download-job.h"
#include "logic/job-command-rules.h"
#include "logic/wizard-rules.h"
#include "murlo-doc.h"
#include "progress-dlg.h"
#include "recursive-dlg.h"
#include "wizard/wizard.h"

namespace murlo::gui {

bool JobCommands::analyzeOne(const std::string& address) {
  return startAnalysis({.mode = AnalysisMode::kOne, .address = address});
}

void JobCommands::runWizard() {
  CWizard wizard(&windows_.parent, app_);
  if (wizard.run()) finishWizard(wizard.state().mode, wizard.state().address);
}

void JobCommands::finishWizard(wizard::WizardMode mode, const std::string& address) {
  ItemList& items = doc_.items();
  items.deleteAll();
  // A crawl's start row is appended by the job session when the crawl starts.
  if (mode != wizard::WizardMode::kRecursive || doc_.jobRunning()) {
    SplitAddress split = splitUrl(address);
    items.AddItem(std::move(split.fileName), std::move(split.url), kWizardTag,
                  std::move(split.extension), "", "");
  }
  if (doc_.jobRunning()) return;
  switch (mode) {
    case wizard::WizardMode::kImages:
    case wizard::WizardMode::kAnalysis:
      startAnalysis({.mode = AnalysisMode::kOne,
                     .address = address,
                     .deleteHtml = mode == wizard::WizardMode::kImages,
                     .autoDownload = true});
      break;
    case wizard::WizardMode::kRecursive: {
      // Everything under the page's folder.
      const std::size_t slash = address.rfind('/');
      startAnalysis(
          {.mode = AnalysisMode::kRecursive,
           .address = address,
           .mustContain = slash == std::string::npos ? address : address.substr(0, slash + 1),
           .autoDownload = true,
           .seedTag = kWizardTag});
      break;
    }
    case wizard::WizardMode::kDownload: startDownload(DownloadMode::kAll); break;
    case wizard::WizardMode::kNone: break;
  }
}

void JobCommands::recursiveAnalysis() {
  CRecursiveDlg dlg(&windows_.parent, *app_.prompter);
  if (dlg.ShowModal() != wxID_OK) return;
  startAnalysis({.mode = AnalysisMode::kRecursive,
                 .address = dlg.address(),
                 .mustContain = dlg.mustContain(),
                 .deleteHtml = dlg.deleteHtml(),
                 .autoDownload = dlg.autoDownload()});
}

bool JobCommands::run(int id) {
  switch (id) {
    case ID_ANALYZE:
      if (items().selectedCount() == 0) return true;
      startAnalysis({.mode = AnalysisMode::kSelected,
                     .deleteHtml = (app_.settings.exSet & exset::kDeleteHtml) != 0,
                     .autoDownload = (app_.settings.exSet & exset::kAnalyzeThenDownload) != 0});
      return true;
    case ID_DOWNLOAD:
      if (items().selectedCount() > 0) startDownload(DownloadMode::kSelected);
      return true;
    case ID_RUN: startDownload(DownloadMode::kAll); return true;
    case ID_SUSPEND: stopOrSuspend(true); return true;
    case ID_STOP: stopOrSuspend(false); return true;
    case ID_RECURSIVE: recursiveAnalysis(); return true;
    case ID_WIZARD: runWizard(); return true;
    case ID_PROGRESS_WINDOW:
      if (progress_->IsShown()) progress_->Hide();
      else showProgress();
      return true;
    default: return false;
  }
}

bool JobCommands::updateUi(wxUpdateUIEvent& event) {
  const ItemList& list = items();
  const bool any = list.count() > 0;
  switch (event.GetId()) {
    case ID_ANALYZE:
      event.Enable(any && !doc_.jobRunning() && canAnalyzeSelection(list));
      return true;
    case ID_DOWNLOAD:
      event.Enable(any && !doc_.jobRunning() && list.selectedCount() > 0);
      return true;
    case ID_RUN: event.Enable(any && !doc_.jobRunning()); return true;
    case ID_SUSPEND:
    case ID_STOP: event.Enable(doc_.jobRunning()); return true;
    case ID_RECURSIVE:
    case ID_RESUME_ENTRY:
    case ID_WIZARD:
    case ID_JOB_FILE_RESUME:
    case ID_TREE_VIEW: event.Enable(!doc_.jobRunning()); return true;
    case ID_PROGRESS_WINDOW:
      event.Enable(doc_.jobRunning());
      event.Check(progress_->IsShown());
      return true;
    default: return false;
  }
}

}  // namespace murlo::gui
