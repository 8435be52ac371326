// The name a download is saved under when its file name is taken already.
#pragma once

#include <string>

namespace murlo {

struct JobRecord;

// The local name for `fileName` under the job's saveDir after the same-name policy of the
// worker's `movementWord`: overwrite (movement::kOverwrite), automatic renaming
// (movement::kAutoRename), or the overwrite question asked through the job's prompter while
// the worker thread waits; an answer for all sets its bit in `movementWord`. `existing` tells
// whether the name returned is that of a file there now, chosen to be overwritten.
std::string resolveSaveName(const JobRecord& job, const std::string& fileName, int& movementWord,
                            bool* existing = nullptr);

}  // namespace murlo
