#include "logic/item-tree.h"

#include <gtest/gtest.h>

namespace murlo::gui {
namespace {

ItemList listOf(const std::vector<std::pair<std::string, std::string>>& rows) {
  ItemList list;
  for (const auto& [url, name] : rows) list.AddItem(name, url, "ADD", "", "", "");
  return list;
}

std::string names(const ItemList& list) {
  std::string out;
  for (int i = 0; i < list.count(); ++i) out += list.text(i, kColFileName) + ";";
  return out;
}

TEST(ItemTree, HostIsBetweenTheSchemeAndTheNextSlashWhateverTheScheme) {
  EXPECT_EQ(hostOfAddress("http://a.example/x/"), "a.example");
  EXPECT_EQ(hostOfAddress("https://a.example/x/"), "a.example");
  EXPECT_EQ(hostOfAddress("ftp://f.example/"), "f.example");
  EXPECT_EQ(hostOfAddress("a.example/x/"), "a.example");
  EXPECT_EQ(hostOfAddress("https://bare.example"), "bare.example");
  EXPECT_EQ(directoryPathOf("https://a.example/x/"), "a.example/x/");
}

TEST(ItemTree, DirectoriesNestSortedUnderTheirHost) {
  const ItemList list = listOf({{"https://a.example/img/b/", "1.jpg"},
                                {"http://a.example/", "index.htm"},
                                {"http://a.example/doc/", "x.txt"},
                                {"http://a.example/img/", "2.jpg"},
                                {"http://a.example//odd/", "3.jpg"},
                                {"http://data.example/img/", "4.jpg"}});
  EXPECT_EQ(listHosts(list), (std::vector<std::string>{"a.example", "data.example"}));
  const DirectoryNode root = directoryTree(list, "a.example");
  EXPECT_EQ(root.path, "a.example/");
  ASSERT_EQ(root.children.size(), 3u);
  EXPECT_EQ(root.children[0].name, ".");
  EXPECT_EQ(root.children[0].children[0].path, "a.example//odd/");
  EXPECT_EQ(root.children[1].name, "doc");
  EXPECT_EQ(root.children[2].name, "img");
  ASSERT_EQ(root.children[2].children.size(), 1u);
  EXPECT_EQ(root.children[2].children[0].path, "a.example/img/b/");
  EXPECT_EQ(rowsInDirectory(list, "a.example/img/"), std::vector<int>{3});
  EXPECT_EQ(rowsInDirectory(list, "a.example/"), std::vector<int>{1});
}

TEST(ItemTree, DeletionsTakeExactlyTheChosenHostDirectoryOrFile) {
  const ItemList all = listOf({{"http://a.example/img/", "1.jpg"},
                               {"https://a.example/img/sub/", "2.jpg"},
                               {"http://data.example/img/", "3.jpg"},
                               {"http://a.example/old/img/", "4.jpg"},
                               {"http://a.example/imgs/", "5.jpg"},
                               {"http://a.example/img/", "6.jpg"}});
  ItemList list = all;
  EXPECT_EQ(deleteHostRows(list, "a.example"), 5);
  EXPECT_EQ(names(list), "3.jpg;");

  list = all;
  EXPECT_EQ(deleteDirectoryRows(list, "a.example/img/"), 3);
  EXPECT_EQ(names(list), "3.jpg;4.jpg;5.jpg;");

  list = all;
  EXPECT_EQ(deleteFileRows(list, "a.example/img/", "6.jpg"), 1);
  EXPECT_EQ(deleteFileRows(list, "a.example/img/", "2.jpg"), 0);
  EXPECT_EQ(names(list), "1.jpg;2.jpg;3.jpg;4.jpg;5.jpg;");
}

}  // namespace
}  // namespace murlo::gui
