// One row of the item list: six byte-string columns, the state image and the selection.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace murlo {

// Column indexes, in the order of the list's columns and of the list file's records.
enum Column : int {
  kColFileName = 0,
  kColUrl = 1,
  kColTag = 2,
  kColExtension = 3,
  kColInfo = 4,
  kColReferrer = 5,
  kColumnCount = 6,
};

// Row images: the item's processing state.
enum ItemImage : int {
  kImageWaiting = 0,
  kImageFinished = 1,
  kImageFailed = 2,
  kImageDownloading = 3,
};

// The marker that stands for a directory's default document.
inline constexpr const char* kIndexMarker = "(index.htm)";

struct ItemRecord {
  std::string fileName;
  std::string url;
  std::string tag;
  std::string extension;
  std::string info;
  std::string referrer;
  int image = kImageWaiting;
  // Every inserted row carries state image 1; it never changes.
  int stateImage = 1;
  bool selected = false;
  // Stable identity of the row for the whole run: jobs follow rows by it while the user
  // deletes or moves other rows. Assigned by ItemList, never reused.
  std::uint64_t id = 0;

  const std::string& column(int col) const;
  std::string& column(int col);
};

// The full address of an item: url + fileName, or url alone for the "(index.htm)" marker.
std::string fullAddress(const ItemRecord& item);

}  // namespace murlo
