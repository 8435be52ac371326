#include "analysis/number-range.h"

#include <gtest/gtest.h>

#include <climits>

namespace murlo {
namespace {

std::vector<int> numbers(std::string_view text, int increment) {
  std::vector<int> out;
  const NumberRange range = parseNumberRange(text);
  forEachNumber(range, increment, [&](int n) { out.push_back(n); });
  EXPECT_EQ(countNumbers(range, increment), out.size()) << text;
  return out;
}

TEST(NumberRange, FormIsCheckedBeforeParsing) {
  for (const char* good : {"1-20,25", "1,3", "0-2", ",3", "1--3", "1-3-5", "a-b"}) {
    EXPECT_TRUE(isRangeForm(good)) << good;
  }
  for (const char* bad : {"", "5", "12 ", "1-", ",3,", "1-3,", "-"}) {
    EXPECT_FALSE(isRangeForm(bad)) << bad;
  }
}

TEST(NumberRange, TokensReadAsLeadingIntegers) {
  struct Case {
    const char* text;
    NumberRange expected;
  };
  const Case cases[] = {
      {"1-20,25", {{1, 20}, {25, 25}}},
      {"3,1,3", {{3, 3}, {1, 1}, {3, 3}}},
      {" 7 ,+8,9x,x9", {{7, 7}, {8, 8}, {9, 9}, {0, 0}}},  // blanks, sign, stop at a letter
      {"1,,3", {{1, 1}, {0, 0}, {3, 3}}},                  // empty token reads 0
      {"1-,3", {{1, 0}, {3, 3}}},                          // a range ending at an empty token
      {"1-3-5", {{1, 5}}},                                 // a chain is one range
      {"1--3", {{1, 3}}},
      {"5-3-8,2", {{5, 8}, {2, 2}}},
      {"0-99999999999", {{0, INT_MAX}}},  // clamped, not wrapped
      {"4294967297", {{INT_MAX, INT_MAX}}},
  };
  for (const Case& c : cases) EXPECT_EQ(parseNumberRange(c.text), c.expected) << c.text;
}

TEST(NumberRange, RangesWalkByTheIncrement) {
  EXPECT_EQ(numbers("1-3,7", 1), (std::vector<int>{1, 2, 3, 7}));
  EXPECT_EQ(numbers("1-10", 3), (std::vector<int>{1, 4, 7, 10}));
  EXPECT_EQ(numbers("1-9", 3), (std::vector<int>{1, 4, 7}));
  EXPECT_EQ(numbers("10-5", 1), (std::vector<int>{}));
  EXPECT_EQ(numbers("10-5,6", 1), (std::vector<int>{6}));
  EXPECT_EQ(numbers("0-2", 1), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(numbers("3,1,3", 1), (std::vector<int>{3, 1, 3}));
  EXPECT_EQ(numbers("1-5", 0), (std::vector<int>{}));
}

TEST(NumberRange, NegativeIncrementCountsDownAndEnds) {
  EXPECT_EQ(numbers("10-5", -2), (std::vector<int>{10, 8, 6}));
  EXPECT_EQ(numbers("1-5,4", -1), (std::vector<int>{4}));  // an upward range yields nothing
  EXPECT_EQ(numbers("2,0-0", INT_MIN), (std::vector<int>{2, 0}));
}

TEST(NumberRange, HugeRangesAreCountedWithoutWalkingAndNeverOverflow) {
  EXPECT_EQ(countNumbers(parseNumberRange("0-99999999999"), 1), std::uint64_t{INT_MAX} + 1);
  EXPECT_EQ(countNumbers(parseNumberRange("0-99999999999,0-99999999999"), 1),
            2 * (std::uint64_t{INT_MAX} + 1));
  EXPECT_EQ(countNumbers(parseNumberRange("99999999999-0"), INT_MIN), 1u);
  // The last steps near the top of the int range.
  EXPECT_EQ(numbers("2147483640-99999999999", 5), (std::vector<int>{2147483640, 2147483645}));
  EXPECT_EQ(numbers("2147483647-2147483647", INT_MAX), (std::vector<int>{INT_MAX}));
}

TEST(FormatNumber, PadsToDigitsPlusOneAndReplacesTheFirstAmpersand) {
  struct Case {
    const char* format;
    int number;
    int digits;
    const char* name;
  };
  const Case cases[] = {
      {"img&.jpg", 7, 0, "img7.jpg"},
      {"img&.jpg", 7, 2, "img007.jpg"},
      {"img&.jpg", 12, 2, "img012.jpg"},
      {"img&.jpg", 100, 2, "img100.jpg"},
      {"img&.jpg", 1234, 2, "img1234.jpg"},
      {"&", 0, 0, "0"},
      {"&", 0, 1, "00"},
      {"&", 5, 10, "00000000005"},
      {"a&b&", 1, 0, "a1b&"},
      {"noamp", 3, 2, "noamp"},
      {"&", INT_MAX, 0, "2147483647"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatNumber(c.format, c.number, c.digits), c.name)
        << c.format << " " << c.number << " " << c.digits;
  }
}

}  // namespace
}  // namespace murlo
