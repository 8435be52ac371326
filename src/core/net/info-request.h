// The record of an item properties query: a page job for one address, filled from the
// settings, that infoThread answers into its FileInfo.
#pragma once

#include <memory>
#include <string>

namespace murlo {

struct AppSettings;
struct JobRecord;
class Prompter;

// A fresh record for querying `address` with `referrer`; no output, no credentials.
// `prompter` receives the engine's error messages (none: nothing is shown).
std::shared_ptr<JobRecord> makeInfoRequest(const AppSettings& settings, const std::string& appDir,
                                           const std::string& address, const std::string& referrer,
                                           std::shared_ptr<Prompter> prompter);

}  // namespace murlo
