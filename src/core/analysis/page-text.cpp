#include "analysis/page-text.h"

#include <cstring>

namespace murlo {

PageText preparePageText(std::string content) {
  if (const void* nul = std::memchr(content.data(), '\0', content.size())) {
    content.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - content.data()));
  }
  // Detected before the normalisation: a CR that swallows the first byte of a UTF-8
  // character must not turn a UTF-8 page into one searched as CP932.
  PageText page{std::move(content), TextEncoding::Cp932};
  page.encoding = detectEncoding(page.text);
  normaliseWhiteSpace(page.text);
  return page;
}

void normaliseWhiteSpace(std::string& text) {
  // CR, LF and tab are never part of a CP932 or UTF-8 multi-byte character, so bytes are
  // enough. Read and write indexes share the buffer: a CR pair shrinks the text by one.
  std::size_t out = 0;
  const std::size_t size = text.size();
  for (std::size_t in = 0; in < size; ++in) {
    const char c = text[in];
    if (c == '\r') {
      ++in;  // the byte after the CR goes with it
      text[out++] = ' ';
    } else if (c == '\n' || c == '\t') {
      text[out++] = ' ';
    } else {
      text[out++] = c;
    }
  }
  text.resize(out);
}

}  // namespace murlo
