#include "job-commands.h"

#include "command-ids.h"
#include "jobs/analysis-job.h"
#include "jobs/completion-sound.h"
#include "jobs/download-job.h"
#include "jobs/progress-figures.h"
#include "jobs/write-output.h"
#include "logic/job-command-rules.h"
#include "logic/wizard-rules.h"
#include "main-frame.h"
#include "murlo-view.h"
#include "output-window.h"
#include "progress-dlg.h"
#include "analysis/address.h"
#include "platform/dial-up-line.h"
#include "recursive-dlg.h"
#include "items/item-tags.h"

namespace murlo::gui {

namespace {
constexpr int kTickMs = 500;
}  // namespace

JobCommands::JobCommands(CMainFrame& frame)
    : frame_(frame),
      analysisTimer_(this, ID_TIMER_ANALYSIS),
      downloadTimer_(this, ID_TIMER_DOWNLOAD),
      progress_(new CProgressDlg(&frame)),
      countdown_(*frame.app().shutdown) {
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { onAnalysisTimer(); }, ID_TIMER_ANALYSIS);
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { onDownloadTimer(); }, ID_TIMER_DOWNLOAD);
  progress_->setCommandListener([this](int id) { run(id); });
  progress_->setHangUpListener([this](bool on) {
    int& dialBits = frame_.app().settings.dial;
    dialBits = on ? (dialBits | dial::kHangUp) : (dialBits & ~dial::kHangUp);
  });
}

JobCommands::~JobCommands() {
  analysisTimer_.Stop();
  downloadTimer_.Stop();
  if (analysis_) analysis_->stop();
  if (download_) download_->abort();
  analysis_.reset();
  download_.reset();
}

// ---- JobHost ----

ItemList& JobCommands::items() { return frame_.view()->items(); }
const AppSettings& JobCommands::settings() { return frame_.app().settings; }
std::string JobCommands::appDirectory() { return frame_.app().appDirectory; }
void JobCommands::setSaveFolder(const std::string& folder) { frame_.app().settings.path01 = folder; }
Prompter* JobCommands::prompter() { return frame_.app().prompter; }

void JobCommands::ShowJobStatus(int kind, int control, std::int64_t first, std::int64_t second) {
  switch (kind) {
    case kStatusDownloading: progress_->setCaption("ﾀﾞｳﾝﾛｰﾄﾞ中..."); break;
    case kStatusAnalysing: progress_->setCaption("解析中..."); return;
    case kStatusFinishing: progress_->setCaption("終了作業中..."); break;
    default: break;
  }
  if (control == 0) {
    progress_->resetFigures();
  } else if (progress_->IsShown()) {
    progress_->setFigure(control, formatFigure(first, second, kind));
  }
}

void JobCommands::SetFrameTitle(const std::string& title) { frame_.SetFrameTitle(title); }

void JobCommands::writeOutput(int code, const std::string& text) {
  murlo::writeOutput(*frame_.output(), code, text, frame_.app().settings.output,
                     frame_.app().offline());
}

void JobCommands::playSound(int kind) {
  murlo::playSound(frame_.app().settings, kind, *frame_.app().sound);
}

bool JobCommands::startDownloadAll() { return startDownload(DownloadMode::kAll); }

void JobCommands::wake() {
  // Any thread: run the poll on the UI thread right away instead of at the next tick.
  CallAfter([this] {
    if (analysis_) onAnalysisTimer();
    if (download_) onDownloadTimer();
  });
}

// ---- starting ----

bool JobCommands::confirmTimer(wxTimer& timer) {
  if (timer.Start(kTickMs)) return true;
  frame_.app().prompter->message("ﾀｲﾏｰの起動に失敗しました。他のｱﾌﾟﾘｹｰｼｮﾝを終了させて下さい。",
                                 PromptIcon::kStop, PromptButtons::kOk);
  return false;
}

void JobCommands::setRunning(bool running) {
  running_ = running;
  frame_.view()->setJobRunning(running);
}

void JobCommands::showProgress() {
  progress_->setHangUp((frame_.app().settings.dial & dial::kHangUp) != 0);
  // The main window keeps the keyboard: its menus and accelerators go on working, and a
  // Return meant for it cannot tick the hang-up box.
  progress_->ShowWithoutActivating();
}

void JobCommands::hideProgress() { progress_->Hide(); }

bool JobCommands::startAnalysis(AnalysisMode mode, const std::string& address,
                                const std::string& mustContain, bool deleteHtml,
                                bool autoDownload) {
  if (!confirmTimer(analysisTimer_)) return false;
  frame_.view()->pullSelection();
  analysis_ = std::make_unique<AnalysisJob>(*this, mode, address, mustContain, deleteHtml,
                                            autoDownload);
  setRunning(true);
  showProgress();
  analysis_->start();
  return true;
}

bool JobCommands::startDownload(DownloadMode mode) {
  if (items().count() == 0) return false;
  if (!confirmTimer(downloadTimer_)) return false;
  frame_.view()->pullSelection();
  download_ = std::make_unique<DownloadJob>(*this, mode);
  setRunning(true);
  showProgress();
  download_->start();
  return true;
}

bool JobCommands::analyzeOne(const std::string& address) {
  return startAnalysis(AnalysisMode::kOne, address, "", false, false);
}

void JobCommands::StartAnalysis(wizard::WizardMode wizardMode, const std::string& address) {
  if (items().count() == 0 || running_) return;
  if (wizardMode == wizard::WizardMode::kRecursive) {
    startAnalysis(AnalysisMode::kRecursive, "", address, false, true);
  } else {
    startAnalysis(AnalysisMode::kOne, address, "", wizardMode == wizard::WizardMode::kImages, true);
  }
}

void JobCommands::recursiveAnalysis() {
  CRecursiveDlg dlg(&frame_, *frame_.app().prompter);
  if (dlg.ShowModal() != wxID_OK) return;
  SplitAddress seed = splitUrl(dlg.address());
  items().AddItem(std::move(seed.fileName), std::move(seed.url), kInductTag,
                  std::move(seed.extension), "", "");
  startAnalysis(AnalysisMode::kRecursive, "", dlg.mustContain(), dlg.deleteHtml(), dlg.autoDownload());
}

// ---- timers ----

void JobCommands::onAnalysisTimer() {
  if (!running_) {
    analysisTimer_.Stop();
    return;
  }
  if (!analysis_ || analysis_->timerTick()) return;
  analysisTimer_.Stop();
  const bool chained = analysis_->autoDownload() && download_;
  if (!chained) {
    setRunning(false);
    hideProgress();
  }
  analysis_.reset();
  frame_.view()->refreshRows();
  playSound(sound::kAnalysis);
}

void JobCommands::onDownloadTimer() {
  if (!running_) {
    downloadTimer_.Stop();
    return;
  }
  if (download_) {
    if (download_->timerTick()) {
      countdown_.cancel();
      const std::int64_t total = download_->currentTotalBytes();
      progress_->setFileProgress(download_->currentDoneBytes(), total, total > 0);
      frame_.view()->refreshRows();
      return;
    }
    download_.reset();
    frame_.view()->refreshRows();
    hideProgress();
    playSound(sound::kDownload);
    AppContext& app = frame_.app();
    if (app.settings.dial & dial::kHangUp) hangUpLine(*app.commands);
    if (app.settings.dial & dial::kShutdown) {
      countdown_.begin();
      // Modal: the timer keeps ticking below while the message is open.
      app.prompter->message("ｼｽﾃﾑを終了します。終了しない場合は、[OK] ﾎﾞﾀﾝをｸﾘｯｸして下さい。",
                            PromptIcon::kExclamation, PromptButtons::kOk);
    }
    downloadTimer_.Stop();
    setRunning(false);
    countdown_.cancel();
    return;
  }
  if (countdown_.count() > 0 && countdown_.tick()) {
    downloadTimer_.Stop();
    setRunning(false);
  }
}

// ---- stop and suspend ----

void JobCommands::stopOrSuspend(bool suspend) {
  Prompter& ask = *frame_.app().prompter;
  const char* question = suspend ? "処理を中断します。よろしいですか？" : "処理を中止します。よろしいですか？";
  if (ask.message(question, PromptIcon::kQuestion, PromptButtons::kYesNo) != PromptAnswer::kYes) {
    return;
  }
  if (!running_) {
    ask.message("作業は、既に終了しています。", PromptIcon::kInformation, PromptButtons::kOk);
    return;
  }
  if (download_) {
    downloadTimer_.Stop();
    if (suspend) download_->suspend();
    else download_->abort();
    download_.reset();
  } else if (analysis_) {
    analysisTimer_.Stop();
    analysis_->stop();
    analysis_.reset();
  } else {
    ask.message("現在、解析中です。暫くお待ち下さい。", PromptIcon::kInformation, PromptButtons::kOk);
    return;
  }
  countdown_.cancel();
  setRunning(false);
  hideProgress();
  frame_.view()->refreshRows();
}

// ---- commands ----

bool JobCommands::run(int id) {
  switch (id) {
    case ID_ANALYZE:
      frame_.view()->pullSelection();
      if (items().selectedCount() == 0) return true;
      startAnalysis(AnalysisMode::kSelected, "", "", frame_.app().settings.exSet & exset::kDeleteHtml,
                    frame_.app().settings.exSet & exset::kAnalyzeThenDownload);
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
      if (progress_->IsShown()) hideProgress();
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
