// A file on the local disk paired with the address it came from: what the resume and the
// local-file dialogs hand over, and what murlo-cli resume takes. Paths are POSIX paths.
#pragma once

#include <string>
#include <string_view>

#include "items/item-list.h"

namespace murlo {

struct LocalFileEntry {
  std::string path;  // the full local path
  std::string address;
  std::string referrer;
};

// The file name of a path: the text after its last "/".
std::string fileNameOfPath(std::string_view path);

// Why a resume entry is refused, in the order the checks run; empty when it is accepted.
std::string resumeEntryError(const LocalFileEntry& entry);
// The same for the local-file analysis, where the address may be left empty.
std::string localFileEntryError(const LocalFileEntry& entry);

// Appends the "RESUME" row that continues the partial file `entry.path` from its address:
// info "0 kb 完了 : " and the path, so the download commands pick the file up.
bool addResumeItem(ItemList& list, const LocalFileEntry& entry);

}  // namespace murlo
