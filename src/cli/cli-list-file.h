// Loading a list file for a command, with its errors on standard error.
#pragma once

#include <string>

#include "items/item-list.h"
#include "platform/file-lock.h"

namespace murlo::cli {

// Takes the lock of a list file that a command will rewrite; the command holds it from
// before it reads the list until it has written it back. Another program holding it is
// waited for a little; returns false after printing why when the lock could not be had.
bool lockListFile(FileLock& lock, const std::string& path);

// Appends the list file's items to `list`. A missing file is an error when `mustExist`,
// else an empty list. Returns false, after printing why, when the file could not be read
// whole; the rows read before a truncation stay in the list.
bool loadListFile(ItemList& list, const std::string& path, bool mustExist);

// Writes the list back; prints the error and returns false when that fails.
bool saveListFile(const ItemList& list, const std::string& path);

}  // namespace murlo::cli
