// JobCommands: the view's job commands over the job session. Starts its jobs, polls it from
// the timers 1234 (analysis) and 4321 (download) and from the workers' wake-ups, and shows
// its progress window. UI thread only (wake() excepted).
#pragma once

#include <wx/event.h>
#include <wx/timer.h>

#include "jobs/job-host.h"
#include "jobs/job-session.h"

namespace murlo::gui {

namespace wizard {
enum class WizardMode;
}  // namespace wizard

class CMainFrame;
class CProgressDlg;

class JobCommands : public wxEvtHandler, public JobHost {
 public:
  explicit JobCommands(CMainFrame& frame);
  ~JobCommands() override;

  // Runs a job command; false when `id` is not one of them.
  bool run(int id);
  // Sets the enabled and checked state of a job command; false when `id` is not one.
  bool updateUi(wxUpdateUIEvent& event);

  // Starts an analysis of one address (the add-item bar with movement::kAnalyzeOnAdd).
  bool analyzeOne(const std::string& address);
  // Starts the wizard's job: a recursive analysis under the address for
  // WizardMode::kRecursive, else an analysis of the address.
  void StartAnalysis(wizard::WizardMode wizardMode, const std::string& address);

  bool jobRunning() const { return running_; }
  CProgressDlg* progressWindow() { return progress_; }
  int shutdownCountdown() const { return session_.shutdownCountdown(); }

  // JobHost
  ItemList& items() override;
  const AppSettings& settings() override;
  std::string appDirectory() override;
  void setSaveFolder(const std::string& folder) override;
  Prompter* prompter() override;
  void SetFrameTitle(const std::string& title) override;
  void writeOutput(OutputEvent event, const std::string& text) override;
  void playSound(CompletionSound kind) override;
  void endProgress() override;
  void wake() override;

 private:
  bool startAnalysis(const AnalysisRequest& request);
  bool startDownload(DownloadMode mode);
  // Readies the timer of a job about to start; false (with the message) when it failed.
  bool prepareStart(wxTimer& timer);
  // After a start: the view and the progress window show the running job.
  void started();
  void recursiveAnalysis();
  void stopOrSuspend(bool suspend);
  // Polls the session and brings the timers, the view and the progress window up to date.
  void onTimer();
  void setRunning(bool running);
  void showProgress();
  bool confirmTimer(wxTimer& timer);

  CMainFrame& frame_;
  wxTimer analysisTimer_;
  wxTimer downloadTimer_;
  CProgressDlg* progress_;
  bool running_ = false;
  // Last: its jobs, stopped when it goes, still report to this host.
  JobSession session_;
};

}  // namespace murlo::gui
