// EngineError: a failure of the download engine as it is reported and shown. Its kind
// tells whose number it carries, so that numbers of different kinds never meet.
#pragma once

#include <string_view>

#include "platform/prompter.h"

namespace murlo {

struct EngineError {
  enum class Kind {
    kHttpStatus,  // the status of an answer the server refused
    kTransfer,    // a code of the transfer library or an Internet code
    kProgram,     // the program's own code: its refusals, or an engine state
  };

  Kind kind = Kind::kProgram;
  int number = 0;

  static constexpr EngineError httpStatus(int status) { return {Kind::kHttpStatus, status}; }
  static constexpr EngineError transfer(int code) { return {Kind::kTransfer, code}; }
  static constexpr EngineError program(int code) { return {Kind::kProgram, code}; }
  // A failed libcurl operation's CURLcode, and the CURLUcode of an address that cannot be
  // split; the two sets of numbers are kept apart.
  static constexpr EngineError curl(int curlCode) { return transfer(20000 + curlCode); }
  static constexpr EngineError url(int urlCode) { return transfer(21000 + urlCode); }

  // The refusals of the status check, the negative program codes, are shown as warnings
  // and logged with their text.
  constexpr bool isRefusal() const { return kind == Kind::kProgram && number < 0; }

  // The UTF-8 message; empty for kReportNothing. Failures without a text of their own are
  // shown with the generic one.
  std::string_view text() const;
  PromptIcon icon() const { return isRefusal() ? PromptIcon::kExclamation : PromptIcon::kStop; }

  constexpr bool operator==(const EngineError&) const = default;
};

// Nothing to show: a failure that was reported already.
inline constexpr EngineError kReportNothing = EngineError::program(0);
// The refusals of the status check.
inline constexpr EngineError kReportUnauthorized = EngineError::program(-1);
inline constexpr EngineError kReportNoRedirect = EngineError::program(-2);
inline constexpr EngineError kReportRedirectUnparsable = EngineError::program(-3);
inline constexpr EngineError kReportRedirectNotHttp = EngineError::program(-4);
inline constexpr EngineError kReportRedirectFailed = EngineError::program(-5);
// The session is offline.
inline constexpr EngineError kCodeOffline = EngineError::program(22001);

// The Internet codes with texts of their own.
inline constexpr EngineError kCodeFileNotFound = EngineError::transfer(2);
inline constexpr EngineError kCodeCannotConnect = EngineError::transfer(12029);

}  // namespace murlo
