// Resolution of links found on a page into items of the list.
#pragma once

#include <string>
#include <string_view>

#include "items/item-list.h"
#include "settings/app-settings.h"

namespace murlo {

// Where found links go: the list they are appended to and the settings whose extension
// classes filter them (read afresh for every link).
struct LinkSink {
  ItemList& list;
  const AppSettings& settings;
};

// What the HTML link finder adds to a link it found.
struct FinderLinkOptions {
  // The address the link is resolved against instead of the page's (the page's <base
  // href>, resolved); empty: the page's. The page stays the referrer.
  std::string_view base;
  // Found in an image-only place: a name without extension counts as "jpg".
  bool imagePlace = false;
};

// Resolves `link`, found on the page `pageAddress`, and appends it with `tag` when the
// extension filter lets it through. The resolved url keeps no "." or ".." folder. The page address
// becomes the item's referrer. Links to http, https and ftp addresses are absolute, a
// protocol-relative link ("//host/x") takes the page's scheme, and a link with any other
// scheme ("javascript:", "mailto:", "data:"…) is dropped. Returns whether an item was appended.
bool addLink(const LinkSink& sink, std::string_view link, std::string_view pageAddress,
             std::string_view tag);
// The same for a link of the HTML link finder, whose extension is taken by finderExtension.
bool addFinderLink(const LinkSink& sink, std::string_view link, std::string_view pageAddress,
                   std::string_view tag, const FinderLinkOptions& options);

// Rewrites a link beginning with "./" or "../" and the base address in place: each leading
// "./" is dropped and every leading "../" removes one directory from the base; the rest of
// the link, folders included ("./x/y" keeps "x/y"), stays. Returns false when the link is
// refused (two characters or fewer, or a name such as ".hidden").
bool resolveDotPath(std::string& link, std::string& base);

}  // namespace murlo
