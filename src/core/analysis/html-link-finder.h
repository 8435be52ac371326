// The HTML link finder: reads a page with the tokenization rules of HTML5 (attributes in
// any order, quoted or not, in any letter case; comments, scripts and style sheets kept
// apart) and reports the addresses of images, anchors and areas, backgrounds and frames.
#pragma once

#include <functional>
#include <string_view>

#include "settings/app-settings.h"

namespace murlo {

struct HtmlLink {
  // The address as written, character references decoded and surrounding white space cut.
  std::string_view address;
  // "IMG", "HREF", "BODY" or "FRAME"; "BASE" for the page's first <base href> itself
  // (findHtmlLinkPlaces only).
  std::string_view tag;
  // Found where only an image can stand (an image source, srcset, poster, icon, og:image).
  bool imagePlace = false;
  // The page's first <base href> if one came before the link, as written; else empty.
  std::string_view base;
  // Where the address stands in the page file's bytes (findHtmlLinkPlaces only): `length`
  // bytes at `offset`, or kNoPlace when the page was read converted (UTF-16).
  static constexpr std::size_t kNoPlace = std::string_view::npos;
  std::size_t offset = kNoPlace;
  std::size_t length = 0;
  // Those bytes write the address with character references ("&amp;" for "&").
  bool characterReferences = false;
};

using HtmlLinkFound = std::function<void(const HtmlLink& link)>;

// Reports the links of the page file content `content` in page order. The tag bits kImage,
// kAnchor, kBody and kFrame of `liveSettings` are read at every element.
void findHtmlLinks(std::string_view content, const AppSettings& liveSettings,
                   const HtmlLinkFound& found);

// As findHtmlLinks, but reports every place of every address, the repeats within one element
// too, each with its place in `content`, and the page's first <base href> as a link.
void findHtmlLinkPlaces(std::string_view content, const AppSettings& liveSettings,
                        const HtmlLinkFound& found);

}  // namespace murlo
