// The worker thread procedures. Job control starts one of them on a thread of its own for
// each item, with the item's record. Each creates an Internet worker, steps it through
// session, address split, request, status check and work step, stores the result in the
// record, destroys the worker and sets the done event last: once the done event is seen,
// nothing of the item's worker (handles, files, the shared connection cache) is in use.
//
// A stop request (the record's stop event) is looked at after every step and once per
// transfer buffer; it ends the item with RESULT_USER_DENIED.
#pragma once

#include <memory>

namespace murlo {

struct JobRecord;

// One of the procedures below.
using WorkerProcedure = void (*)(const std::shared_ptr<JobRecord>& job);

// Fetches a page into a unique file beside Murlo.tmp in the application directory, whose
// path it leaves in `pageFile` (page job).
void pageThread(const std::shared_ptr<JobRecord>& job);
// Fills the record's FileInfo for the item properties query (page job); result 1 unless an
// error was raised.
void infoThread(const std::shared_ptr<JobRecord>& job);
// Downloads an item into the save folder.
void downloadThread(const std::shared_ptr<JobRecord>& job);
// JPEG-only mode: addresses not ending in "jpg" end with RESULT_NOT_JPEG at once, and only
// JFIF files are saved.
void jpegThread(const std::shared_ptr<JobRecord>& job);
// Continues the partial file named by the record's localName; when it is missing, asks
// for another one.
void resumeThread(const std::shared_ptr<JobRecord>& job);
// Downloads an FTP item.
void ftpThread(const std::shared_ptr<JobRecord>& job);

// Called on the worker thread while the item before it is saved: sends the first request
// that `procedure` would send for `record`, into record.sentRequest, when it starts with a
// plain HTTP request (a page, a download, a JPEG-only address ending in "jpg"). Does
// nothing for the others, and when the request cannot be made: the item then meets that
// failure itself when it runs.
void sendFirstRequestAhead(WorkerProcedure procedure, JobRecord& record);

}  // namespace murlo
