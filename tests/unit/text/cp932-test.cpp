#include "text/cp932.h"

#include <gtest/gtest.h>

namespace murlo {
namespace {

// "表" is 0x95 0x5C in CP932: its trail byte is the ASCII backslash. "ソ" (0x83 0x5C) and
// "ー" (0x81 0x5B) likewise hide ASCII bytes.
constexpr std::string_view kHyou = "\x95\x5C";

TEST(Cp932Search, SkipsTrailBytesThatLookLikeAscii) {
  const std::string text = std::string("a") + std::string(kHyou) + "\\b";
  EXPECT_EQ(findChar(text, '\\', TextEncoding::Cp932), 3u);
  EXPECT_EQ(findChar(text, '\\', TextEncoding::Utf8), 2u);
  EXPECT_EQ(findLastChar(std::string(kHyou), '\\', TextEncoding::Cp932), std::string_view::npos);
  // "@" (0x40) is the lowest trail byte: "\x81\x40" is the full-width space.
  EXPECT_EQ(findText("x\x81\x40@", "@", TextEncoding::Cp932), 3u);
}

TEST(Cp932Search, FindsPatternsOnlyAtCharacterBoundaries) {
  // The pattern "\x5C" + "a" appears across a character's trail byte; it must not match.
  const std::string text = std::string(kHyou) + "a" + "\\a";
  EXPECT_EQ(findText(text, "\\a", TextEncoding::Cp932), 3u);
  EXPECT_EQ(findText(text, "\\a", TextEncoding::Utf8), 1u);
  EXPECT_EQ(findText(text, "", TextEncoding::Cp932), 0u);
  // A lead byte at the very end has no trail byte; the search must not read past the end.
  EXPECT_EQ(findChar("ab\x81", 'x', TextEncoding::Cp932), std::string_view::npos);
  EXPECT_EQ(findText("ab\x81", "b\x81", TextEncoding::Cp932), 1u);
}

TEST(Cp932Search, DetectsTheEncodingOfASingleText) {
  // Valid UTF-8: searched byte by byte ("あ/" is E3 81 82 2F).
  EXPECT_EQ(findChar("\xE3\x81\x82/x", '/'), 3u);
  EXPECT_EQ(detectEncoding("\xE3\x81\x82"), TextEncoding::Utf8);
  EXPECT_EQ(detectEncoding(kHyou), TextEncoding::Cp932);
  EXPECT_EQ(detectEncoding("plain ascii"), TextEncoding::Utf8);
}

TEST(Utf8Validation, RejectsMalformedSequences) {
  EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80 emoji and 日本語 text"));
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(isValidUtf8("\xE3\x81"));          // cut short
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_FALSE(isValidUtf8("abcdefgh\x80"));      // stray continuation after the fast path
}

TEST(CaseFolding, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(equalsIgnoreAsciiCase("MailTo:", "mailto:"));
  EXPECT_FALSE(equalsIgnoreAsciiCase("\xC4", "\xE4"));  // Latin-1 letters are not folded
  EXPECT_EQ(compareIgnoreAsciiCase("abc", "ABD"), -1);
  EXPECT_EQ(compareIgnoreAsciiCase("B", "a"), 1);
  EXPECT_EQ(compareIgnoreAsciiCase("ab", "AB"), 0);
  EXPECT_EQ(compareIgnoreAsciiCase("ab", "abc"), -1);
  // Bytes above 0x7F compare as unsigned values, after every ASCII letter.
  EXPECT_EQ(compareIgnoreAsciiCase("\x81", "z"), 1);
}

TEST(Conversion, ConvertsUtf16AndCp932) {
  // "日本" in UTF-16LE, then in CP932.
  EXPECT_EQ(utf16leToCp932(std::string("\xE5\x65\x2C\x67", 4)), "\x93\xFA\x96\x7B");
  EXPECT_EQ(cp932ToUtf8("\x93\xFA\x96\x7B"), "日本");
  // A character CP932 lacks becomes "?", and an odd trailing byte does not stop the rest.
  EXPECT_EQ(utf16leToCp932(std::string("A\0\x3D\xD8\x00\xDE"
                                       "B\0",
                                       8))
                .substr(0, 1),
            "A");
  EXPECT_EQ(utf16leToCp932(std::string("A\0\x3D\xD8\x00\xDE"
                                       "B\0",
                                       8))
                .back(),
            'B');
  EXPECT_EQ(displayText("\x93\xFA"), "日");
  EXPECT_EQ(displayText("日"), "日");
}

}  // namespace
}  // namespace murlo
