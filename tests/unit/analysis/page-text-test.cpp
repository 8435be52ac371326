#include "analysis/page-text.h"

#include <gtest/gtest.h>

namespace murlo {
namespace {

std::string normalised(std::string text) {
  normaliseWhiteSpace(text);
  return text;
}

TEST(NormaliseWhiteSpace, CarriageReturnSwallowsTheNextByte) {
  EXPECT_EQ(normalised("a\r\nb"), "a b");
  EXPECT_EQ(normalised("a\rbc"), "a c");      // a lone CR loses the next line's first byte
  EXPECT_EQ(normalised("a\r\r\nb"), "a  b");  // the second CR is swallowed, the LF is not
  EXPECT_EQ(normalised("a\r"), "a ");
  EXPECT_EQ(normalised("\r\x82\xA0x"), " \xA0x");  // half a double-byte character goes too
  EXPECT_EQ(normalised("a\n\tb\n"), "a  b ");
  EXPECT_EQ(normalised(""), "");
}

TEST(PreparePageText, EndsAtTheFirstNulByte) {
  const PageText page = preparePageText(std::string("<a\r\nb\0c\r\n", 9));
  EXPECT_EQ(page.text, "<a b");
}

TEST(PreparePageText, DetectsTheEncodingBeforeTheNormalisation) {
  // "あい" in UTF-8 after a lone CR: the CR swallows the first byte of "あ", and what is left
  // would not be valid UTF-8 any more. The page is still searched as the UTF-8 it is.
  const PageText utf8 = preparePageText("x\r\xE3\x81\x82\xE3\x81\x84<");
  EXPECT_EQ(utf8.encoding, TextEncoding::Utf8);
  EXPECT_EQ(utf8.text, "x \x81\x82\xE3\x81\x84<");

  EXPECT_EQ(preparePageText("\x93\xFA\x96\x7B<").encoding, TextEncoding::Cp932);
  EXPECT_EQ(preparePageText("plain <ascii>").encoding, TextEncoding::Utf8);
}

}  // namespace
}  // namespace murlo
