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

// Resolves `link`, found on the page `pageAddress`, and appends it with `tag` when the
// extension filter lets it through. The page address becomes the item's referrer. Returns
// whether an item was appended.
bool addLink(const LinkSink& sink, std::string_view link, std::string_view pageAddress,
             std::string_view tag);

// Rewrites a link beginning with "./" or "../" and the base address in place: "./x/y"
// keeps only "y"; every leading "../" removes one directory from the base. Returns false
// when the link is refused.
bool resolveDotPath(std::string& link, std::string& base);

}  // namespace murlo
