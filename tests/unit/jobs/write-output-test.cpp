#include "jobs/write-output.h"

#include <gtest/gtest.h>

namespace murlo {
namespace {

class StringSink : public OutputSink {
 public:
  void append(const std::string& t) override { text += t; }
  void resetToBanner() override { text = "[banner]"; }
  std::string text = "old";
};

std::string run(OutputEvent code, int bits, bool offline = false,
                const std::string& text = "http://h/a.jpg") {
  StringSink sink;
  writeOutput(sink, code, text, bits, offline);
  return sink.text;
}

TEST(WriteOutput, MasterSwitchAndDefaults) {
  EXPECT_EQ(run(JobStart::kAnalyze, 0), "old");
  EXPECT_EQ(run(ItemResult::kErrorInternet, 0), "old");
  EXPECT_EQ(run(JobStart::kAnalyze, 127), "[banner]\r\nAnalyze...");
  EXPECT_EQ(run(JobStart::kDownload, 127, true), "[banner]\r\nDownload...[Offline]");
  EXPECT_EQ(run(ItemResult::kSucceed, 127), "old\r\n>Succeed :http://h/a.jpg");
}

TEST(WriteOutput, AnItemsNoticeIsWrittenWheneverTheWindowIsOn) {
  EXPECT_EQ(run(JobNote::kNotice, 2, false, "note"), "old\r\n>Notice :note");
  EXPECT_EQ(run(JobNote::kNotice, 0, false, "note"), "old");
}

TEST(WriteOutput, OutputOnAloneWritesNothing) {
  EXPECT_EQ(run(JobStart::kDownload, 2), "old");
  EXPECT_EQ(run(ItemResult::kSucceed, 2), "old");
  EXPECT_EQ(run(ItemResult::kErrorFile, 2), "old");
  // An item that ended without a result counts as a start: it may clear but writes no line.
  EXPECT_EQ(run(ItemResult::kNone, 2 | 4 | 64), "[banner]");
  EXPECT_EQ(run(ItemResult::kNone, 2 | 64), "old");
}

TEST(WriteOutput, FailureLinesWithAndWithoutCauses) {
  const int withCause = 2 | 16 | 32;
  EXPECT_EQ(run(ItemResult::kErrorInternet, withCause), "old\r\n>Error Internet :http://h/a.jpg");
  EXPECT_EQ(run(ItemResult::kErrorInternet, 2 | 16), "old\r\n>Error :http://h/a.jpg");
  EXPECT_EQ(run(ItemResult::kErrorDownload, withCause), "old\r\n>Error Download :http://h/a.jpg");
  EXPECT_EQ(run(ItemResult::kErrorResume, withCause), "old\r\n>Error Resume :http://h/a.jpg");
  EXPECT_EQ(run(ItemResult::kErrorFile, withCause), "old\r\n>Error File :http://h/a.jpg");
  EXPECT_EQ(run(ItemResult::kUserDenied, withCause), "old\r\n>User Denied :http://h/a.jpg");
  // Codes without a prefix of their own: nothing with causes on, the plain line without.
  EXPECT_EQ(run(ItemResult::kNotJpeg, withCause), "old");
  EXPECT_EQ(run(ItemResult::kNotJpeg, 2 | 16), "old\r\n>Error :http://h/a.jpg");
  EXPECT_EQ(run(ItemResult::kErrorInternet, 2 | 32), "old");  // failures off
}

TEST(WriteOutput, NotFollowedIsAProcessingLineThatNeverClears) {
  EXPECT_EQ(run(JobNote::kNotFollowed, 127), "old\r\n>Not Followed :http://h/a.jpg");
  EXPECT_EQ(run(JobNote::kNotFollowed, 127 & ~64), "old");
}

TEST(WriteOutput, SuccessNeverClears) { EXPECT_EQ(run(ItemResult::kSucceed, 2 | 4), "old"); }

}  // namespace
}  // namespace murlo
