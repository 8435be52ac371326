// The progress display of murlo-cli: one line of standard error that is drawn over and over
// ("\r", the text, then erase to the end of the line) and stays without its line end.
//
// Every other text on the same stream goes through print(), which ends the line first, so a
// message never runs into the progress figures. While a question waits for its answer the
// line is not drawn, so it cannot wipe the question out.
#pragma once

#include <atomic>
#include <cstdio>
#include <string>

namespace murlo::cli {

class StatusLine {
 public:
  explicit StatusLine(std::FILE* out) : out_(out) {}

  // Host thread: shows `text` in place of what the line showed.
  void draw(const std::string& text);
  // Host thread: removes the line.
  void clear();
  // Any thread: writes `text`, after ending the line when it is shown.
  void print(const std::string& text);

  // Any thread: while one exists, draw() leaves the screen alone.
  class Question {
   public:
    explicit Question(StatusLine& line) : line_(line) { ++line_.openQuestions_; }
    ~Question() { --line_.openQuestions_; }
    Question(const Question&) = delete;
    Question& operator=(const Question&) = delete;

   private:
    StatusLine& line_;
  };

 private:
  std::FILE* out_;
  // Written under the stream's own lock (flockfile); atomic because workers read it too.
  std::atomic<bool> shown_{false};
  std::atomic<int> openQuestions_{0};
};

// The status line of standard error, which every message of murlo-cli goes through.
StatusLine& stderrLine();

}  // namespace murlo::cli
