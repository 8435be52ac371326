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
#include "main-frame.h"
#include "murlo-view.h"
#include "progress-dlg.h"
#include "recursive-dlg.h"

namespace murlo::gui {

bool JobCommands::analyzeOne(const std::string& address) {
  return startAnalysis({.mode = AnalysisMode::kOne, .address = address});
}

void JobCommands::StartAnalysis(wizard::WizardMode wizardMode, const std::string& address) {
  if (running_) return;
  if (wizardMode == wizard::WizardMode::kRecursive) {
    const std::size_t slash = address.rfind('/');
    startAnalysis(
        {.mode = AnalysisMode::kRecursive,
         .address = address,
         .mustContain = slash == std::string::npos ? address : address.substr(0, slash + 1),
         .autoDownload = true,
         .seedTag = kWizardTag});
  } else if (items().count() > 0) {
    startAnalysis({.mode = AnalysisMode::kOne,
                   .address = address,
                   .deleteHtml = wizardMode == wizard::WizardMode::kImages,
                   .autoDownload = true});
  }
}

void JobCommands::recursiveAnalysis() {
  CRecursiveDlg dlg(&frame_, *frame_.app().prompter);
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
      frame_.view()->pullSelection();
      if (items().selectedCount() == 0) return true;
      startAnalysis(
          {.mode = AnalysisMode::kSelected,
           .deleteHtml = (frame_.app().settings.exSet & exset::kDeleteHtml) != 0,
           .autoDownload = (frame_.app().settings.exSet & exset::kAnalyzeThenDownload) != 0});
      return true;
    case ID_DOWNLOAD:
      frame_.view()->pullSelection();
      if (items().selectedCount() > 0) startDownload(DownloadMode::kSelected);
      return true;
    case ID_RUN: startDownload(DownloadMode::kAll); return true;
    case ID_SUSPEND: stopOrSuspend(true); return true;
    case ID_STOP: stopOrSuspend(false); return true;
    case ID_RECURSIVE: recursiveAnalysis(); return true;
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
      frame_.view()->pullSelection();
      event.Enable(any && !running_ && canAnalyzeSelection(list));
      return true;
    case ID_DOWNLOAD:
      frame_.view()->pullSelection();
      event.Enable(any && !running_ && list.selectedCount() > 0);
      return true;
    case ID_RUN: event.Enable(any && !running_); return true;
    case ID_SUSPEND:
    case ID_STOP: event.Enable(running_); return true;
    case ID_RECURSIVE:
    case ID_RESUME_ENTRY:
    case ID_WIZARD:
    case ID_JOB_FILE_RESUME:
    case ID_TREE_VIEW: event.Enable(!running_); return true;
    case ID_PROGRESS_WINDOW:
      event.Enable(running_);
      event.Check(progress_->IsShown());
      return true;
    default: return false;
  }
}

}  // namespace murlo::gui
