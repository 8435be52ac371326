// The recent list files: the three most recently opened or saved, newest first, kept in
// Murlo.ini under "Recent File List" as File1 to File3.
#pragma once

#include <string>
#include <vector>

#include "settings/ini-file.h"

namespace murlo {

class RecentFiles {
 public:
  static constexpr std::size_t kMax = 3;

  void load(const IniFile& ini);
  void save(IniFile& ini) const;
  // Moves `path` to the front, dropping an older entry of the same path and the oldest
  // beyond three.
  void add(const std::string& path);
  void remove(const std::string& path);
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
};

}  // namespace murlo
