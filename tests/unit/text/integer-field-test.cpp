#include "text/integer-field.h"

#include <gtest/gtest.h>

namespace murlo {
namespace {

TEST(IntegerField, AcceptsOnlyAWholeSignedInteger) {
  for (const auto& [text, value] : {std::pair{"1", 1},
                                    {" -3 ", -3},
                                    {"+7", 7},
                                    {"\t0\n", 0},
                                    {"-2147483648", INT_MIN},
                                    {"2147483647", INT_MAX}}) {
    const IntegerField f = readIntegerField(text);
    EXPECT_TRUE(f.ok) << text;
    EXPECT_EQ(f.value, value) << text;
    EXPECT_EQ(f.error, "") << text;
  }
  for (const char* text : {"", " ", "abc", "1a", "1 2", "+", "-", "+-1", "--1", "1.5", "2147483648",
                           "-2147483649", "0x10"}) {
    const IntegerField f = readIntegerField(text);
    EXPECT_FALSE(f.ok) << text;
    EXPECT_EQ(f.error, "整数を入力してください。") << text;
  }
}

TEST(IntegerField, OutOfRangeNamesTheBounds) {
  EXPECT_TRUE(readIntegerField("10", 0, 10).ok);
  EXPECT_TRUE(readIntegerField("0", 0, 10).ok);
  for (const char* text : {"11", "-1"}) {
    const IntegerField f = readIntegerField(text, 0, 10);
    EXPECT_FALSE(f.ok) << text;
    EXPECT_EQ(f.error, "0 から 10 までの整数を入力してください。") << text;
  }
  EXPECT_EQ(readIntegerField("x", 0, 10).error, "整数を入力してください。");
}

}  // namespace
}  // namespace murlo
