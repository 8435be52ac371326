// The reasons the user reads for failed transfers: short Japanese texts for the libcurl
// codes a user meets, as the log and the messages word them.
#pragma once

#include <string>
#include <string_view>

namespace murlo {

// The Japanese reason for `curlCode` (a CURLcode); empty for codes without one.
std::string_view curlReason(int curlCode);

// The reason of a failed transfer as the log shows it: the Japanese reason (the generic
// connection text for codes without one), then libcurl's own detail in parentheses when
// it says more, `errorBuffer` when curl filled it.
std::string curlReasonText(int curlCode, std::string_view errorBuffer);

}  // namespace murlo
