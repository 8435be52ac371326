#include "settings/frame-placement.h"

namespace murlo {

void FramePlacement::pushRecentUrl(const std::string& url) {
  for (std::size_t i = recentUrls.size() - 1; i > 0; --i) recentUrls[i] = recentUrls[i - 1];
  recentUrls[0] = url;
}

namespace {

// Visits every key in file order, so reading and writing cannot disagree.
template <typename Placement, typename IntFn, typename StrFn>
void forEachKey(Placement& p, IntFn onInt, StrFn onString) {
  onInt("MainFrame", "Show", p.show);
  onInt("MainFrame", "Size_CX", p.width);
  onInt("MainFrame", "Size_CY", p.height);
  onInt("MainFrame", "Point_X", p.x);
  onInt("MainFrame", "Point_Y", p.y);
  auto bar = [&](const char* section, auto& b) {
    onInt(section, "Show", b.show);
    onInt(section, "Point_X", b.x);
    onInt(section, "Point_Y", b.y);
  };
  bar("ToolBar", p.toolBar);
  bar("AddUrlBar", p.addUrlBar);
  bar("ListBar", p.listBar);
  onInt("DialogBar", "Show", p.dialogBarShow);
  onInt("DialogBar", "Size_CY", p.dialogBarHeight);
  onInt("StatusBar", "Show", p.statusBarShow);
  for (std::size_t i = 0; i < p.columnWidths.size(); ++i) {
    onInt("ListColumns", ("Width" + std::to_string(i)).c_str(), p.columnWidths[i]);
  }
  for (std::size_t i = 0; i < p.recentUrls.size(); ++i) {
    onString("RecentURL", "URL" + std::to_string(i), p.recentUrls[i]);
  }
}

}  // namespace

void loadFramePlacement(FramePlacement& placement, const IniFile& ini) {
  forEachKey(
      placement, [&](const char* sec, const char* key, int& v) { v = ini.getInt(sec, key, v); },
      [&](const char* sec, const std::string& key, std::string& v) {
        v = ini.getString(sec, key, v);
      });
}

void saveFramePlacement(const FramePlacement& placement, IniFile& ini) {
  forEachKey(
      placement, [&](const char* sec, const char* key, const int& v) { ini.setInt(sec, key, v); },
      [&](const char* sec, const std::string& key, const std::string& v) {
        ini.setString(sec, key, v);
      });
}

}  // namespace murlo
