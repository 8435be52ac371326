// The subfolders of a folder, as a file manager lists them for a folder tree.
#pragma once

#include <string>
#include <vector>

namespace murlo {

enum class ListingResult {
  kOk,
  kNotReady,  // no medium in the drive, or the volume cannot be read
  kFailed,    // missing, no permission and the like
};

struct FolderListing {
  ListingResult result = ListingResult::kOk;
  std::vector<std::string> names;  // sorted by name
};

// The folders in `folder` (symbolic links to folders included); hidden dot-folders are
// left out.
FolderListing listSubfolders(const std::string& folder);

}  // namespace murlo
