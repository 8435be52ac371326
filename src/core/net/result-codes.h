// The item results the download engine stores in a record's outcome. How a failure is
// reported and shown is an EngineError (engine-error.h).
#pragma once

namespace murlo {

enum class ItemResult {
  // The item ended without a thread or a result (a row without an address).
  kNone = 0,
  kSucceed = 1,
  kUserDenied = -21,
  kErrorFile = -22,
  kErrorInternet = -23,
  kErrorResume = -24,
  kErrorDownload = -25,
  kNotJpeg = -26,
};

}  // namespace murlo
