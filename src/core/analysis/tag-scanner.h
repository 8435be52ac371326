// The tag scanner: finds the links of image, anchor and area, body background and frame
// tags with plain substring searches.
//
// It does not parse HTML. Only double-quoted values are taken, and the keyword and quote
// searches run over the whole rest of the page, so an unquoted value or a tag without its
// keyword takes text from further on. These rules decide which links a saved page gives,
// and in which order, and are kept exactly.
#pragma once

#include "analysis/page-text.h"
#include "settings/app-settings.h"

namespace murlo {

// Reports the page's tag links in page order with the tags "IMG", "HREF", "BODY" and
// "FRAME". The tag bits kImage, kAnchor, kBody and kFrame of `liveSettings` are read at
// every test, so a change made while the scan runs applies to the tags that follow. Each link
// is a view into page.text, so its place in the page is link.data() - page.text.data().
void findTagLinks(const PageText& page, const AppSettings& liveSettings, const LinkFound& found);

}  // namespace murlo
