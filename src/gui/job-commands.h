// JobCommands: the view's job commands over the job session. Starts its jobs, also the one
// the wizard sets up, polls it from the timers 1234 (analysis) and 4321 (download) and from
// the workers' wake-ups, keeps the document's job state and shows its progress window. UI
// thread only (wake() excepted).
#pragma once

#include <wx/event.h>
#include <wx/timer.h>

#include "app-context.h"
#include "jobs/job-host.h"
#include "jobs/job-session.h"

namespace murlo::gui {

namespace wizard {
enum class WizardMode;
}  // namespace wizard

class CMurloDoc;
class CMurloView;
class CProgressDlg;
class OutputWindow;

// The windows the job commands report to. The parent also carries their dialogs.
struct JobWindows {
  wxWindow& parent;
  CMurloView& view;
  OutputWindow& output;
};

class JobCommands : public wxEvtHandler, public JobHost {
 public:
  JobCommands(AppContext& app, CMurloDoc& doc, JobWindows windows);
  ~JobCommands() override;

  // Runs a job command; false when `id` is not one of them.
  bool run(int id);
  // Sets the enabled and checked state of a job command; false when `id` is not one.
  bool updateUi(wxUpdateUIEvent& event);

  // Starts an analysis of one address (the add-item bar with movement::kAnalyzeOnAdd).
  bool analyzeOne(const std::string& address);
  // What the wizard's finish sets up: the list replaced by the address (tag "WIZARD"), then
  // kImages and kAnalysis analyse it, kRecursive analyses recursively under its folder,
  // kDownload downloads it.
  void finishWizard(wizard::WizardMode mode, const std::string& address);

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
  void jobEnded(const JobOutcome& outcome) override;
  void wake() override;

 private:
  bool startAnalysis(const AnalysisRequest& request);
  bool startDownload(DownloadMode mode);
  // After a start: the view and the progress window show the running job.
  void started();
  void recursiveAnalysis();
  // Runs the wizard and, when it ends with Finish, what it set up.
  void runWizard();
  void stopOrSuspend(bool suspend);
  // Polls the session and brings the timers, the view and the progress window up to date.
  void onTimer();
  void showProgress();
  // Starts the timer of a job unless it runs; false (with the message) when it failed.
  bool confirmTimer(wxTimer& timer);

  AppContext& app_;
  CMurloDoc& doc_;
  JobWindows windows_;
  wxTimer analysisTimer_;
  wxTimer downloadTimer_;
  CProgressDlg* progress_;
  // Last: its jobs, stopped when it goes, still report to this host.
  JobSession session_;
};

}  // namespace murlo::gui
