#include "terminal-output.h"

#include <langinfo.h>

#include <clocale>

#include "text/terminal-text.h"

namespace murlo::cli {

const std::string& terminalCodeset() {
  static const std::string codeset = [] {
    std::setlocale(LC_ALL, "");
    std::string name = nl_langinfo(CODESET);
    // The rest of the program formats numbers and compares text the C way.
    std::setlocale(LC_ALL, "C");
    return name;
  }();
  return codeset;
}

std::string showMessage(std::string_view message) {
  return messageForTerminal(message, terminalCodeset());
}

std::string showItemText(std::string_view text) {
  return itemTextForTerminal(text, terminalCodeset());
}

}  // namespace murlo::cli
