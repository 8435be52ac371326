// murlo-cli list [--raw] FILE.mrl: prints every item of a list file, one tab-separated line
// each, as the terminal shows it or, with --raw, as the stored bytes.
#include "cli-commands.h"
#include "cli-item-output.h"
#include "cli-list-file.h"
#include "items/item-list.h"

namespace murlo::cli {

int runList(const Args& args) {
  bool raw = false;
  Args paths;
  for (const std::string& arg : args) {
    if (arg == "--raw") raw = true;
    else paths.push_back(arg);
  }
  if (paths.size() != 1) {
    printError("使い方: murlo-cli list [--raw] FILE.mrl");
    return kExitUsage;
  }
  ItemList list;
  const bool complete = loadListFile(list, paths[0], /*mustExist=*/true);
  for (int row = 0; row < list.count(); ++row) printItem(list.row(row), raw);
  return complete ? kExitOk : kExitUsage;
}

}  // namespace murlo::cli
