// JobCommands: the view's job commands. Creates the analysis and download jobs, drives
// them from the timers 1234 and 4321 and from the workers' wake-ups, shows the progress
// window and runs the completion actions. UI thread only (wake() excepted).
#pragma once

#include <wx/event.h>
#include <wx/timer.h>

#include <memory>

#include "jobs/job-host.h"
#include "jobs/shutdown-countdown.h"

namespace murlo {
class AnalysisJob;
class DownloadJob;
enum class AnalysisMode;
enum class DownloadMode;
}  // namespace murlo

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

  // Starts an analysis of one address (the add-item bar with Movement bit 3).
  bool analyzeOne(const std::string& address);
  // Starts the wizard's job: mode 3 recursive under the address, others one address.
  void StartAnalysis(wizard::WizardMode wizardMode, const std::string& address);

  bool jobRunning() const { return running_; }
  CProgressDlg* progressWindow() { return progress_; }
  // The ticks of the timers, callable by tests.
  void onAnalysisTimer();
  void onDownloadTimer();
  int shutdownCountdown() const { return countdown_.count(); }

  // JobHost
  ItemList& items() override;
  const AppSettings& settings() override;
  std::string appDirectory() override;
  void setSaveFolder(const std::string& folder) override;
  Prompter* prompter() override;
  void ShowJobStatus(int kind, int control, std::int64_t first, std::int64_t second) override;
  void SetFrameTitle(const std::string& title) override;
  void writeOutput(int code, const std::string& text) override;
  void playSound(int kind) override;
  bool startDownloadAll() override;
  void wake() override;

 private:
  bool startAnalysis(AnalysisMode mode, const std::string& address, const std::string& mustContain,
                     bool deleteHtml, bool autoDownload);
  bool startDownload(DownloadMode mode);
  void recursiveAnalysis();
  void stopOrSuspend(bool suspend);
  void setRunning(bool running);
  void showProgress();
  void hideProgress();
  bool confirmTimer(wxTimer& timer);

  CMainFrame& frame_;
  wxTimer analysisTimer_;
  wxTimer downloadTimer_;
  std::unique_ptr<AnalysisJob> analysis_;
  std::unique_ptr<DownloadJob> download_;
  CProgressDlg* progress_;
  bool running_ = false;
  ShutdownCountdown countdown_;
};

}  // namespace murlo::gui
