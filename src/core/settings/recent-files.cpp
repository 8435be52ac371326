#include "settings/recent-files.h"

#include <algorithm>

#include "settings/ini-text.h"

namespace murlo {

namespace {
constexpr const char* kSection = "Recent File List";
std::string key(std::size_t i) { return "File" + std::to_string(i + 1); }
}  // namespace

void RecentFiles::load(const IniFile& ini) {
  paths_.clear();
  for (std::size_t i = 0; i < kMax; ++i) {
    const std::string path = iniTextToUtf8(ini.getString(kSection, key(i), ""));
    if (!path.empty()) paths_.push_back(path);
  }
}

void RecentFiles::save(IniFile& ini) const {
  for (std::size_t i = 0; i < kMax; ++i) {
    ini.setString(kSection, key(i), i < paths_.size() ? utf8ToIniText(paths_[i]) : "");
  }
}

void RecentFiles::add(const std::string& path) {
  remove(path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kMax) paths_.resize(kMax);
}

void RecentFiles::remove(const std::string& path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

}  // namespace murlo
