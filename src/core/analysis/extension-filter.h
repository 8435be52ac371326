// The filters that decide which links found by analysis enter the list.
#pragma once

#include <string>
#include <string_view>

#include "settings/app-settings.h"

namespace murlo {

// The extension test for a found link. `extension` is the text after the first "." of the
// file name (the whole name when it has no "."). The settings are read at every call, so a
// change made while a job runs applies to the following links.
bool acceptExtension(const AppSettings& settings, std::string_view extension,
                     bool fileNameWasEmpty);

// The extension of a file name found by the HTML link finder: the text after the first "."
// when that is in one of the extension classes (the custom list included when it is on),
// else the text after the last "."; a name with no "." found in an image-only place counts
// as a "jpg" file. A query ("?...") is not part of the name.
std::string finderExtension(const AppSettings& settings, std::string_view fileName,
                            bool imagePlace);

// The JFIF check of downloads: the last 3 bytes of the item's full address are "jpg" (any
// letter case). An "(index.htm)" item ends in "/" and fails it.
bool passesJfifCheck(std::string_view fullAddress);

}  // namespace murlo
