// The reason the user reads when a server's certificate cannot be verified: the host and
// what is wrong with its certificate (expired, made out for another name, issued by an
// authority the system does not trust), in Japanese.
#pragma once

#include <string>
#include <string_view>

#include "net/engine-error.h"

namespace murlo {

// Whether `curlCode` (a CURLcode) tells that the server's certificate was refused.
bool isCertificateFailure(int curlCode);
// Whether an engine error is such a refusal; its text then names the host and the problem.
bool isCertificateError(EngineError code);

// The reason for a refused certificate of `host`: `verifyResult` is the certificate check's
// own code (CURLINFO_SSL_VERIFYRESULT), `errorBuffer` libcurl's text, which tells a name
// that does not match when the check itself passed.
std::string certificateReason(long verifyResult, std::string_view host,
                              std::string_view errorBuffer);

}  // namespace murlo
