// The codes of the download engine: item results stored in JobRecord::result, the worker's
// own report codes, and the library error codes that have texts of their own.
#pragma once

#include <string_view>

#include "platform/prompter.h"

namespace murlo {

// Item results.
inline constexpr int RESULT_SUCCEED = 1;
inline constexpr int RESULT_USER_DENIED = -21;
inline constexpr int RESULT_ERROR_FILE = -22;
inline constexpr int RESULT_ERROR_INTERNET = -23;
inline constexpr int RESULT_ERROR_RESUME = -24;
inline constexpr int RESULT_ERROR_DOWNLOAD = -25;
inline constexpr int RESULT_NOT_JPEG = -26;

// Report codes of the status check: the refusals.
inline constexpr int kReportNothing = 0;
inline constexpr int kReportUnauthorized = -1;
inline constexpr int kReportNoRedirect = -2;
inline constexpr int kReportRedirectUnparsable = -3;
inline constexpr int kReportRedirectNotHttp = -4;
inline constexpr int kReportRedirectFailed = -5;

// Internet error codes with texts of their own. Every other failure carries a code of its
// own (see internet-error.h) and is shown with the generic text.
inline constexpr int kCodeFileNotFound = 2;
inline constexpr int kCodeCannotConnect = 12029;

// The UTF-8 message for a report code or an Internet error code; empty for 0.
std::string_view reportText(int code);
PromptIcon reportIcon(int code);

}  // namespace murlo
