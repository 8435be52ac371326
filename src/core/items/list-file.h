// List files (.mrl): the item list on disk, in the string archive format.
//
// Three header versions are read; version 3 is written. A string is a length prefix (one
// byte below 255; 0xFF + 16-bit below 0xFFFE; 0xFF 0xFFFF + 32-bit otherwise; 0xFF 0xFFFE
// marks a UTF-16 string with a second prefix counting 16-bit units) followed by the bytes.
#pragma once

#include <string>

#include "items/item-list.h"

namespace murlo {

enum class ListReadStatus {
  kOk,
  kCannotOpen,    // missing, unreadable or not a regular file: nothing is reported, as for
                  // any file error
  kNotListFile,   // unknown header: nothing is appended
  kTruncated,     // the file ends early: the rows read before the end stay in the list
  kTrailingData,  // bytes follow the last row its count announces (a damaged count): the
                  // rows read stay in the list, but rewriting it would lose the rest
};

struct ListReadResult {
  ListReadStatus status = ListReadStatus::kOk;
  int rowsAdded = 0;
  bool ok() const { return status == ListReadStatus::kOk; }
};

// Appends the file's items to the list. Only a kOk result read the file completely; a list
// read with any other status must not be written back over the file. Rows without fileName or url
// are dropped by AddItem. Never allocates more than the file's size, whatever its counts say.
ListReadResult ReadList(ItemList& list, const std::string& path);

// Writes every row as a version-3 file, through a temporary file renamed over `path`.
// An empty list writes nothing and returns false, so an earlier file keeps its contents.
bool WriteList(const ItemList& list, const std::string& path);

// The message for a failed read, in UTF-8; empty for results that show nothing.
std::string listReadMessage(const ListReadResult& result, const std::string& path);

// The version-3 file image of a list (used by WriteList; exposed for tests and tools).
std::string serializeList(const ItemList& list);

}  // namespace murlo
