#include "analysis/forward-search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace murlo::test {
namespace {

// The character starts of `text` in `encoding`: every byte, or every byte that is not the
// trail byte of a CP932 character.
std::vector<std::size_t> characterStarts(const std::string& text, TextEncoding encoding) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i <= text.size();) {
    starts.push_back(i);
    const bool lead = i < text.size() && isCp932LeadByte(static_cast<unsigned char>(text[i]));
    i += encoding == TextEncoding::Cp932 && lead ? 2 : 1;
  }
  return starts;
}

// The remembered match must always be the one a fresh search from the same start finds, on
// random texts of markup and double-byte characters (some hiding a quote or "<" as their
// trail byte), with starts that stay put or move forward by one or more characters.
TEST(ForwardSearch, GivesWhatAFreshSearchGives) {
  const std::vector<std::string> pieces = {"<",      "\"",    " ",        "a",
                                           "href",   "HREF",  "src",      "\x81",
                                           "\x81\"", "\x81<", "\x83\x5C", "\xE3\x81\x82"};
  const std::vector<std::string> patterns = {"<", "\"", " ", "href", "HREF", "src", "\\"};
  std::mt19937 rng(20240607);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (std::size_t n = rng() % 40; n > 0; --n) text += pieces[rng() % pieces.size()];
    for (const TextEncoding encoding : {TextEncoding::Cp932, TextEncoding::Utf8}) {
      const std::vector<std::size_t> starts = characterStarts(text, encoding);
      for (const std::string& pattern : patterns) {
        ForwardSearch search(text, pattern, encoding);
        for (std::size_t k = rng() % 3; k < starts.size(); k += rng() % 3) {
          ASSERT_EQ(search.find(starts[k]), findText(text, pattern, encoding, starts[k]))
              << testing::PrintToString(text) << " pattern " << pattern << " from " << starts[k];
        }
      }
    }
  }
}

}  // namespace
}  // namespace murlo::test
