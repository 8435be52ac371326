#include "jobs/recursive-passes.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

namespace murlo {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

void add(ItemList& list, const std::string& url, const std::string& file) {
  ASSERT_TRUE(list.AddItem(file, url, "HREF", "", "", ""));
}

Rows rows(const ItemList& list) {
  Rows out;
  for (int i = 0; i < list.count(); ++i) out.emplace_back(list.row(i).url, list.row(i).fileName);
  return out;
}

TEST(RecursivePasses, KeepsFirstOccurrencesAndTestsOnlyNewRowsForTheText) {
  ItemList list;
  add(list, "http://other/", "seed.htm");
  RecursivePasses passes("http://h/");
  EXPECT_EQ(passes.run(list, 0), -1);
  EXPECT_EQ(list.count(), 0);

  add(list, "http://h/", "a.htm");
  add(list, "http://h/", "a.htm");
  add(list, "http://h/a", "b.gif");
  add(list, "http://h/ab", ".gif");  // the same url + fileName bytes, another pair
  // The deleted second row is followed by the one after it.
  EXPECT_EQ(passes.run(list, 1), 1);
  EXPECT_EQ(rows(list),
            (Rows{{"http://h/", "a.htm"}, {"http://h/a", "b.gif"}, {"http://h/ab", ".gif"}}));

  // Rows the user gives the list by other means than appending are not tested for the text.
  list.setText(0, kColUrl, "http://elsewhere/");
  add(list, "http://h/a", "b.gif");
  add(list, "http://x/", "c.htm");
  EXPECT_EQ(passes.run(list, 3), -1);
  EXPECT_EQ(
      rows(list),
      (Rows{{"http://elsewhere/", "a.htm"}, {"http://h/a", "b.gif"}, {"http://h/ab", ".gif"}}));
}

TEST(RecursivePasses, ForgetsTheKeysOfRowsTheUserDeletedOrEdited) {
  ItemList list;
  RecursivePasses passes("");
  add(list, "http://h/", "a.htm");
  add(list, "http://h/", "b.htm");
  EXPECT_EQ(passes.run(list, 1), 1);

  // A deleted row found again is no duplicate any more.
  list.deleteRow(0);
  add(list, "http://h/", "a.htm");
  EXPECT_EQ(passes.run(list, 0), 0);
  EXPECT_EQ(rows(list), (Rows{{"http://h/", "b.htm"}, {"http://h/", "a.htm"}}));

  // An edit that makes an earlier row a duplicate deletes the later copy.
  list.setText(1, kColFileName, "b.htm");
  EXPECT_EQ(passes.run(list, 1), -1);
  EXPECT_EQ(rows(list), (Rows{{"http://h/", "b.htm"}}));
}

// Random appends, user edits and runs give the rows of the whole-list passes every time,
// and the followed row is the first row left of those from the followed index on.
TEST(RecursivePasses, MatchesTheWholeListPassesUnderRandomEdits) {
  std::mt19937 random(7);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  ItemList list;
  ItemList reference;
  RecursivePasses passes("/in/");
  int referenceMark = 0;
  for (int step = 0; step < 3000; ++step) {
    const int action = pick(10);
    const std::string url = std::string("http://h/") + (pick(4) == 0 ? "out/" : "in/");
    const std::string file = std::to_string(pick(30)) + ".htm";
    if (action < 6) {
      add(list, url, file);
      add(reference, url, file);
    } else if (action == 6 && list.count() > 0) {
      const int row = pick(list.count());
      list.deleteRow(row);
      reference.deleteRow(row);
    } else if (action == 7 && list.count() > 0) {
      const int row = pick(list.count());
      list.setText(row, kColFileName, file);
      reference.setText(row, kColFileName, file);
    } else if (action == 8 && list.count() > 1) {
      const int a = pick(list.count());
      const int b = pick(list.count());
      list.swapTexts(a, b);
      reference.swapTexts(a, b);
    } else {
      const int follow = pick(list.count() + 1);
      std::set<std::uint64_t> fromFollow;
      for (int i = follow; i < reference.count(); ++i) fromFollow.insert(reference.row(i).id);
      const int next = passes.run(list, follow);
      reference.KeepContaining("/in/", referenceMark);
      reference.RemoveDuplicates();
      referenceMark = reference.count();
      ASSERT_EQ(rows(list), rows(reference)) << "step " << step;
      int expected = -1;
      for (int i = reference.count() - 1; i >= 0; --i) {
        if (fromFollow.count(reference.row(i).id) != 0) expected = i;
      }
      ASSERT_EQ(next, expected) << "step " << step;
    }
  }
}

}  // namespace
}  // namespace murlo
