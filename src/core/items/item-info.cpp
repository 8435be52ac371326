#include "items/item-info.h"

#include "items/item-tags.h"
#include "items/page-type.h"
#include "text/cp932.h"

namespace murlo {

std::string progressInfo(std::int64_t done, std::int64_t total) {
  const std::string finished = "\x8A\xAE\x97\xB9 : ";
  if (total <= 1023) return std::to_string(done / 1024) + " KB " + finished;
  return std::to_string(done / 1024) + " KB/ " + std::to_string(total / 1024) + " KB  " + finished;
}

bool isFinishedInfo(const std::string& info) {
  // A text naming a path that CP932 cannot say is UTF-8 throughout, its marker too.
  if (isValidUtf8(info)) return info.find("完了 :") != std::string::npos;
  return findText(info, kInfoFinishedMarker, TextEncoding::Cp932) != std::string::npos;
}

bool isFailedInfo(const std::string& info) {
  return info.find(kInfoErrorMarker) != std::string::npos;
}

void keepOnlyJpeg(ItemList& list) {
  list.deleteIf([](const ItemRecord& r) { return !equalsIgnoreAsciiCase(r.extension, "jpg"); });
}

void deletePageRows(ItemList& list) {
  list.deleteIf([](const ItemRecord& r) { return isPageType(r.extension); });
}

void deleteFinishedRows(ItemList& list) {
  list.deleteIf([](const ItemRecord& r) { return isFinishedInfo(r.info) && r.tag != kResumeTag; });
}

void deleteFailedRows(ItemList& list) {
  list.deleteIf([](const ItemRecord& r) { return isFailedInfo(r.info); });
}

}  // namespace murlo
