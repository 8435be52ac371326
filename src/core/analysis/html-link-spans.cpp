#include "analysis/html-link-spans.h"

#include "analysis/html-link-finder.h"
#include "settings/app-settings.h"

namespace murlo {

std::vector<LinkSpan> findHtmlLinkSpans(std::string_view content) {
  AppSettings settings;
  settings.tag = tagbits::kImage | tagbits::kAnchor | tagbits::kBody | tagbits::kFrame;
  std::vector<LinkSpan> spans;
  findHtmlLinkPlaces(content, settings, [&](const HtmlLink& link) {
    if (link.offset == HtmlLink::kNoPlace) return;
    spans.push_back({link.offset, link.length, std::string(link.address), link.characterReferences,
                     std::string(link.base), link.tag == "BASE"});
  });
  return spans;
}

}  // namespace murlo
