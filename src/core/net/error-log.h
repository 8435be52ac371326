// Murlo.log: the download error log in the application directory. CP932 text with CR LF
// line ends, only ever appended to.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace murlo {

struct EngineError;
struct JobRecord;

std::string errorLogPath(const std::string& appDir);

// Appends one entry: a CR LF, the local time as "%Y-%m-%d %H:%M  ", the address, a CR LF
// and the reason (CP932). A new file first gets the banner line. Entries of different
// threads and processes never interleave. False when the file cannot be opened or written.
bool appendErrorLog(const std::string& appDir, std::string_view url, std::string_view reason);

// Entries for a job's item, in its appDir. A log that cannot be written is reported through
// the job's prompter and leaves the item's result as it is.
//
// A refusal of the status check, with its text (nothing for other failures).
void logResultText(EngineError code, JobRecord& job);
// The error's own text, kept to 1023 bytes.
void logExceptionText(const std::exception& error, JobRecord& job);
// Something the item did otherwise than asked and the user should know (CP932).
void logNoticeText(std::string_view notice, JobRecord& job);

}  // namespace murlo
