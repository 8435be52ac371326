#include "stdout-sink.h"

#include <cstdio>

#include "terminal-output.h"

namespace murlo::cli {

void StdoutSink::append(const std::string& text) {
  // The output window's texts start their lines with "\r\n"; here each line ends with "\n"
  // instead. Text before the first "\r\n" (none of the program's texts has any) gets a
  // line of its own.
  if (text.empty()) return;
  std::string out;
  std::size_t start = text.starts_with("\r\n") ? 2 : 0;
  while (start <= text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out += showItemText(text.substr(start, end - start)) + "\n";
    start = end + 2;
  }
  std::fputs(out.c_str(), stdout);
  std::fflush(stdout);
}

StdoutSink& stdoutSink() {
  static StdoutSink sink;
  return sink;
}

}  // namespace murlo::cli
