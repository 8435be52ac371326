#include "stdout-sink.h"

#include <cstdio>

#include "terminal-output.h"

namespace murlo::cli {

void StdoutSink::append(const std::string& text) {
  std::string out;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\r\n") == 0) {
      out += showItemText(line);
      line.clear();
      if (started_) out += '\n';
      started_ = true;
      ++i;
    } else {
      line += text[i];
    }
  }
  out += showItemText(line);
  std::fputs(out.c_str(), stdout);
  std::fflush(stdout);
}

void StdoutSink::close() {
  if (started_) std::fputc('\n', stdout);
  started_ = false;
}

StdoutSink& stdoutSink() {
  static StdoutSink sink;
  return sink;
}

}  // namespace murlo::cli
