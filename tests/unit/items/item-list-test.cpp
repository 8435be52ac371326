#include "items/item-list.h"

#include <gtest/gtest.h>

#include <functional>

namespace murlo {
namespace {

void add(ItemList& list, const std::string& file, const std::string& url,
         const std::string& tag = "ADD") {
  ASSERT_TRUE(list.AddItem(file, url, tag, "", "", ""));
}

std::vector<std::string> files(const ItemList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.count(); ++i) out.push_back(list.text(i, kColFileName));
  return out;
}

TEST(ItemList, AddItemRefusesRowsWithoutNameOrAddress) {
  ItemList list;
  int changes = 0;
  list.setChangeListener([&] { ++changes; });
  EXPECT_FALSE(list.AddItem("a.jpg", "", "ADD", "jpg", "", ""));
  EXPECT_FALSE(list.AddItem("", "http://h/", "ADD", "", "", ""));
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(list.AddItem("a.jpg", "http://h/", "", "", "", ""));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.row(0).image, kImageWaiting);
  EXPECT_EQ(list.row(0).stateImage, 1);
  // A name longer than 255 bytes is kept whole.
  const std::string longName(300, 'n');
  EXPECT_TRUE(list.AddItem(longName, "http://h/", "", "", "", ""));
  EXPECT_EQ(list.text(1, kColFileName), longName);
}

TEST(ItemList, FindPrevSelectedScansDownFromCountMinusSkip) {
  ItemList list;
  for (int i = 0; i < 5; ++i) add(list, "f" + std::to_string(i) + ".gif", "http://h/");
  EXPECT_EQ(list.FindPrevSelected(1), -1);
  list.setSelected(1, true);
  list.setSelected(3, true);
  EXPECT_EQ(list.FindPrevSelected(1), 3);
  EXPECT_EQ(list.FindPrevSelected(2), 3);
  EXPECT_EQ(list.FindPrevSelected(3), 1);
  EXPECT_EQ(list.FindPrevSelected(0), 3);  // starts at the last row, never past it
  EXPECT_EQ(list.FindPrevSelected(9), -1);
  EXPECT_EQ(list.selectedCount(), 2);
}

TEST(ItemList, RemoveDuplicatesKeepsFirstOccurrenceOfUrlAndName) {
  ItemList list;
  add(list, "a.gif", "http://h/x/", "IMG");
  add(list, "a.gif", "http://h/X/", "IMG");  // url differs in case: not a duplicate
  add(list, "b.gif", "http://h/x/", "IMG");
  add(list, "a.gif", "http://h/x/", "HREF");  // same url and name, other tag: duplicate
  add(list, "A.gif", "http://h/x/", "IMG");   // name differs in case
  add(list, "b.gif", "http://h/x/", "ALL");
  add(list, "a.gif", "http://h/x/", "DROP");
  int changes = 0;
  list.setChangeListener([&] { ++changes; });
  EXPECT_TRUE(list.RemoveDuplicates());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(files(list), (std::vector<std::string>{"a.gif", "a.gif", "b.gif", "A.gif"}));
  EXPECT_EQ(list.text(0, kColTag), "IMG");
  EXPECT_EQ(list.text(1, kColUrl), "http://h/X/");
  EXPECT_FALSE(list.RemoveDuplicates());
  EXPECT_EQ(changes, 1);
}

TEST(ItemList, RemoveDuplicatesDoesNotConfuseSplitPoints) {
  // url + fileName concatenate to the same text, yet the rows differ.
  ItemList list;
  add(list, "b/c.htm", "http://h/a/");
  add(list, "c.htm", "http://h/a/b/");
  EXPECT_FALSE(list.RemoveDuplicates());
  EXPECT_EQ(list.count(), 2);
}

TEST(ItemList, KeepContainingTestsTheUrlFromTheLastRowDownToTheFirstRow) {
  ItemList list;
  add(list, "keep0.htm", "http://other/");       // row 0: before the first row, untouched
  add(list, "dir.htm", "http://h/abc/");         // abc in the directory part
  add(list, "host.htm", "http://abc.example/");  // abc in the host name
  add(list, "upper.htm", "http://h/ABC/");       // only ABC: deleted
  add(list, "abc.htm", "http://h/x/");           // abc only in the file name: deleted
  add(list, "short.htm", "ab");                  // shorter than the text
  list.KeepContaining("abc", 1);
  EXPECT_EQ(files(list), (std::vector<std::string>{"keep0.htm", "dir.htm", "host.htm"}));
  list.KeepContaining("", 0);
  EXPECT_EQ(list.count(), 3);
  list.KeepContaining("zzz", 99);  // a first row past the end changes nothing
  EXPECT_EQ(list.count(), 3);
  list.KeepContaining("abc", -5);
  EXPECT_EQ(list.count(), 2);
}

TEST(ItemList, ColumnSortFoldsAsciiAndKeepsTiesInOrder) {
  ItemList list;
  add(list, "b.gif", "http://h/", "T1");
  add(list, "A.gif", "http://h/", "T2");
  add(list, "a.gif", "http://h/", "T3");
  add(list, "\x83\x41.gif", "http://h/", "T4");  // CP932 bytes sort after ASCII
  add(list, "B.gif", "http://h/", "T5");
  ColumnSortState state;
  list.sortByColumn(kColFileName, state.click(kColFileName));
  auto tags = [&] {
    std::string out;
    for (int i = 0; i < list.count(); ++i) out += list.text(i, kColTag);
    return out;
  };
  EXPECT_EQ(tags(), "T2T3T1T5T4");
  list.sortByColumn(kColFileName, state.click(kColFileName));
  EXPECT_EQ(tags(), "T4T1T5T2T3");  // descending; ties keep their current order
  list.sortByColumn(kColFileName, state.click(kColFileName));
  EXPECT_EQ(tags(), "T2T3T1T5T4");
  EXPECT_FALSE(state.click(kColTag));  // another column starts ascending
}

TEST(ItemList, RowsKeepTheirIdentityThroughDeletesAndMoves) {
  ItemList list;
  add(list, "a.gif", "http://h/");
  add(list, "b.gif", "http://h/");
  add(list, "c.gif", "http://h/");
  const auto idC = list.row(2).id;
  list.setImage(0, kImageFailed);
  list.swapTexts(1, 2);
  EXPECT_EQ(list.findById(idC), 1);
  EXPECT_EQ(list.text(1, kColFileName), "c.gif");
  list.deleteRow(0);
  EXPECT_EQ(list.findById(idC), 0);
  list.deleteIf([](const ItemRecord& r) { return r.fileName == "c.gif"; });
  EXPECT_EQ(list.findById(idC), -1);
  EXPECT_THROW(list.deleteRow(5), std::out_of_range);
}

// The revision tells a caller whether the rows it saw are still there as they were.
TEST(ItemList, RevisionCountsEveryChangeButAppendsImagesAndSelections) {
  ItemList list;
  const auto start = list.revision();
  add(list, "a.gif", "http://h/");
  add(list, "b.gif", "http://h/");
  add(list, "a.gif", "http://h/");
  list.setImage(0, kImageFailed);
  list.setSelected(1, true);
  EXPECT_EQ(list.revision(), start);
  EXPECT_TRUE(list.RemoveDuplicates());
  const std::vector<std::function<void()>> edits = {
      [&] { list.setText(0, kColUrl, "http://g/"); },
      [&] { list.swapTexts(0, 1); },
      [&] { list.sortByColumn(kColFileName, true); },
      [&] { list.KeepContaining("http://h/", 0); },
      [&] { list.deleteRow(0); },
      [&] { list.deleteIf([](const ItemRecord&) { return true; }); },
  };
  auto last = list.revision();
  EXPECT_NE(last, start);
  for (const auto& edit : edits) {
    add(list, "c.gif", "http://h/");
    add(list, "d.gif", "http://h/");
    edit();
    EXPECT_NE(list.revision(), last);
    last = list.revision();
  }
}

TEST(ItemList, BatchSendsOneNotification) {
  ItemList list;
  int changes = 0;
  list.setChangeListener([&] { ++changes; });
  {
    ItemList::Batch batch(list);
    add(list, "a.gif", "http://h/");
    add(list, "b.gif", "http://h/");
    EXPECT_EQ(changes, 0);
  }
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(itemCountText(list.count()), "ｱｲﾃﾑ数 ： 2");
}

TEST(ItemList, SelectedCountFollowsSelectionsAndEveryKindOfDelete) {
  ItemList list;
  for (const char* name : {"a", "b", "a", "c", "d", "e"}) add(list, name, "http://h/x/");
  for (int row : {0, 1, 2, 3, 5}) list.setSelected(row, true);
  list.setSelected(1, true);  // twice counts once
  list.setSelected(3, false);
  EXPECT_EQ(list.selectedCount(), 4);
  list.RemoveDuplicates();  // the second "a"
  EXPECT_EQ(list.selectedCount(), 3);
  list.deleteRow(0);
  EXPECT_EQ(list.selectedCount(), 2);
  list.deleteIf([](const ItemRecord& r) { return r.fileName == "e"; });
  EXPECT_EQ(list.selectedCount(), 1);
  list.KeepContaining("other", 0);
  EXPECT_EQ(list.selectedCount(), 0);
  add(list, "f", "http://h/");
  list.setSelected(0, true);
  list.deleteAll();
  EXPECT_EQ(list.selectedCount(), 0);
}

TEST(ItemRecord, FullAddressDropsTheIndexMarker) {
  ItemRecord r;
  r.url = "http://host/dir/";
  r.fileName = kIndexMarker;
  EXPECT_EQ(fullAddress(r), "http://host/dir/");
  r.fileName = "(INDEX.HTM)";  // the marker comparison is exact
  EXPECT_EQ(fullAddress(r), "http://host/dir/(INDEX.HTM)");
}

}  // namespace
}  // namespace murlo
