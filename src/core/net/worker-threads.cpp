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
// item's result: kSucceed or kErrorDownload from the work step, kUserDenied left by a
// cancellation point, kErrorInternet for an Internet error (reported and logged),
// kErrorFile for a local file error (logged).
template <typename Steps>
void runSteps(JobRecord& job, CInetWorker& worker, bool alwaysSucceed, Steps steps) {
  try {
    const bool done = steps();
    if (worker.wasCancelled()) return;
    job.result = done || alwaysSucceed ? ItemResult::kSucceed : ItemResult::kErrorDownload;
  } catch (const InternetError& error) {
    const bool refusedAnswer = error.code().kind == EngineError::Kind::kHttpStatus;
    // A refused certificate's text names the host and the problem: the message, the output
    // and the log all say it.
    const bool certificate = isCertificateError(error.code());
    if (certificate) job.notice.set(error.what());
    worker.ReportResult(error.code(), refusedAnswer || certificate ? error.what() : std::string());
    worker.LogException(error);
    job.result = ItemResult::kErrorInternet;
  } catch (const LocalFileError& error) {
    worker.LogException(error);
    job.result = ItemResult::kErrorFile;
  } catch (const std::exception& error) {
    // Anything else (memory exhausted) ends the item without taking the program down.
    worker.LogException(error);
    job.result = ItemResult::kErrorDownload;
  }
}

CInetWorker::Binding bindingOf(ItemKind kind) {
  return kind == ItemKind::kPage || kind == ItemKind::kInfo ? CInetWorker::Binding::kPageJob
                                                            : CInetWorker::Binding::kDownloadJob;
}

void runHttp(JobRecord& job, ItemRun& run, Work work) {
  CHttpWorker worker(job, run, bindingOf(job.kind));
  runSteps(job, worker, work == Work::kInfo, [&] {
    worker.OpenSession();
    worker.CrackUrl();
    if (work == Work::kResume) worker.PrepareResume();
    if (job.kind == ItemKind::kDownload) worker.LookForPartialFile();
    if (worker.IsCancelled()) return false;
    worker.OpenRequest();
    if (worker.IsCancelled()) return false;
    if (!worker.CheckStatus()) return false;
    if (worker.IsCancelled()) return false;
    switch (work) {
      case Work::kResume: return worker.Resume();
      case Work::kJpeg: return worker.TransferJpeg();
      case Work::kInfo: return worker.QueryFileInfo();
      case Work::kTransfer: break;
    }
    return worker.Transfer();
  });
}

void runFtp(JobRecord& job, ItemRun& run) {
  CFtpWorker worker(job, run, CInetWorker::Binding::kDownloadJob);
  runSteps(job, worker, false, [&] {
    worker.OpenSession();
    worker.CrackUrl();
    if (!job.resumeFrom.empty()) worker.PrepareResume();
    if (worker.IsCancelled()) return false;
    worker.OpenFtpFile();
    if (worker.IsCancelled()) return false;
    return worker.StartFtpDownload();
  });
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
bool acceptPartialFile(JobRecord& job, int movement) {
  struct stat info {};
  if (::lstat(job.localName.c_str(), &info) != 0) return askForPartialFile(job);
  const std::string shown = displayText(job.localName);
  if (!S_ISREG(info.st_mode)) {
    if (job.prompter && !(movement & movement::kNoErrorMessages)) {
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

// The item's steps as its kind asks, up to its result.
void runKind(JobRecord& job, ItemRun& run) {
  switch (job.kind) {
    case ItemKind::kPage: return runHttp(job, run, Work::kTransfer);
    case ItemKind::kInfo: return runHttp(job, run, Work::kInfo);
    case ItemKind::kDownload:
    case ItemKind::kJpeg:
    case ItemKind::kResume:
    case ItemKind::kFtp: break;
  }
  job.doneBytes = 0;
  job.totalBytes = job.kind == ItemKind::kResume || job.kind == ItemKind::kFtp ? -1 : 0;
  if (job.kind == ItemKind::kJpeg && !endsWithJpg(job.url)) {
    job.result = ItemResult::kNotJpeg;
    return;
  }
  // Job control names a partial file only for a resume.
  job.localName = job.resumeFrom;
  if (!job.resumeFrom.empty() && !acceptPartialFile(job, run.movement)) {
    job.result = ItemResult::kErrorResume;
    return;
  }
  switch (job.kind) {
    case ItemKind::kJpeg: return runHttp(job, run, Work::kJpeg);
    case ItemKind::kResume: return runHttp(job, run, Work::kResume);
    case ItemKind::kFtp: return runFtp(job, run);
    default: return runHttp(job, run, Work::kTransfer);
  }
}

}  // namespace

void runItem(JobRecord& record, ItemRun& run) {
  runKind(record, run);
  // A request sent ahead that the item did not take ends with the item.
  run.sentRequest.reset();
  record.doneEvent.set();
}

void runItem(ItemKind kind, JobRecord& record) {
  record.kind = kind;
  ItemRun run;
  run.movement = record.movement;
  runItem(record, run);
}

std::unique_ptr<RemoteFile> sendFirstRequestAhead(JobRecord& record, int movement) {
  const ItemKind kind = record.kind;
  if (kind != ItemKind::kPage && kind != ItemKind::kDownload &&
      !(kind == ItemKind::kJpeg && endsWithJpg(record.url))) {
    return nullptr;
  }
  ItemRun run;
  run.movement = movement;
  try {
    // These steps only read the record: the host may look at its other parts meanwhile.
    CHttpWorker worker(record, run, bindingOf(kind));
    worker.OpenSession();
    worker.CrackUrl();
    // The same request the item's own run would send: ranged when a partial file waits.
    if (kind == ItemKind::kDownload) worker.LookForPartialFile();
    worker.SendRequestAhead();
  } catch (const std::exception&) {
    run.sentRequest.reset();
  }
  return std::move(run.sentRequest);
}

}  // namespace murlo
