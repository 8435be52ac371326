#include "platform/folder-listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

namespace murlo {

FolderListing listSubfolders(const std::string& folder) {
  FolderListing listing;
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    const bool notReady = errno == ENOMEDIUM || errno == EIO || errno == ENXIO || errno == ENODEV;
    listing.result = notReady ? ListingResult::kNotReady : ListingResult::kFailed;
    return listing;
  }
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    bool isDir = entry->d_type == DT_DIR;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat st {};
      isDir = stat((prefix + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    if (isDir) listing.names.push_back(name);
  }
  closedir(dir);
  std::sort(listing.names.begin(), listing.names.end());
  return listing;
}

}  // namespace murlo
