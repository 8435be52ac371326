#include "analysis/add-item-request.h"

#include <gtest/gtest.h>

#include "items/item-record.h"

namespace murlo {
namespace {

AddItemRequest series(const char* range, const char* format, int increment = 1, int digits = 0) {
  AddItemRequest r;
  r.address = "http://h.jp/pics/top.htm";
  r.referrer = "http://h.jp/";
  r.useRange = true;
  r.baseAddress = "http://h.jp/pics/";
  r.increment = increment;
  r.digits = digits;
  r.rangeText = range;
  r.fileFormat = format;
  return r;
}

// The rows the request adds to an empty list: "name|url|tag|extension|info|referrer;".
std::string added(const AddItemRequest& request) {
  const AddItemCheck check = checkAddItemRequest(request);
  EXPECT_EQ(check.error, "");
  ItemList list;
  int notices = 0;
  list.setChangeListener([&] { ++notices; });
  const int count = addRequestedItems(list, request, check.range);
  EXPECT_EQ(count, list.count());
  EXPECT_EQ(static_cast<std::uint64_t>(list.count()), check.itemCount);
  EXPECT_LE(notices, 1);  // one refresh for the whole series
  std::string out;
  for (int i = 0; i < list.count(); ++i) {
    const ItemRecord& r = list.row(i);
    out += r.fileName + "|" + r.url + "|" + r.tag + "|" + r.extension + "|" + r.info + "|" +
           r.referrer + ";";
  }
  return out;
}

TEST(AddItemRequest, ChecksRunInOrderAndStopAtTheFirstFailure) {
  struct Case {
    AddItemRequest request;
    const char* error;
  };
  AddItemRequest noSlash = series("", "");
  noSlash.address = "h.jp";
  AddItemRequest plainNoSlash;
  plainNoSlash.address = "h.jp";
  const Case cases[] = {
      {noSlash, "指定のｱﾄﾞﾚｽが不正です"},
      {plainNoSlash, "指定のｱﾄﾞﾚｽが不正です"},
      {series("", "", 0), "ｲﾝｸﾘﾒﾝﾄ値に 0 は指定できません"},
      {series("", ""), "数値範囲が指定されていません"},
      {series("5", ""), "数値範囲の書式が不正です"},
      {series("1-", "x"), "数値範囲の書式が不正です"},
      {series(",3,", "x"), "数値範囲の書式が不正です"},
      {series("1-3", ""), "ﾌｧｲﾙ書式が指定されていません"},
      {series("1-3", "img.jpg"), "ﾌｧｲﾙ書式が不正です"},
      {series("0-1000000", "&"), "一度に追加できるｱｲﾃﾑは 1000000 個までです"},
      {series("0-99999999999", "&"), "一度に追加できるｱｲﾃﾑは 1000000 個までです"},
      {series("0-999999", "&"), ""},
      {series("5", "", 0), "ｲﾝｸﾘﾒﾝﾄ値に 0 は指定できません"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(checkAddItemRequest(c.request).error, c.error) << c.request.rangeText;
  }
  EXPECT_EQ(checkAddItemRequest(series("0-999999", "&")).itemCount, 1000000u);
  // Without the series only the address counts.
  AddItemRequest plain = series("5", "");
  plain.useRange = false;
  EXPECT_EQ(checkAddItemRequest(plain).error, "");
  EXPECT_EQ(checkAddItemRequest(plain).itemCount, 1u);
}

TEST(AddItemRequest, OneAddressIsSplitAtItsLastSlash) {
  AddItemRequest r;
  r.referrer = "http://ref/";
  r.address = "http://h.jp/dir/readme";
  EXPECT_EQ(added(r), "readme|http://h.jp/dir/|ADD|readme||http://ref/;");
  r.address = "http://h.jp/dir/";
  EXPECT_EQ(added(r), "(index.htm)|http://h.jp/dir/|ADD|||http://ref/;");
  r.address = "http://h.jp/a.tar.gz";
  EXPECT_EQ(added(r), "a.tar.gz|http://h.jp/|ADD|tar.gz||http://ref/;");
}

TEST(AddItemRequest, SeriesGoesIntoTheBaseInRangeOrder) {
  EXPECT_EQ(added(series("1-3,7", "img&.jpg")),
            "img1.jpg|http://h.jp/pics/|ADD|jpg||http://h.jp/;"
            "img2.jpg|http://h.jp/pics/|ADD|jpg||http://h.jp/;"
            "img3.jpg|http://h.jp/pics/|ADD|jpg||http://h.jp/;"
            "img7.jpg|http://h.jp/pics/|ADD|jpg||http://h.jp/;");
  EXPECT_EQ(added(series("3,1,3", "&.gif", 1, 1)),
            "03.gif|http://h.jp/pics/|ADD|gif||http://h.jp/;"
            "01.gif|http://h.jp/pics/|ADD|gif||http://h.jp/;"
            "03.gif|http://h.jp/pics/|ADD|gif||http://h.jp/;");
  // The extension is the formatted name's: a number after the last dot is the extension.
  EXPECT_EQ(added(series("8,9", "part.&")),
            "part.8|http://h.jp/pics/|ADD|8||http://h.jp/;"
            "part.9|http://h.jp/pics/|ADD|9||http://h.jp/;");
  EXPECT_EQ(added(series("1,2", "v&")),
            "v1|http://h.jp/pics/|ADD|||http://h.jp/;"
            "v2|http://h.jp/pics/|ADD|||http://h.jp/;");
  EXPECT_EQ(added(series("10-5", "&.jpg")), "");
}

TEST(AddItemRequest, PreviewAlwaysShowsZeroOneAndTwo) {
  EXPECT_EQ(formatPreview(series("100-200", "img&.jpg", 5, 2)), "img000.jpg img001.jpg img002.jpg");
  EXPECT_EQ(manyItemsQuestion(20001), "20001 個のｱｲﾃﾑを追加します。よろしいですか？");
}

TEST(AddItemRequest, BaseAddressIsTheDirectory) {
  EXPECT_EQ(baseAddressOf("http://h.jp/a/b.htm"), "http://h.jp/a/");
  EXPECT_EQ(baseAddressOf("http://h.jp/a/"), "http://h.jp/a/");
  EXPECT_EQ(baseAddressOf("h.jp"), std::nullopt);
  EXPECT_EQ(baseAddressOf(""), std::nullopt);
}

}  // namespace
}  // namespace murlo
