// The name a download is saved under when its file name is taken already.
#pragma once

#include <string>

namespace murlo {

struct JobRecord;

// The local name for the job's fileName under its saveDir after the same-name policy:
// overwrite (movement::kOverwrite), automatic renaming (movement::kAutoRename), or the
// overwrite question asked through the job's prompter while the worker thread waits.
// `existing` tells whether the name returned is that of a file there now, chosen to be
// overwritten.
std::string resolveSaveName(JobRecord& job, bool* existing = nullptr);

}  // namespace murlo
