#include "items/list-file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "sandbox.h"

namespace murlo {
namespace {

using test::Sandbox;

// Archive string with a one-byte length prefix.
std::string str(std::string_view s) {
  return std::string(1, static_cast<char>(s.size())) + std::string(s);
}

std::string int32(std::int32_t v) {
  std::string out;
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
  return out;
}

TEST(ListFile, ReadsVersionOneAndTwoFiles) {
  Sandbox box;
  const std::string v1 = str("MRL_LIST_HEADER") + int32(2) + str("dropped") + str("a.jpg") +
                         str("http://h/") + str("IMG") + str("jpg") + str("b.gif") +
                         str("http://h/") + str("ADD") + str("gif");
  ItemList list;
  const ListReadResult r1 = ReadList(list, box.write("v1.mrl", v1));
  EXPECT_TRUE(r1.ok());
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.text(1, kColFileName), "b.gif");
  EXPECT_EQ(list.text(1, kColInfo), "");
  EXPECT_EQ(list.text(1, kColReferrer), "");

  const std::string v2 = str("MRL2_LIST_HEADER") + int32(1) + str("c.zip") + str("http://h/") +
                         str("HREF") + str("zip") + str("Error : ");
  EXPECT_TRUE(ReadList(list, box.write("v2.mrl", v2)).ok());
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.text(2, kColInfo), "Error : ");
  EXPECT_EQ(list.text(2, kColReferrer), "");
}

TEST(ListFile, RejectsUnknownHeadersWithTheMessage) {
  Sandbox box;
  ItemList list;
  const auto result = ReadList(list, box.write("x.mrl", str("mrl3_list_header") + int32(0)));
  EXPECT_EQ(result.status, ListReadStatus::kNotListFile);
  EXPECT_EQ(listReadMessage(result, "x.mrl"), "指定のﾌｧｲﾙはMRLﾌｧｲﾙ形式ではありません");
  EXPECT_EQ(ReadList(list, box.path("missing.mrl")).status, ListReadStatus::kCannotOpen);
  EXPECT_EQ(ReadList(list, box.write("empty.mrl", "")).status, ListReadStatus::kNotListFile);
  EXPECT_EQ(list.count(), 0);
}

TEST(ListFile, BytesAfterTheCountedRowsAreReportedAndTheRowsReadStay) {
  Sandbox box;
  const std::string header = str("MRL3_LIST_HEADER");
  const std::string row =
      str("a.jpg") + str("http://h/") + str("IMG") + str("jpg") + str("") + str("");
  ItemList list;
  EXPECT_TRUE(ReadList(list, box.write("z.mrl", header + int32(0))).ok());
  // A count of zero or below reads no row, yet rows follow: the count is damaged.
  for (const std::int32_t count : {0, -1}) {
    const auto result = ReadList(list, box.write("n.mrl", header + int32(count) + row));
    EXPECT_EQ(result.status, ListReadStatus::kTrailingData) << count;
    EXPECT_EQ(listReadMessage(result, "n.mrl"),
              "n.mrl の最後のｱｲﾃﾑの後にﾃﾞｰﾀが残っています。ｱｲﾃﾑ数が壊れている可能性があります。");
  }
  EXPECT_EQ(list.count(), 0);
  const auto extra = ReadList(list, box.write("x.mrl", header + int32(1) + row + row));
  EXPECT_EQ(extra.status, ListReadStatus::kTrailingData);
  EXPECT_EQ(extra.rowsAdded, 1);
  EXPECT_EQ(list.text(0, kColFileName), "a.jpg");
}

TEST(ListFile, RefusesWhatIsNotARegularFileWithoutBlocking) {
  Sandbox box;
  ASSERT_EQ(::mkfifo(box.path("fifo.mrl").c_str(), 0600), 0);
  ItemList list;
  EXPECT_EQ(ReadList(list, box.path("fifo.mrl")).status, ListReadStatus::kCannotOpen);
  EXPECT_EQ(ReadList(list, box.dir()).status, ListReadStatus::kCannotOpen);
}

TEST(ListFile, RoundTripKeepsEveryByteAndResetsImages) {
  Sandbox box;
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes.push_back(static_cast<char>(b));
  const std::vector<std::size_t> sizes = {0, 1, 254, 255, 65534, 65535, 70000};
  ItemList list;
  for (std::size_t size : sizes) {
    std::string s;
    while (s.size() < size) s += allBytes;
    s.resize(size);
    // Every column gets a differently rotated copy, so columns cannot be confused.
    std::string cols[kColumnCount];
    for (int c = 0; c < kColumnCount; ++c) {
      cols[c] = s;
      if (!cols[c].empty())
        std::rotate(cols[c].begin(), cols[c].begin() + (c % cols[c].size()), cols[c].end());
    }
    // fileName and url must not be empty for the row to exist.
    ASSERT_TRUE(list.AddItem(cols[0] + "f", cols[1] + "u", cols[2], cols[3], cols[4], cols[5]));
  }
  list.setImage(0, kImageFailed);
  list.setSelected(1, true);
  const std::string path = box.path("round.mrl");
  ASSERT_TRUE(WriteList(list, path));

  ItemList back;
  ASSERT_TRUE(ReadList(back, path).ok());
  ASSERT_EQ(back.count(), list.count());
  for (int row = 0; row < list.count(); ++row) {
    for (int col = 0; col < kColumnCount; ++col) {
      EXPECT_EQ(back.text(row, col), list.text(row, col)) << "row " << row << " col " << col;
    }
    EXPECT_EQ(back.row(row).image, kImageWaiting);
    EXPECT_FALSE(back.row(row).selected);
  }
  // Reading the same file again appends: no duplicate test on reading.
  ASSERT_TRUE(ReadList(back, path).ok());
  EXPECT_EQ(back.count(), 2 * list.count());
}

TEST(ListFile, LengthPrefixesFollowTheArchiveRules) {
  Sandbox box;
  ItemList list;
  ASSERT_TRUE(list.AddItem(std::string(254, 'a'), std::string(255, 'b'), std::string(65534, 'c'),
                           std::string(65535, 'd'), "", ""));
  const std::string data = serializeList(list);
  std::size_t pos = 17 + 4;  // header string and count
  EXPECT_EQ(data.substr(0, 17), str("MRL3_LIST_HEADER"));
  EXPECT_EQ(static_cast<unsigned char>(data[pos]), 254);
  pos += 1 + 254;
  EXPECT_EQ(data.substr(pos, 3), std::string("\xFF\xFF\x00", 3));  // 0xFF then 255 as 16 bits
  pos += 3 + 255;
  EXPECT_EQ(data.substr(pos, 7), std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7));  // 65534: 32 bits
  pos += 7 + 65534;
  EXPECT_EQ(data.substr(pos, 7), std::string("\xFF\xFF\xFF\xFF\xFF\x00\x00", 7));
}

TEST(ListFile, ReadsUtf16StringsIntoCp932) {
  Sandbox box;
  // 0xFF 0xFFFE marks UTF-16; then a one-byte count of 16-bit units: "日本.jpg".
  const std::string utf16Name = std::string("\xFF\xFE\xFF\x06\xE5\x65\x2C\x67.\0j\0p\0g\0", 16);
  const std::string file = str("MRL3_LIST_HEADER") + int32(1) + utf16Name + str("http://h/") +
                           str("ADD") + str("jpg") + str("") + str("");
  ItemList list;
  ASSERT_TRUE(ReadList(list, box.write("u.mrl", file)).ok());
  EXPECT_EQ(list.text(0, kColFileName), "\x93\xFA\x96\x7B.jpg");
}

TEST(ListFile, TruncatedFileKeepsTheRowsReadAndReportsIt) {
  Sandbox box;
  const std::string item =
      str("a.jpg") + str("http://h/") + str("IMG") + str("jpg") + str("") + str("");
  const std::string full = str("MRL3_LIST_HEADER") + int32(3) + item + item + item;
  // Cut inside the third record, then inside a string of it.
  for (std::size_t cut : {full.size() - 1, full.size() - 9}) {
    ItemList list;
    const auto result = ReadList(list, box.write("t.mrl", full.substr(0, cut)));
    EXPECT_EQ(result.status, ListReadStatus::kTruncated);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(listReadMessage(result, "t.mrl"), "t.mrl の末尾以降にｱｸｾｽしようとしました。");
  }
}

TEST(ListFile, HugeCountsAndLengthsNeverOutgrowTheFile) {
  Sandbox box;
  ItemList list;
  // A count of two billion with one record, and a 32-bit length of 4 GiB - 1.
  const std::string item = str("a.jpg") + str("http://h/") + str("") + str("") + str("") + str("");
  EXPECT_EQ(
      ReadList(list, box.write("c.mrl", str("MRL3_LIST_HEADER") + int32(0x7FFFFFFF) + item)).status,
      ListReadStatus::kTruncated);
  EXPECT_EQ(list.count(), 1);
  const std::string hugeString = std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + "abc";
  EXPECT_EQ(
      ReadList(list, box.write("l.mrl", str("MRL3_LIST_HEADER") + int32(1) + hugeString)).status,
      ListReadStatus::kTruncated);
  const std::string hugeUtf16 = std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 10) + "ab";
  EXPECT_EQ(
      ReadList(list, box.write("w.mrl", str("MRL3_LIST_HEADER") + int32(1) + hugeUtf16)).status,
      ListReadStatus::kTruncated);
  EXPECT_EQ(list.count(), 1);
}

TEST(ListFile, RecordsWithoutNameOrAddressAreSkipped) {
  Sandbox box;
  const std::string file = str("MRL3_LIST_HEADER") + int32(2) + str("") + str("http://h/") +
                           str("") + str("") + str("") + str("") + str("b.gif") + str("http://h/") +
                           str("") + str("") + str("") + str("");
  ItemList list;
  const auto result = ReadList(list, box.write("s.mrl", file));
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.rowsAdded, 1);
  EXPECT_EQ(list.text(0, kColFileName), "b.gif");
}

TEST(ListFile, WritingNeverDestroysTheEarlierFile) {
  Sandbox box;
  const std::string path = box.write("keep.mrl", "earlier contents");
  ItemList empty;
  EXPECT_FALSE(WriteList(empty, path));
  EXPECT_EQ(box.read("keep.mrl"), "earlier contents");

  // A folder we cannot write into: the write fails and leaves no temporary file.
  ItemList list;
  ASSERT_TRUE(list.AddItem("a.gif", "http://h/", "", "", "", ""));
  EXPECT_FALSE(WriteList(list, box.path("no-such-dir/x.mrl")));
  EXPECT_TRUE(WriteList(list, path));
  ItemList back;
  EXPECT_TRUE(ReadList(back, path).ok());
  EXPECT_EQ(back.count(), 1);
}

}  // namespace
}  // namespace murlo
