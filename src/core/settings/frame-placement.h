// The main window's placement, its bars' states and the recent addresses of the add-item
// bar, kept in Murlo.ini beside the settings.
#pragma once

#include <array>
#include <string>

#include "settings/ini-file.h"

namespace murlo {

// A tool bar's stored state: Show 0 hidden, 1 docked, 2 floating at (x, y).
struct BarPlacement {
  int show = 1;
  int x = 0;
  int y = 0;
};

inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;
inline constexpr int kBarHidden = 0;
inline constexpr int kBarDocked = 1;
inline constexpr int kBarFloating = 2;

struct FramePlacement {
  int show = kShowNormal;
  int width = 856;
  int height = 548;
  int x = 100;
  int y = 150;
  BarPlacement toolBar;
  BarPlacement addUrlBar;
  BarPlacement listBar;
  int dialogBarShow = 1;
  // The output window's height in pixels, as the user left it.
  int dialogBarHeight = 140;
  int statusBarShow = 1;
  // The widths of the item list's six columns, in pixels.
  std::array<int, 6> columnWidths = {130, 380, 60, 60, 150, 100};
  // URL0 (the newest) to URL4; an empty slot holds no address.
  std::array<std::string, 5> recentUrls;

  // URL0 takes the new address and every older one moves down a slot; the oldest goes.
  void pushRecentUrl(const std::string& url);
};

// Reads the placement; a missing key keeps the value the record holds.
void loadFramePlacement(FramePlacement& placement, const IniFile& ini);
void saveFramePlacement(const FramePlacement& placement, IniFile& ini);

}  // namespace murlo
