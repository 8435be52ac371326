#include "cli-item-output.h"

#include <cstdio>
#include <string>

#include "terminal-output.h"

namespace murlo::cli {

void printItem(const ItemRecord& item, bool raw) {
  std::string line;
  for (int col = 0; col < kColumnCount; ++col) {
    if (col) line += '\t';
    line += raw ? item.column(col) : showItemText(item.column(col));
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace murlo::cli
