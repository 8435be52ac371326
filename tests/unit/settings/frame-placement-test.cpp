#include "settings/frame-placement.h"

#include <gtest/gtest.h>

#include "sandbox.h"

namespace murlo {
namespace {

TEST(FramePlacement, DefaultsAndRoundTrip) {
  test::Sandbox box;
  FramePlacement p;
  loadFramePlacement(p, IniFile::load(box.path("none.ini")));
  EXPECT_EQ(p.show, 1);
  EXPECT_EQ(p.width, 856);
  EXPECT_EQ(p.height, 548);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 150);
  EXPECT_EQ(p.listBar.show, 1);

  p.show = kShowMaximized;
  p.listBar = {kBarFloating, 300, 40};
  p.dialogBarShow = 0;
  p.dialogBarHeight = 310;
  p.columnWidths[4] = 222;
  p.pushRecentUrl("http://a/");
  IniFile ini;
  saveFramePlacement(p, ini);
  ASSERT_TRUE(ini.save(box.path("Murlo.ini")));
  FramePlacement back;
  loadFramePlacement(back, IniFile::load(box.path("Murlo.ini")));
  EXPECT_EQ(back.show, kShowMaximized);
  EXPECT_EQ(back.listBar.show, kBarFloating);
  EXPECT_EQ(back.listBar.x, 300);
  EXPECT_EQ(back.listBar.y, 40);
  EXPECT_EQ(back.dialogBarShow, 0);
  EXPECT_EQ(back.dialogBarHeight, 310);
  EXPECT_EQ(back.columnWidths, (std::array<int, 6>{130, 380, 60, 60, 222, 100}));
  EXPECT_EQ(back.recentUrls[0], "http://a/");
  EXPECT_EQ(back.recentUrls[1], "");
}

TEST(FramePlacement, PushRecentUrlShiftsAndDropsTheOldest) {
  FramePlacement p;
  for (int i = 1; i <= 7; ++i) p.pushRecentUrl("u" + std::to_string(i));
  EXPECT_EQ(p.recentUrls, (std::array<std::string, 5>{"u7", "u6", "u5", "u4", "u3"}));
  p.pushRecentUrl("u7");  // no de-duplication
  EXPECT_EQ(p.recentUrls[1], "u7");
}

}  // namespace
}  // namespace murlo
