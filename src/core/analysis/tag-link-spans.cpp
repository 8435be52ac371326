#include "analysis/tag-link-spans.h"

#include <algorithm>
#include <array>

#include "analysis/page-text.h"
#include "analysis/tag-scanner.h"
#include "settings/app-settings.h"
#include "text/cp932.h"

namespace murlo {

namespace {

constexpr std::array<std::string_view, 3> kLinkAttributes = {"href", "src", "background"};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// Whether the quoted value at `offset` (just after its opening quote) belongs to a link
// attribute: blank, the attribute's name, optional blanks, "=", optional blanks, the quote.
bool standsAsLinkAttribute(std::string_view content, std::size_t offset) {
  if (offset == 0 || content[offset - 1] != '"') return false;
  std::size_t at = offset - 1;
  while (at > 0 && isBlank(content[at - 1])) --at;
  if (at == 0 || content[at - 1] != '=') return false;
  --at;
  while (at > 0 && isBlank(content[at - 1])) --at;
  const std::size_t nameEnd = at;
  while (at > 0 && isNameByte(content[at - 1])) --at;
  if (at == 0 || !isBlank(content[at - 1])) return false;
  const std::string_view name = content.substr(at, nameEnd - at);
  return std::any_of(kLinkAttributes.begin(), kLinkAttributes.end(),
                     [&](std::string_view a) { return equalsIgnoreAsciiCase(name, a); });
}

}  // namespace

std::vector<LinkSpan> findTagLinkSpans(std::string_view content) {
  const std::string_view scanned = content.substr(0, content.find('\0'));
  const PageText page = preparePageText(std::string(scanned));
  const std::vector<std::size_t> collapsed = collapsedCrSpaces(scanned);
  // Each space that stands for a CR pair before `offset` stands for one byte more.
  const auto contentOffset = [&](std::size_t offset) {
    return offset +
           static_cast<std::size_t>(std::lower_bound(collapsed.begin(), collapsed.end(), offset) -
                                    collapsed.begin());
  };
  AppSettings settings;
  settings.tag = tagbits::kImage | tagbits::kAnchor | tagbits::kBody | tagbits::kFrame;
  std::vector<LinkSpan> spans;
  findTagLinks(page, settings, [&](std::string_view link, std::string_view) {
    const auto at = static_cast<std::size_t>(link.data() - page.text.data());
    const std::size_t begin = contentOffset(at);
    const std::size_t end = contentOffset(at + link.size());
    // A link across a normalised line break or tab is not in the page as found.
    if (content.substr(begin, end - begin) != link || end >= content.size() ||
        content[end] != '"' || !standsAsLinkAttribute(content, begin)) {
      return;
    }
    spans.push_back({begin, end - begin, std::string(link)});
  });
  return spans;
}

}  // namespace murlo
