// The addresses inside attribute values and style sheets that hold more than one.
#pragma once

#include <functional>
#include <string_view>

namespace murlo {

using AddressFound = std::function<void(std::string_view address)>;

// Each image candidate of a "srcset" value ("a.jpg 1x, b.jpg 2x" gives "a.jpg" and "b.jpg"),
// split as browsers split it: a candidate's address runs to the next white space, and
// trailing commas end it.
void forEachSrcsetCandidate(std::string_view srcset, const AddressFound& found);

// Each address of a CSS text's url() functions, quoted or not. Comments are skipped.
void forEachCssUrl(std::string_view css, const AddressFound& found);

}  // namespace murlo
