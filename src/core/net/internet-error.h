// The two error kinds raised inside the download engine. Only the thread procedures catch
// them; they report, log and turn them into the item's result code.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "net/engine-error.h"

namespace murlo {

// An Internet error: what the message shows (engine-error.h) and a text for the log. An
// answer the server refused carries its HTTP status, and the message names the answer.
class InternetError : public std::runtime_error {
 public:
  InternetError(EngineError code, const std::string& text)
      : std::runtime_error(text), code_(code) {}
  EngineError code() const { return code_; }

 private:
  EngineError code_;
};

// A failed libcurl operation: could-not-connect and could-not-resolve become
// kCodeCannotConnect, a missing FTP file kCodeFileNotFound, anything else
// EngineError::curl(the code). The text is the Japanese reason, with curl's detail after it
// (curlReasonText).
InternetError curlError(int curlCode, const std::string& errorBuffer);

// A server certificate that libcurl refused (certificate-problem.h): the text names the host
// and what is wrong, with curl's detail after it.
InternetError certificateError(int curlCode, long verifyResult, std::string_view host,
                               const std::string& errorBuffer);

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
