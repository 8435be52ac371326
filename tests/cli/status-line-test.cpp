// The progress line of murlo-cli and the messages printed while it is shown.
#include "status-line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli-prompter.h"

namespace murlo::test {
namespace {

using cli::StatusLine;

// A stream that collects what is written to it.
class Captured {
 public:
  Captured() : stream_(open_memstream(&data_, &size_)) {}
  ~Captured() {
    std::fclose(stream_);
    std::free(data_);
  }
  Captured(const Captured&) = delete;
  Captured& operator=(const Captured&) = delete;
  std::FILE* stream() const { return stream_; }
  std::string text() {
    std::fflush(stream_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* stream_;
};

TEST(StatusLine, AMessageStartsOnALineOfItsOwnAndAQuestionIsNotDrawnOver) {
  Captured err;
  StatusLine line(err.stream());
  line.draw("1/3");
  line.draw("2/3");
  // An engine error shown while the progress line is up.
  std::string none;
  std::FILE* noInput = fmemopen(none.data(), 1, "r");
  cli::CliPrompter prompter(noInput, line, /*interactive=*/true);
  EXPECT_EQ(prompter.message("404 Not Found", PromptIcon::kStop, PromptButtons::kOk),
            PromptAnswer::kOk);
  line.print("murlo-cli: other\n");
  EXPECT_EQ(err.text(), "\r1/3\x1b[K\r2/3\x1b[K\nmurlo-cli: 404 Not Found\nmurlo-cli: other\n");

  // A question waiting for its answer stays on the screen; the line comes back after it.
  {
    const StatusLine::Question asking(line);
    line.draw("3/3");
  }
  line.draw("3/3");
  line.clear();
  line.clear();
  EXPECT_EQ(
      err.text(),
      "\r1/3\x1b[K\r2/3\x1b[K\nmurlo-cli: 404 Not Found\nmurlo-cli: other\n\r3/3\x1b[K\r\x1b[K");
  std::fclose(noInput);
}

}  // namespace
}  // namespace murlo::test
