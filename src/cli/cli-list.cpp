// murlo-cli list [--raw] FILE.mrl: prints every item of a list file, one tab-separated line
// each, as the terminal shows it or, with --raw, as the stored bytes.
#include "cli-commands.h"
#include "cli-item-output.h"
#include "cli-list-file.h"
#include "items/item-list.h"

namespace murlo::cli {

int runList(const Args& args) {
  const bool raw = !args.empty() && args[0] == "--raw";
  if (args.size() != (raw ? 2u : 1u)) {
    printError("使い方: murlo-cli list [--raw] FILE.mrl");
    return kExitUsage;
  }
  const std::string& path = args.back();
  ItemList list;
  const bool complete = loadListFile(list, path, /*mustExist=*/true);
  for (int row = 0; row < list.count(); ++row) printItem(list.row(row), raw);
  return complete ? kExitOk : kExitUsage;
}

}  // namespace murlo::cli
