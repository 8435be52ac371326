#include "text/terminal-text.h"

#include <gtest/gtest.h>

namespace murlo {
namespace {

TEST(TerminalText, EscapesControlsAndShowsItemTextsInTheTerminalsEncoding) {
  struct Case {
    std::string text;
    const char* codeset;
    std::string shown;
  };
  const Case cases[] = {
      // A title change and a colour, ESC and BEL, in a UTF-8 address.
      {"http://h/\x1b]0;pwned\x07\x1b[31m.jpg", "UTF-8",
       "http://h/\\x1b]0;pwned\\x07\\x1b[31m.jpg"},
      // The C1 control introducer CSI as a UTF-8 character, DEL, a tab inside a field.
      {"a\xC2\x9B"
       "2Jb\x7F\tc",
       "UTF-8", "a\\u009b2Jb\\x7f\\x09c"},
      // CP932 Japanese is decoded, with a control character among it.
      {"\x93\xFA\x96\x7B\x1b[2J.jpg", "UTF-8", "日本\\x1b[2J.jpg"},
      // Bytes that are neither UTF-8 nor CP932 stay visible as escapes.
      {"\x93\xFA\xFF\xFD.gif", "UTF-8", "日\\xff\\xfd.gif"},
      // The C locale's terminal gets UTF-8, like any.
      {"\x93\xFA", "ANSI_X3.4-1968", "日"},
      // Another locale encoding gets its own bytes.
      {"\x93\xFA\x96\x7B\x1b", "EUC-JP", "\xC6\xFC\xCB\xDC\\x1b"},
  };
  for (const Case& c : cases) EXPECT_EQ(itemTextForTerminal(c.text, c.codeset), c.shown) << c.text;
}

TEST(TerminalText, MessagesKeepTheirLineEndsAndEscapeTheRest) {
  EXPECT_EQ(messageForTerminal("http://h/\x1b[8m\r\nが見付かりません\r", "UTF-8"),
            "http://h/\\x1b[8m\nが見付かりません\\x0d");
  // A message is UTF-8: a stray byte is escaped rather than decoded as CP932.
  EXPECT_EQ(messageForTerminal("保存\x93", "UTF-8"), "保存\\x93");
  // What the terminal's encoding lacks becomes an escape of its code point.
  EXPECT_EQ(messageForTerminal("日本 \xE2\x82\xAC", "EUC-JP"), "\xC6\xFC\xCB\xDC \\u20ac");
}

}  // namespace
}  // namespace murlo
