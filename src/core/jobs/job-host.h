// JobHost: what a job controller needs from the front end that runs it (the GUI's view,
// the CLI's loop, a test's recording host).
//
// Every method except wake() is called on the host's own thread, from the calls of the jobs
// and of their JobSession. A worker thread calls wake() when its item has ended; the host
// then polls the job soon on its own thread, so the items of a job run back to back
// instead of one per timer tick.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "jobs/completion-sound.h"
#include "jobs/write-output.h"

namespace murlo {

struct AppSettings;
class CookieJar;
struct JobOutcome;
class ItemList;
class Prompter;

// How long a stop waits for a worker thread before giving it up, unless the host says
// otherwise.
inline constexpr std::chrono::milliseconds kStopPatience{2000};

class JobHost {
 public:
  virtual ~JobHost() = default;

  // The item list the job works on. Rows are followed by their identity, so rows the user
  // deletes or moves while a job runs never get another row's updates.
  virtual ItemList& items() = 0;
  // The live settings. A job copies what it needs when it starts; only the extension filter
  // of analysis reads them afresh for every link.
  virtual const AppSettings& settings() = 0;
  // The folder of Murlo.tmp, Murlo.log and the default save folder.
  virtual std::string appDirectory() = 0;
  // Makes `folder` (in the program's encoding) the save folder of the live settings, which
  // keep it when they are saved: a download's answer to a save folder never chosen.
  virtual void setSaveFolder(const std::string& folder) = 0;
  // Messages and questions of the job and its worker threads; never null. It must outlive
  // every worker thread of the job, also one that was given up after the stop wait.
  virtual Prompter* prompter() = 0;

  virtual void SetFrameTitle(const std::string& title) = 0;
  // One output-window line for a job's start, a note, or an item's result with its address;
  // the host passes it through murlo::writeOutput.
  virtual void writeOutput(OutputEvent event, const std::string& text) = 0;
  // One of the end-of-job and error sounds; the host passes it through murlo::playSound.
  virtual void playSound(CompletionSound sound) = 0;
  // The session's work is over: the front end takes its progress display down, before the
  // end-of-job sound and actions.
  virtual void endProgress() {}
  // A job ran to its end and the session's work is over (an analysis that goes on with a
  // download reports only the download): after the end-of-job sound, before the end-of-job
  // actions. Not called for a stopped or suspended job.
  virtual void jobEnded(const JobOutcome& /*outcome*/) {}

  // The cookies every job of this host shares (a front end that writes them out at the end);
  // none: each job starts with the cookies of the settings' cookie file.
  virtual std::shared_ptr<CookieJar> sharedCookies() { return nullptr; }

  // Called from a worker thread (or any thread): run the job's timerTick() soon.
  virtual void wake() = 0;

  // How long a stop waits for a job's worker thread before giving it up.
  virtual std::chrono::milliseconds stopPatience() const { return kStopPatience; }
};

// The window title outside a download: the document title of the program.
inline constexpr const char* kIdleFrameTitle = "Murlo ver2.02";

}  // namespace murlo
