// murlo-cli list FILE.mrl: prints every item of a list file, one tab-separated line each.
#include "cli-commands.h"
#include "cli-item-output.h"
#include "cli-list-file.h"
#include "items/item-list.h"

namespace murlo::cli {

int runList(const Args& args) {
  if (args.size() != 1) {
    printError("使い方: murlo-cli list FILE.mrl");
    return kExitUsage;
  }
  ItemList list;
  const bool complete = loadListFile(list, args[0], /*mustExist=*/true);
  for (int row = 0; row < list.count(); ++row) printItem(list.row(row));
  return complete ? kExitOk : kExitUsage;
}

}  // namespace murlo::cli
