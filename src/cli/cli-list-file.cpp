#include "cli-list-file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "cli-commands.h"
#include "items/list-file.h"

namespace murlo::cli {

bool lockListFile(FileLock& lock, const std::string& path) {
  if (lock.acquire(path)) return true;
  if (const std::optional<uid_t> owner = lock.blockingOwner()) {
    printError(path + ": " + foreignLockText(FileLock::lockPathFor(path), *owner));
  } else if (lock.error() == 0) {
    printError(
        path +
        ": 他の murlo がこのリストファイルを使用中です。終わってからもう一度実行してください");
  } else {
    printError(path + ": リストファイルをロックできません: " + std::strerror(lock.error()));
  }
  return false;
}

bool loadListFile(ItemList& list, const std::string& path, bool mustExist) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT && !mustExist) return true;
    printError(path + ": " + std::strerror(errno));
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    printError(path + ": " + std::strerror(EISDIR));
    return false;
  }
  const ListReadResult result = ReadList(list, path);
  switch (result.status) {
    case ListReadStatus::kOk: return true;
    case ListReadStatus::kCannotOpen: printError(path + ": ファイルを読み込めません"); return false;
    case ListReadStatus::kNotListFile:
    case ListReadStatus::kTruncated:
    case ListReadStatus::kTrailingData:
      printError(path + ": " + listReadMessage(result, path));
      return false;
  }
  return false;
}

bool saveListFile(const ItemList& list, const std::string& path) {
  if (list.count() == 0) return true;  // an empty list leaves the file as it was
  if (WriteList(list, path)) return true;
  printError(path + ": リストファイルを書き込めません");
  return false;
}

}  // namespace murlo::cli
