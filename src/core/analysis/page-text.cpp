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
  // enough. The text between two CRs moves down over the bytes the CR pairs freed, in one
  // pass with read and write indexes in the same buffer.
  char* const data = text.data();
  const std::size_t size = text.size();
  std::size_t out = 0;
  std::size_t in = 0;
  while (in < size) {
    const void* cr = std::memchr(data + in, '\r', size - in);
    const std::size_t end =
        cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : size;
    if (out != in) std::memmove(data + out, data + in, end - in);
    for (char* p = data + out; p != data + out + (end - in); ++p) {
      if (*p == '\n' || *p == '\t') *p = ' ';
    }
    out += end - in;
    if (!cr) break;
    data[out++] = ' ';
    in = end + 2;  // the byte after the CR goes with it
  }
  text.resize(out);
}

std::vector<std::size_t> collapsedCrSpaces(std::string_view text) {
  std::vector<std::size_t> spaces;
  for (std::size_t in = text.find('\r'); in != std::string_view::npos;
       in = in + 2 < text.size() ? text.find('\r', in + 2) : std::string_view::npos) {
    // A CR at the very end has no byte to swallow: its space takes its place alone.
    if (in + 1 >= text.size()) break;
    spaces.push_back(in - spaces.size());
  }
  return spaces;
}

}  // namespace murlo
