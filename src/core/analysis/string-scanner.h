// The string scanner: takes every "http://" or "https://" string of a page, up to the next
// white space, without looking at tags.
#pragma once

#include "analysis/page-text.h"

namespace murlo {

// Reports, in page order and with the tag "ALL", each address with everything after it up
// to the next space (quotes and ">" included). An address with no space after it ends the
// scan and is not reported; so does a page whose links would add up to more than sixteen
// times its size.
void findHttpStrings(const PageText& page, const LinkFound& found);

}  // namespace murlo
