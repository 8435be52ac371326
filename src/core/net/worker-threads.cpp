#include "net/worker-threads.h"

#include "net/ftp-worker.h"
#include "net/http-worker.h"
#include "net/internet-error.h"
#include "net/job-record.h"
#include "net/result-codes.h"
#include "platform/prompter.h"
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
    worker.ReportResult(error.code(), error.httpStatus() != 0 ? error.what() : std::string());
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
      job.worker = &worker;
      worker.CrackUrl();
      if (work == Work::kResume) worker.PrepareResume();
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
    job.worker = nullptr;
  }
  job.doneEvent.set();
}

bool endsWithJpg(const std::string& url) {
  return url.size() >= 3 && equalsIgnoreAsciiCase(std::string_view(url).substr(url.size() - 3), "jpg");
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

}  // namespace

void pageThread(std::shared_ptr<JobRecord> job) {
  runHttp(*job, CInetWorker::Binding::kPageJob, Work::kTransfer);
}

void infoThread(std::shared_ptr<JobRecord> job) {
  runHttp(*job, CInetWorker::Binding::kPageJob, Work::kInfo);
}

void downloadThread(std::shared_ptr<JobRecord> job) {
  job->doneBytes = 0;
  job->totalBytes = 0;
  runHttp(*job, CInetWorker::Binding::kDownloadJob, Work::kTransfer);
}

void jpegThread(std::shared_ptr<JobRecord> job) {
  job->doneBytes = 0;
  job->totalBytes = 0;
  if (!endsWithJpg(job->url)) {
    job->result = RESULT_NOT_JPEG;
    job->doneEvent.set();
    return;
  }
  runHttp(*job, CInetWorker::Binding::kDownloadJob, Work::kJpeg);
}

void resumeThread(std::shared_ptr<JobRecord> job) {
  job->doneBytes = 0;
  job->totalBytes = -1;
  if (!CTransferBase::FileExists(job->localName) && !askForPartialFile(*job)) {
    job->result = RESULT_ERROR_RESUME;
    job->doneEvent.set();
    return;
  }
  runHttp(*job, CInetWorker::Binding::kDownloadJob, Work::kResume);
}

void ftpThread(std::shared_ptr<JobRecord> job) {
  job->doneBytes = 0;
  job->totalBytes = -1;
  {
    CFtpWorker worker(*job, CInetWorker::Binding::kDownloadJob);
    runSteps(*job, worker, false, [&] {
      worker.OpenSession();
      worker.CrackUrl();
      if (worker.IsCancelled(RESULT_USER_DENIED)) return false;
      worker.OpenFtpFile();
      if (worker.IsCancelled(RESULT_USER_DENIED)) return false;
      return worker.StartFtpDownload();
    });
  }
  job->doneEvent.set();
}

}  // namespace murlo
