#include "net/worker-threads.h"

#include <sys/stat.h>

#include <cstdlib>

#include "net/certificate-problem.h"
#include "net/ftp-worker.h"
#include "net/http-worker.h"
#include "net/internet-error.h"
#include "net/job-record.h"
#include "net/remote-file.h"
#include "net/result-codes.h"
#include "platform/prompter.h"
#include "settings/app-settings.h"
#include "text/cp932.h"

namespace murlo {

namespace {

enum class Work { kTransfer, kResume, kJpeg, kInfo };

// Runs `steps` (everything after the worker's creation) and turns their outcome into the
// item's result: 1 or -25 from the work step, -21 left by a cancellation point, -23 for
// an Internet error (reported and logged), -22 for a local file error (logged).
template <typename Steps>
void runSteps(JobRecord& job, CInetWorker& worker, bool alwaysSucceed, Steps steps) {
  try {
    const bool done = steps();
    if (worker.wasCancelled()) return;
    job.result = done || alwaysSucceed ? RESULT_SUCCEED : RESULT_ERROR_DOWNLOAD;
  } catch (const InternetError& error) {
    const bool refusedAnswer = error.code().kind == EngineError::Kind::kHttpStatus;
    // A refused certificate's text names the host and the problem: the message, the output
    // and the log all say it.
    const bool certificate = isCertificateError(error.code());
    if (certificate) job.notice.set(error.what());
    worker.ReportResult(error.code(), refusedAnswer || certificate ? error.what() : std::string());
    worker.LogException(error);
    job.result = RESULT_ERROR_INTERNET;
  } catch (const LocalFileError& error) {
    worker.LogException(error);
    job.result = RESULT_ERROR_FILE;
  } catch (const std::exception& error) {
    // Anything else (memory exhausted) ends the item without taking the program down.
    worker.LogException(error);
    job.result = RESULT_ERROR_DOWNLOAD;
  }
}

void runHttp(JobRecord& job, CInetWorker::Binding binding, Work work) {
  {
    CHttpWorker worker(job, binding);
    runSteps(job, worker, work == Work::kInfo, [&] {
      worker.OpenSession();
      worker.CrackUrl();
      if (work == Work::kResume) worker.PrepareResume();
      if (binding == CInetWorker::Binding::kDownloadJob && work == Work::kTransfer) {
        worker.LookForPartialFile();
      }
      if (worker.IsCancelled(RESULT_USER_DENIED)) return false;
      worker.OpenRequest();
      if (worker.IsCancelled(RESULT_USER_DENIED)) return false;
      if (!worker.CheckStatus()) return false;
      if (worker.IsCancelled(RESULT_USER_DENIED)) return false;
      switch (work) {
        case Work::kResume: return worker.Resume();
        case Work::kJpeg: return worker.TransferJpeg();
        case Work::kInfo: return worker.QueryFileInfo();
        case Work::kTransfer: break;
      }
      return worker.Transfer();
    });
  }
  job.doneEvent.set();
}

bool endsWithJpg(const std::string& url) {
  return url.size() >= 3 &&
         equalsIgnoreAsciiCase(std::string_view(url).substr(url.size() - 3), "jpg");
}

// The question for a partial file that is gone; true when the user named another one.
bool askForPartialFile(JobRecord& job) {
  if (!job.prompter) return false;
  const PromptAnswer answer = job.prompter->message(
      displayText(job.localName) + "\r\nが見付かりません。変更したﾌｧｲﾙﾊﾟｽを指定しますか？",
      PromptIcon::kQuestion, PromptButtons::kYesNo);
  if (answer != PromptAnswer::kYes) return false;
  FileDialogRequest request;
  request.title = "ﾚｼﾞｭｰﾑﾌｧｲﾙ の指定";
  request.filter = "全ての ﾌｧｲﾙ(*.*)|*.*||";
  request.confirmOverwrite = true;
  const auto chosen = job.prompter->chooseSaveFile(request);
  if (!chosen) return false;
  job.localName = *chosen;
  return true;
}

// Whether `path` lies in `folder` or a folder under it, after resolving links and "..".
bool liesInFolder(const std::string& path, const std::string& folder) {
  char* resolvedFolder = ::realpath(folder.c_str(), nullptr);
  const std::size_t slash = path.rfind('/');
  const std::string parent = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : path.substr(0, slash);
  char* resolvedParent = ::realpath(parent.c_str(), nullptr);
  bool inside = false;
  if (resolvedFolder != nullptr && resolvedParent != nullptr) {
    const std::string_view base(resolvedFolder);
    const std::string_view dir(resolvedParent);
    inside = dir == base || (dir.starts_with(base) && (base == "/" || dir[base.size()] == '/'));
  }
  std::free(resolvedFolder);
  std::free(resolvedParent);
  return inside;
}

// The partial file a resume row names comes from a list file, which is data from elsewhere:
// it is written to only when it is a regular file in the save folder, or when the user
// agrees to a file outside it. A file the user chose in the resume dialog is taken as it is.
bool acceptPartialFile(JobRecord& job) {
  struct stat info {};
  if (::lstat(job.localName.c_str(), &info) != 0) return askForPartialFile(job);
  const std::string shown = displayText(job.localName);
  if (!S_ISREG(info.st_mode)) {
    if (job.prompter && !(job.movement.load() & movement::kNoErrorMessages)) {
      job.prompter->message(shown + "\r\nは通常のﾌｧｲﾙではないため、続きをﾀﾞｳﾝﾛｰﾄﾞできません。",
                            PromptIcon::kStop, PromptButtons::kOk);
    }
    return false;
  }
  if (liesInFolder(job.localName, job.saveDir)) return true;
  return job.prompter &&
         job.prompter->message(
             shown + "\r\nは保存先ﾌｫﾙﾀﾞの外にあります。このﾌｧｲﾙに続きを書き込みますか？",
             PromptIcon::kExclamation, PromptButtons::kYesNoDefaultNo) == PromptAnswer::kYes;
}

}  // namespace

void pageThread(const std::shared_ptr<JobRecord>& job) {
  runHttp(*job, CInetWorker::Binding::kPageJob, Work::kTransfer);
}

void infoThread(const std::shared_ptr<JobRecord>& job) {
  runHttp(*job, CInetWorker::Binding::kPageJob, Work::kInfo);
}

void downloadThread(const std::shared_ptr<JobRecord>& job) {
  job->doneBytes = 0;
  job->totalBytes = 0;
  runHttp(*job, CInetWorker::Binding::kDownloadJob, Work::kTransfer);
}

void jpegThread(const std::shared_ptr<JobRecord>& job) {
  job->doneBytes = 0;
  job->totalBytes = 0;
  if (!endsWithJpg(job->url)) {
    job->result = RESULT_NOT_JPEG;
    job->doneEvent.set();
    return;
  }
  runHttp(*job, CInetWorker::Binding::kDownloadJob, Work::kJpeg);
}

void resumeThread(const std::shared_ptr<JobRecord>& job) {
  job->doneBytes = 0;
  job->totalBytes = -1;
  if (!acceptPartialFile(*job)) {
    job->result = RESULT_ERROR_RESUME;
    job->doneEvent.set();
    return;
  }
  runHttp(*job, CInetWorker::Binding::kDownloadJob, Work::kResume);
}

void ftpThread(const std::shared_ptr<JobRecord>& job) {
  job->doneBytes = 0;
  job->totalBytes = -1;
  // Job control names a partial file only for a resume.
  const bool resume = !job->localName.empty();
  if (resume && !acceptPartialFile(*job)) {
    job->result = RESULT_ERROR_RESUME;
    job->doneEvent.set();
    return;
  }
  {
    CFtpWorker worker(*job, CInetWorker::Binding::kDownloadJob);
    runSteps(*job, worker, false, [&] {
      worker.OpenSession();
      worker.CrackUrl();
      if (resume) worker.PrepareResume();
      if (worker.IsCancelled(RESULT_USER_DENIED)) return false;
      worker.OpenFtpFile();
      if (worker.IsCancelled(RESULT_USER_DENIED)) return false;
      return worker.StartFtpDownload();
    });
  }
  job->doneEvent.set();
}

void sendFirstRequestAhead(WorkerProcedure procedure, JobRecord& record) {
  const bool page = procedure == &pageThread;
  if (!page && procedure != &downloadThread &&
      !(procedure == &jpegThread && endsWithJpg(record.url))) {
    return;
  }
  try {
    CHttpWorker worker(record,
                       page ? CInetWorker::Binding::kPageJob : CInetWorker::Binding::kDownloadJob);
    worker.OpenSession();
    worker.CrackUrl();
    // The same request the item's own run would send: ranged when a partial file waits.
    if (procedure == &downloadThread) worker.LookForPartialFile();
    worker.SendRequestAhead();
  } catch (const std::exception&) {
    record.sentRequest.reset();
  }
}

}  // namespace murlo
