// The item results the download engine stores in JobRecord::result. How a failure is
// reported and shown is an EngineError (engine-error.h).
#pragma once

namespace murlo {

// Item results.
inline constexpr int RESULT_SUCCEED = 1;
inline constexpr int RESULT_USER_DENIED = -21;
inline constexpr int RESULT_ERROR_FILE = -22;
inline constexpr int RESULT_ERROR_INTERNET = -23;
inline constexpr int RESULT_ERROR_RESUME = -24;
inline constexpr int RESULT_ERROR_DOWNLOAD = -25;
inline constexpr int RESULT_NOT_JPEG = -26;

}  // namespace murlo
