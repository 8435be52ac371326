// Loading a list file for a command, with its errors on standard error.
#pragma once

#include <string>

#include "items/item-list.h"

namespace murlo::cli {

// Appends the list file's items to `list`. A missing file is an error when `mustExist`,
// else an empty list. Returns false, after printing why, when the file could not be read
// whole; the rows read before a truncation stay in the list.
bool loadListFile(ItemList& list, const std::string& path, bool mustExist);

// Writes the list back; prints the error and returns false when that fails.
bool saveListFile(const ItemList& list, const std::string& path);

}  // namespace murlo::cli
