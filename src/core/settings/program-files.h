// The program's own files in its folder (the current folder, or the data folder of a
// desktop start), named in one place.
#pragma once

#include <string>
#include <string_view>

namespace murlo {

inline constexpr std::string_view kSettingsFile = "Murlo.ini";
inline constexpr std::string_view kErrorLogFile = "Murlo.log";
// The page the analysis scanned last.
inline constexpr std::string_view kLastPageFile = "Murlo.tmp";
// The list saved at exit and when a job is suspended.
inline constexpr std::string_view kJobFile = "Murlo.mrl";

// `name` in the program folder `appDirectory`.
inline std::string programFilePath(const std::string& appDirectory, std::string_view name) {
  std::string path = appDirectory;
  if (path.empty() || path.back() != '/') path += '/';
  return path.append(name);
}

}  // namespace murlo
