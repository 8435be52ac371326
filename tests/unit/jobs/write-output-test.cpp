#include "jobs/write-output.h"

#include <gtest/gtest.h>

#include "net/result-codes.h"

namespace murlo {
namespace {

class StringSink : public OutputSink {
 public:
  void append(const std::string& t) override { text += t; }
  void resetToBanner() override { text = "[banner]"; }
  std::string text = "old";
};

std::string run(int code, int bits, bool offline = false,
                const std::string& text = "http://h/a.jpg") {
  StringSink sink;
  writeOutput(sink, code, text, bits, offline);
  return sink.text;
}

TEST(WriteOutput, MasterSwitchAndDefaults) {
  EXPECT_EQ(run(OUT_ANALYZE, 0), "old");
  EXPECT_EQ(run(RESULT_ERROR_INTERNET, 0), "old");
  EXPECT_EQ(run(OUT_ANALYZE, 127), "[banner]\r\nAnalyze...");
  EXPECT_EQ(run(OUT_DOWNLOAD, 127, true), "[banner]\r\nDownload...[Offline]");
  EXPECT_EQ(run(RESULT_SUCCEED, 127), "old\r\n>Succeed :http://h/a.jpg");
}

TEST(WriteOutput, AnItemsNoticeIsWrittenWheneverTheWindowIsOn) {
  EXPECT_EQ(run(OUT_NOTICE, 2, false, "note"), "old\r\n>Notice :note");
  EXPECT_EQ(run(OUT_NOTICE, 0, false, "note"), "old");
}

TEST(WriteOutput, OutputOnAloneWritesNothing) {
  EXPECT_EQ(run(OUT_DOWNLOAD, 2), "old");
  EXPECT_EQ(run(RESULT_SUCCEED, 2), "old");
  EXPECT_EQ(run(RESULT_ERROR_FILE, 2), "old");
  // Other start codes below 30 may clear but write no line.
  EXPECT_EQ(run(0, 2 | 4 | 64), "[banner]");
  EXPECT_EQ(run(29, 2 | 64), "old");
}

TEST(WriteOutput, FailureLinesWithAndWithoutCauses) {
  const int withCause = 2 | 16 | 32;
  EXPECT_EQ(run(RESULT_ERROR_INTERNET, withCause), "old\r\n>Error Internet :http://h/a.jpg");
  EXPECT_EQ(run(RESULT_ERROR_INTERNET, 2 | 16), "old\r\n>Error :http://h/a.jpg");
  EXPECT_EQ(run(RESULT_ERROR_DOWNLOAD, withCause), "old\r\n>Error Download :http://h/a.jpg");
  EXPECT_EQ(run(RESULT_ERROR_RESUME, withCause), "old\r\n>Error Resume :http://h/a.jpg");
  EXPECT_EQ(run(RESULT_ERROR_FILE, withCause), "old\r\n>Error File :http://h/a.jpg");
  EXPECT_EQ(run(RESULT_USER_DENIED, withCause), "old\r\n>User Denied :http://h/a.jpg");
  // Codes without a prefix of their own: nothing with causes on, the plain line without.
  EXPECT_EQ(run(RESULT_NOT_JPEG, withCause), "old");
  EXPECT_EQ(run(RESULT_NOT_JPEG, 2 | 16), "old\r\n>Error :http://h/a.jpg");
  EXPECT_EQ(run(33, 2 | 16), "old\r\n>Error :http://h/a.jpg");
  EXPECT_EQ(run(RESULT_ERROR_INTERNET, 2 | 32), "old");  // failures off
}

TEST(WriteOutput, NotFollowedIsAProcessingLineThatNeverClears) {
  EXPECT_EQ(run(OUT_NOT_FOLLOWED, 127), "old\r\n>Not Followed :http://h/a.jpg");
  EXPECT_EQ(run(OUT_NOT_FOLLOWED, 127 & ~64), "old");
}

TEST(WriteOutput, SuccessNeverClears) { EXPECT_EQ(run(RESULT_SUCCEED, 2 | 4), "old"); }

}  // namespace
}  // namespace murlo
