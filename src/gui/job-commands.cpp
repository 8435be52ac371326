#include "job-commands.h"

#include "command-ids.h"
#include "jobs/completion-sound.h"
#include "jobs/write-output.h"
#include "main-frame.h"
#include "murlo-doc.h"
#include "murlo-view.h"
#include "output-window.h"
#include "progress-dlg.h"

namespace murlo::gui {

namespace {
constexpr int kTickMs = 500;
}  // namespace

JobCommands::JobCommands(CMainFrame& frame)
    : frame_(frame),
      analysisTimer_(this, ID_TIMER_ANALYSIS),
      downloadTimer_(this, ID_TIMER_DOWNLOAD),
      progress_(new CProgressDlg(&frame)),
      session_(*this, {.line = frame.app().commands, .shutdown = frame.app().shutdown}) {
  Bind(
      wxEVT_TIMER, [this](wxTimerEvent&) { onTimer(); }, ID_TIMER_ANALYSIS);
  Bind(
      wxEVT_TIMER, [this](wxTimerEvent&) { onTimer(); }, ID_TIMER_DOWNLOAD);
  progress_->setCommandListener([this](int id) { run(id); });
  progress_->setHangUpListener([this](bool on) {
    int& dialBits = frame_.app().settings.dial;
    dialBits = on ? (dialBits | dial::kHangUp) : (dialBits & ~dial::kHangUp);
  });
}

JobCommands::~JobCommands() {
  analysisTimer_.Stop();
  downloadTimer_.Stop();
}

// ---- JobHost ----

ItemList& JobCommands::items() { return frame_.doc()->items(); }
const AppSettings& JobCommands::settings() { return frame_.app().settings; }
std::string JobCommands::appDirectory() { return frame_.app().appDirectory; }
void JobCommands::setSaveFolder(const std::string& folder) {
  frame_.app().settings.path01 = folder;
}
Prompter* JobCommands::prompter() { return frame_.app().prompter; }
void JobCommands::SetFrameTitle(const std::string& title) { frame_.SetFrameTitle(title); }

void JobCommands::writeOutput(OutputEvent event, const std::string& text) {
  murlo::writeOutput(*frame_.output(), event, text, frame_.app().settings.output,
                     frame_.app().offline());
}

void JobCommands::playSound(CompletionSound kind) {
  murlo::playSound(frame_.app().settings, kind, *frame_.app().sound);
}

void JobCommands::endProgress() {
  frame_.view()->refreshRows();
  progress_->Hide();
}

void JobCommands::wake() {
  // Any thread: run the poll on the UI thread right away instead of at the next tick.
  CallAfter([this] { onTimer(); });
}

// ---- starting ----

bool JobCommands::confirmTimer(wxTimer& timer) {
  if (timer.IsRunning() || timer.Start(kTickMs)) return true;
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

bool JobCommands::prepareStart(wxTimer& timer) {
  if (!confirmTimer(timer)) return false;
  frame_.view()->pullSelection();
  return true;
}

void JobCommands::started() {
  setRunning(true);
  progress_->resetFigures();
  showProgress();
}

bool JobCommands::startAnalysis(const AnalysisRequest& request) {
  if (!prepareStart(analysisTimer_)) return false;
  if (!session_.startAnalysis(request)) return false;
  started();
  return true;
}

bool JobCommands::startDownload(DownloadMode mode) {
  if (items().count() == 0 || !prepareStart(downloadTimer_)) return false;
  if (!session_.startDownload(mode)) return false;
  started();
  return true;
}

// ---- polling ----

void JobCommands::onTimer() {
  if (!running_) {
    analysisTimer_.Stop();
    downloadTimer_.Stop();
    return;
  }
  session_.tick();
  progress_->showFigures(session_.progress());
  if (!session_.running()) {
    analysisTimer_.Stop();
    downloadTimer_.Stop();
    setRunning(false);
    return;
  }
  if (session_.analysing()) return;
  // A download, or the countdown after it, ticks on the download timer.
  analysisTimer_.Stop();
  if (!confirmTimer(downloadTimer_)) {
    session_.stop(true);
    endProgress();
    setRunning(false);
    return;
  }
  frame_.view()->refreshRows();
}

// ---- stop and suspend ----

void JobCommands::stopOrSuspend(bool suspend) {
  Prompter& ask = *frame_.app().prompter;
  const char* question =
      suspend ? "処理を中断します。よろしいですか？" : "処理を中止します。よろしいですか？";
  if (ask.message(question, PromptIcon::kQuestion, PromptButtons::kYesNo) != PromptAnswer::kYes) {
    return;
  }
  if (!running_) {
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
  setRunning(false);
  endProgress();
}

}  // namespace murlo::gui
