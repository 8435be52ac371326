// Murlo.log: the download error log in the application directory. UTF-8 text with CR LF
// line ends, only ever appended to. It is read by people, in the desktop's text editor:
// UTF-8 says every address and path, where CP932 would lose what it lacks. A log of older
// runs keeps its lines as they were; new entries follow them.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace murlo {

struct EngineError;
struct JobRecord;
class Prompter;

std::string errorLogPath(const std::string& appDir);

// Appends one entry: a CR LF, the local time as "%Y-%m-%d %H:%M  ", the address, a CR LF
// and the reason. A new file first gets the banner line. The address and the reason are
// written in UTF-8: UTF-8 as they are, other texts decoded from CP932. Entries of different
// threads and processes never interleave. Returns 0, or the errno of the failure when the
// file cannot be opened or written.
int appendErrorLog(const std::string& appDir, std::string_view url, std::string_view reason);

// Entries for a job's item, in its appDir (worker thread). A log that cannot be written
// leaves the item's result as it is and is noted in the job's logError, for job control
// to report after the item's own result (reportLogFailure).
//
// A refusal of the status check, with its text (nothing for other failures).
void logResultText(EngineError code, JobRecord& job);
// The error's own text, kept to 1023 bytes (whole characters).
void logExceptionText(const std::exception& error, JobRecord& job);
// Something the item did otherwise than asked and the user should know.
void logNoticeText(std::string_view notice, JobRecord& job);

// Host thread, once the item's result is shown: tells through `prompter` that the item's
// log entry could not be written, when it could not.
void reportLogFailure(const JobRecord& job, Prompter& prompter);

}  // namespace murlo
