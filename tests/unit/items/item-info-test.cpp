#include "items/item-info.h"

#include <gtest/gtest.h>

namespace murlo {
namespace {

const std::string kDone = "\x8A\xAE\x97\xB9";  // "完了" in CP932

TEST(ItemInfo, ProgressTextsUseKilobytesAndCp932) {
  EXPECT_EQ(progressInfo(0, 0), "0 KB " + kDone + " : ");
  EXPECT_EQ(progressInfo(5000, 1023), "4 KB " + kDone + " : ");
  EXPECT_EQ(progressInfo(2048, 1024), "2 KB/ 1 KB  " + kDone + " : ");
  // Files over 4 GiB keep their true size.
  EXPECT_EQ(progressInfo(5LL << 30, 6LL << 30), "5242880 KB/ 6291456 KB  " + kDone + " : ");
}

std::string names(const ItemList& list) {
  std::string out;
  for (int i = 0; i < list.count(); ++i) out += list.text(i, kColFileName) + ";";
  return out;
}

TEST(ItemInfo, FiltersDeleteWholeClassesOfRows) {
  const std::string finished = "3 KB " + kDone + " : ";
  const std::string suspended = "3 KB/ 9 KB  " + kDone + " : /dl/a.zip";
  auto make = [&] {
    ItemList list;
    list.AddItem("a.JPG", "http://h/", "IMG", "JPG", "", "");
    list.AddItem("b.jpeg", "http://h/", "IMG", "jpeg", finished, "");
    list.AddItem("(index.htm)", "http://h/", "HREF", "", "", "");
    list.AddItem("c.zip", "http://h/", "RESUME", "zip", suspended, "");
    list.AddItem("d.cgi", "http://h/", "HREF", "cgi", "Error : ", "");
    list.AddItem("e.zip", "http://h/", "RESUME", "zip", "Error : /dl/e.zip", "");
    return list;
  };
  ItemList jpeg = make();
  keepOnlyJpeg(jpeg);
  EXPECT_EQ(names(jpeg), "a.JPG;");
  ItemList pages = make();
  deletePageRows(pages);
  EXPECT_EQ(names(pages), "a.JPG;b.jpeg;c.zip;e.zip;");
  ItemList done = make();
  deleteFinishedRows(done);
  EXPECT_EQ(names(done), "a.JPG;(index.htm);c.zip;d.cgi;e.zip;");
  ItemList failed = make();
  deleteFailedRows(failed);
  EXPECT_EQ(names(failed), "a.JPG;b.jpeg;(index.htm);c.zip;");
}

}  // namespace
}  // namespace murlo
