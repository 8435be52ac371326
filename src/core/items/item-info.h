// The item information texts (column `info`): progress, finished, failed and the partial
// file of a suspended item. Texts the program writes here are CP932 bytes, so list files
// stay interchangeable.
#pragma once

#include <cstdint>
#include <string>

#include "items/item-list.h"

namespace murlo {

// "完了 :" in CP932: a row whose info holds it is finished (or suspended, when tagged RESUME).
inline constexpr const char* kInfoFinishedMarker = "\x8A\xAE\x97\xB9 :";
// A row whose info holds it failed.
inline constexpr const char* kInfoErrorMarker = "Error :";
// The info of a failed item: "Error : ".
inline constexpr const char* kInfoErrorPrefix = "Error : ";
// The info of an item entered through the resume dialog, before the partial file's path:
// "0 kb 完了 : ".
inline constexpr const char* kInfoResumeEntryPrefix = "0 kb \x8A\xAE\x97\xB9 : ";

// "%d KB 完了 : " or "%d KB/ %d KB  完了 : " for `done` of `total` bytes.
std::string progressInfo(std::int64_t done, std::int64_t total);

bool isFinishedInfo(const std::string& info);
bool isFailedInfo(const std::string& info);

// The extended-list filters; each walks the whole list once.
// Keeps only rows whose extension is "jpg" (any letter case).
void keepOnlyJpeg(ItemList& list);
// Deletes page-type rows: empty extension, "htm", "html", "shtml", "cgi".
void deletePageRows(ItemList& list);
// Deletes finished rows, keeping suspended ones (tag "RESUME").
void deleteFinishedRows(ItemList& list);
// Deletes failed rows, whatever their tag.
void deleteFailedRows(ItemList& list);

}  // namespace murlo
