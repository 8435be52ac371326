// Feeds arbitrary bytes to both link scanners and addLink. The first byte gives the Tag
// bits and the extension classes; the bytes up to the first 0x01 are the page address and
// the rest is the page file's content. The places of the tag links in the content are
// checked, and rewriting them for browsing from disk.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "analysis/html-link-finder.h"
#include "analysis/html-link-spans.h"
#include "analysis/link-resolver.h"
#include "analysis/link-rewriter.h"
#include "analysis/page-text.h"
#include "analysis/string-scanner.h"
#include "analysis/tag-link-spans.h"
#include "analysis/tag-scanner.h"
#include "items/item-list.h"
#include "jobs/local-links.h"

namespace {

// Every reported link must be a piece of the scanned text, and every item must be complete.
void check(const murlo::PageText& page, std::string_view link, std::string_view tag) {
  const char* begin = page.text.data();
  if (link.data() < begin || link.data() + link.size() > begin + page.text.size()) std::abort();
  if (tag != "IMG" && tag != "HREF" && tag != "BODY" && tag != "FRAME" && tag != "ALL") {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = input.find('\x01');
  const std::string_view address =
      split == std::string_view::npos ? "http://host/dir/page.htm" : input.substr(0, split);
  const std::string_view content =
      split == std::string_view::npos ? input : input.substr(split + 1);

  murlo::AppSettings settings;
  settings.tag = data[0] & 0x0F;
  settings.downEx = (data[0] & 0x10) != 0 ? 0x3FFF : 121;
  settings.extend = "mid;tar.gz;;\x83\x5C";
  murlo::ItemList list;
  const murlo::LinkSink sink{list, settings};
  const murlo::PageText page = murlo::preparePageText(std::string(content));
  const auto found = [&](std::string_view link, std::string_view tag) {
    check(page, link, tag);
    murlo::addLink(sink, link, address, tag);
  };
  murlo::findTagLinks(page, settings, found);
  murlo::findHttpStrings(page, found);
  murlo::findHtmlLinks(content, settings, [&](const murlo::HtmlLink& link) {
    if (link.address.empty()) std::abort();
    murlo::addFinderLink(sink, link.address, address, link.tag,
                         {(data[0] & 0x20) != 0 ? "http://base/b/" : "", link.imagePlace});
  });

  for (int row = 0; row < list.count(); ++row) {
    if (list.text(row, murlo::kColFileName).empty() || list.text(row, murlo::kColUrl).empty()) {
      std::abort();
    }
    if (list.text(row, murlo::kColReferrer) != address) std::abort();
  }

  // Each place holds its link, and links written back as they are change no byte.
  const std::vector<murlo::LinkSpan> spans = murlo::findTagLinkSpans(content);
  for (const murlo::LinkSpan& span : spans) {
    if (span.offset > content.size() || content.substr(span.offset, span.length) != span.link) {
      std::abort();
    }
  }
  const std::string pagePath = "/save/dir/page.htm";
  const murlo::LocalLinks local({{std::string(address), pagePath, true}});
  const murlo::LinkReplacement same = [&](const murlo::LinkSpan& span) {
    static_cast<void>(local.replacement(span, address, pagePath));
    return span.link;
  };
  if (murlo::rewriteLinks(content, spans, same) != content) std::abort();

  // The HTML finder's places lie in the page and, unless written with character references
  // or with line breaks inside, hold their link.
  const std::vector<murlo::LinkSpan> htmlSpans = murlo::findHtmlLinkSpans(content);
  for (const murlo::LinkSpan& span : htmlSpans) {
    if (span.offset > content.size() || span.length > content.size() - span.offset ||
        (!span.characterReferences && span.length == span.link.size() &&
         content.substr(span.offset, span.length) != span.link)) {
      std::abort();
    }
  }
  // Rewriting them against a base of any shape never fails.
  static_cast<void>(murlo::rewriteLinks(content, htmlSpans, same));
  return 0;
}
