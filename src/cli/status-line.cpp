#include "status-line.h"

namespace murlo::cli {

namespace {

// Holds the stream's own lock, so that the text and the line's state change together even
// when a worker thread prints while the host thread draws.
class StreamLock {
 public:
  explicit StreamLock(std::FILE* stream) : stream_(stream) { ::flockfile(stream_); }
  ~StreamLock() {
    std::fflush(stream_);
    ::funlockfile(stream_);
  }
  StreamLock(const StreamLock&) = delete;
  StreamLock& operator=(const StreamLock&) = delete;

 private:
  std::FILE* stream_;
};

}  // namespace

void StatusLine::draw(const std::string& text) {
  const StreamLock lock(out_);
  if (openQuestions_ > 0) return;
  std::fputs(("\r" + text + "\x1b[K").c_str(), out_);
  shown_ = true;
}

void StatusLine::clear() {
  const StreamLock lock(out_);
  if (shown_.exchange(false)) std::fputs("\r\x1b[K", out_);
}

void StatusLine::print(const std::string& text) {
  const StreamLock lock(out_);
  if (shown_.exchange(false)) std::fputc('\n', out_);
  std::fputs(text.c_str(), out_);
}

StatusLine& stderrLine() {
  static StatusLine line(stderr);
  return line;
}

}  // namespace murlo::cli
