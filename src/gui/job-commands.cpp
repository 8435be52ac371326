#include "job-commands.h"

#include "command-ids.h"
#include "job-notice.h"
#include "jobs/completion-sound.h"
#include "jobs/write-output.h"
#include "murlo-doc.h"
#include "murlo-view.h"
#include "output-window.h"
#include "progress-dlg.h"

namespace murlo::gui {

JobCommands::JobCommands(AppContext& app, CMurloDoc& doc, JobWindows windows)
    : app_(app),
      doc_(doc),
      windows_(windows),
      analysisTimer_(this, ID_TIMER_ANALYSIS),
      downloadTimer_(this, ID_TIMER_DOWNLOAD),
      progress_(new CProgressDlg(&windows.parent)),
      session_(*this, {.line = app.commands, .shutdown = app.shutdown}) {
  Bind(
      wxEVT_TIMER, [this](wxTimerEvent&) { onTimer(); }, ID_TIMER_ANALYSIS);
  Bind(
      wxEVT_TIMER, [this](wxTimerEvent&) { onTimer(); }, ID_TIMER_DOWNLOAD);
  progress_->setCommandListener([this](int id) { run(id); });
  progress_->setHangUpListener([this](bool on) {
    int& dialBits = app_.settings.dial;
    dialBits = on ? (dialBits | dial::kHangUp) : (dialBits & ~dial::kHangUp);
  });
}

JobCommands::~JobCommands() {
  analysisTimer_.Stop();
  downloadTimer_.Stop();
}

// ---- JobHost ----

ItemList& JobCommands::items() { return doc_.items(); }
const AppSettings& JobCommands::settings() { return app_.settings; }
std::string JobCommands::appDirectory() { return app_.appDirectory; }
void JobCommands::setSaveFolder(const std::string& folder) { app_.settings.path01 = folder; }
Prompter* JobCommands::prompter() { return app_.prompter; }
void JobCommands::SetFrameTitle(const std::string& title) { doc_.setTitle(title); }

void JobCommands::writeOutput(OutputEvent event, const std::string& text) {
  murlo::writeOutput(windows_.output, event, text, app_.settings.output, app_.offline());
}

void JobCommands::playSound(CompletionSound kind) {
  murlo::playSound(app_.settings, kind, *app_.sound);
}

void JobCommands::endProgress() {
  windows_.view.refreshRows();
  progress_->Hide();
}

void JobCommands::jobEnded(const JobOutcome& outcome) {
  noticeJobEnd(windows_.parent, app_, outcome);
}

void JobCommands::wake() {
  // Any thread: run the poll on the UI thread right away instead of at the next tick.
  CallAfter([this] { onTimer(); });
}

// ---- starting ----

bool JobCommands::confirmTimer(wxTimer& timer) {
  if (timer.IsRunning() || timer.Start(static_cast<int>(app_.jobTick.count()))) return true;
  app_.prompter->message("ﾀｲﾏｰの起動に失敗しました。他のｱﾌﾟﾘｹｰｼｮﾝを終了させて下さい。",
                         PromptIcon::kStop, PromptButtons::kOk);
  return false;
}

void JobCommands::showProgress() {
  progress_->setHangUp((app_.settings.dial & dial::kHangUp) != 0);
  // The main window keeps the keyboard: its menus and accelerators go on working, and a
  // Return meant for it cannot tick the hang-up box.
  progress_->ShowWithoutActivating();
}

void JobCommands::started() {
  doc_.setJobRunning(true);
  progress_->resetFigures();
  showProgress();
}

bool JobCommands::startAnalysis(const AnalysisRequest& request) {
  if (!confirmTimer(analysisTimer_)) return false;
  if (!session_.startAnalysis(request)) return false;
  started();
  return true;
}

bool JobCommands::startDownload(DownloadMode mode) {
  if (items().count() == 0 || !confirmTimer(downloadTimer_)) return false;
  if (!session_.startDownload(mode)) return false;
  started();
  return true;
}

// ---- polling ----

void JobCommands::onTimer() {
  if (!doc_.jobRunning()) {
    analysisTimer_.Stop();
    downloadTimer_.Stop();
    return;
  }
  session_.tick();
  progress_->showFigures(session_.progress());
  if (!session_.running()) {
    analysisTimer_.Stop();
    downloadTimer_.Stop();
    doc_.setJobRunning(false);
    return;
  }
  if (session_.analysing()) return;
  // A download, or the countdown after it, ticks on the download timer.
  analysisTimer_.Stop();
  if (!confirmTimer(downloadTimer_)) {
    session_.stop(true);
    endProgress();
    doc_.setJobRunning(false);
    return;
  }
  windows_.view.refreshRows();
}

// ---- stop and suspend ----

void JobCommands::stopOrSuspend(bool suspend) {
  Prompter& ask = *app_.prompter;
  const char* question =
      suspend ? "処理を中断します。よろしいですか？" : "処理を中止します。よろしいですか？";
  if (ask.message(question, PromptIcon::kQuestion, PromptButtons::kYesNo) != PromptAnswer::kYes) {
    return;
  }
  if (!doc_.jobRunning()) {
    ask.message("作業は、既に終了しています。", PromptIcon::kInformation, PromptButtons::kOk);
    return;
  }
  if (session_.stop(suspend) == JobSession::StopResult::kEnding) {
    ask.message("現在、解析中です。暫くお待ち下さい。", PromptIcon::kInformation,
                PromptButtons::kOk);
    return;
  }
  analysisTimer_.Stop();
  downloadTimer_.Stop();
  doc_.setJobRunning(false);
  endProgress();
}

}  // namespace murlo::gui
