// The filters that decide which links found by analysis enter the list.
#pragma once

#include <string_view>

#include "settings/app-settings.h"

namespace murlo {

// The extension test for a found link. `extension` is the text after the first "." of the
// file name (the whole name when it has no "."). The settings are read at every call, so a
// change made while a job runs applies to the following links.
bool acceptExtension(const AppSettings& settings, std::string_view extension,
                     bool fileNameWasEmpty);

// The JFIF check of downloads: the last 3 bytes of the item's full address are "jpg" (any
// letter case). An "(index.htm)" item ends in "/" and fails it.
bool passesJfifCheck(std::string_view fullAddress);

}  // namespace murlo
