// The two error kinds raised inside the download engine. Only the thread procedures catch
// them; they report, log and turn them into the item's result code.
#pragma once

#include <stdexcept>
#include <string>

namespace murlo {

// Codes for failures that have no library code of their own.
inline constexpr int kCodeCurlBase = 20000;     // + the CURLcode
inline constexpr int kCodeUrlBase = 21000;      // + the CURLUcode of an address that cannot be split
inline constexpr int kCodeOffline = 22001;      // the session is offline

// An Internet error: a code for the message (result-codes.h) and a text for the log. An
// answer the server refused carries its HTTP status, which the message then names.
class InternetError : public std::runtime_error {
 public:
  InternetError(int code, const std::string& text, int httpStatus = 0)
      : std::runtime_error(text), code_(code), httpStatus_(httpStatus) {}
  int code() const { return code_; }
  int httpStatus() const { return httpStatus_; }

 private:
  int code_;
  int httpStatus_;
};

// A failed libcurl operation: could-not-connect and could-not-resolve become 12029, a
// missing FTP file 2, anything else kCodeCurlBase + the code. The text is curl's own.
InternetError curlError(int curlCode, const std::string& errorBuffer);

// An address that cannot be split, with the CURLUcode.
InternetError urlError(int urlCode);

enum class FileErrorKind { kGeneric, kBadPath };

// A local file that cannot be created, opened or written, or a folder that cannot be made.
class LocalFileError : public std::runtime_error {
 public:
  LocalFileError(FileErrorKind kind, const std::string& text)
      : std::runtime_error(text), kind_(kind) {}
  FileErrorKind kind() const { return kind_; }

  // The error for `path` after a failed system call, with the system's reason.
  static LocalFileError fromErrno(FileErrorKind kind, const std::string& path);
  // The error of a worker whose thread job control has given up: it may write no more.
  static LocalFileError givenUp(const std::string& path);

 private:
  FileErrorKind kind_;
};

}  // namespace murlo
