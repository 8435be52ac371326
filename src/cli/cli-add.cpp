// murlo-cli add URL... --list FILE.mrl: appends addresses as the add-item bar does.
#include <cstdio>

#include "analysis/address.h"
#include "cli-commands.h"
#include "cli-list-file.h"
#include "items/item-list.h"

namespace murlo::cli {

int runAdd(const Args& args) {
  std::string listPath;
  Args addresses;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--list" && i + 1 < args.size()) {
      listPath = args[++i];
    } else {
      addresses.push_back(args[i]);
    }
  }
  if (listPath.empty() || addresses.empty()) {
    printError("使い方: murlo-cli add URL... --list FILE.mrl");
    return kExitUsage;
  }

  ItemList list;
  // A file that exists but cannot be read whole is left untouched.
  if (!loadListFile(list, listPath, /*mustExist=*/false)) return kExitUsage;

  int status = kExitOk;
  for (const std::string& typed : addresses) {
    std::string address = trimAddress(typed);
    if (address.empty()) {
      printError("URLが指定されていません");
      status = kExitUsage;
      continue;
    }
    if (address.find('.') == std::string::npos) {
      printError("入力された文字列はURLではありません: " + address);
      status = kExitUsage;
      continue;
    }
    cleanTypedAddress(address);
    SplitAddress split = splitUrl(address);
    list.AddItem(std::move(split.fileName), std::move(split.url), "ADD",
                 std::move(split.extension), "", "");
  }
  if (!saveListFile(list, listPath)) return kExitFailed;
  return status;
}

}  // namespace murlo::cli
