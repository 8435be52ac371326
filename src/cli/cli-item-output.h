// Printing items on standard output, one line each.
#pragma once

#include "items/item-record.h"

namespace murlo::cli {

// Writes the six texts of `item` (fileName, url, tag, extension, info, referrer) as raw
// bytes, separated by tabs, and a line end.
void printItem(const ItemRecord& item);

}  // namespace murlo::cli
