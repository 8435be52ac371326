// The one encoding rule for the texts of Murlo.ini (folders, sound files, extensions, the
// proxy, the recent list files). In memory every such text is UTF-8, as the windows show
// it and the file system names it. In the file a text is CP932, as the Windows program
// wrote it, so the file stays interchangeable; UTF-8 only for a text that CP932 cannot hold.
// Each value is read on its own: valid UTF-8 is UTF-8 (ASCII included), anything else CP932.
// A text whose CP932 bytes would also be valid UTF-8 (some runs of half-width katakana) is
// written in UTF-8, so whatever is written reads back as it was.
#pragma once

#include <string>
#include <string_view>

namespace murlo {

// A value as Murlo.ini holds it, as UTF-8. CP932 bytes that do not decode become "?".
std::string iniTextToUtf8(std::string_view stored);

// A UTF-8 text as Murlo.ini stores it. A text that is not valid UTF-8 is stored as it is.
std::string utf8ToIniText(std::string_view text);

}  // namespace murlo
