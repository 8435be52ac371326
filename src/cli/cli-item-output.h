// Printing items on standard output, one line each.
#pragma once

#include "items/item-record.h"

namespace murlo::cli {

// Writes the six texts of `item` (fileName, url, tag, extension, info, referrer), separated
// by tabs, and a line end: as the terminal shows them, or with `raw` as the stored bytes.
void printItem(const ItemRecord& item, bool raw);

}  // namespace murlo::cli
