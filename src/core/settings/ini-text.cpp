#include "settings/ini-text.h"

#include "text/cp932.h"

namespace murlo {

std::string iniTextToUtf8(std::string_view stored) {
  return isValidUtf8(stored) ? std::string(stored) : cp932ToUtf8(stored);
}

std::string utf8ToIniText(std::string_view text) {
  if (!isValidUtf8(text)) return std::string(text);
  std::string cp932 = utf8ToCp932(text);
  const bool lossless = cp932ToUtf8(cp932) == text;
  // CP932 bytes that are valid UTF-8 would be read back as UTF-8: only ASCII may be both.
  const bool readsBack = cp932 == text || !isValidUtf8(cp932);
  return lossless && readsBack ? cp932 : std::string(text);
}

}  // namespace murlo
