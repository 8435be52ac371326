// The progress line on a terminal: the current file's share and a speed from the first
// second on.
#include "progress-line.h"

#include <gtest/gtest.h>

namespace murlo::test {
namespace {

using cli::progressLineText;
using cli::TransferRate;

TEST(TransferRateTest, GivesAFigureFromTheFirstSecondOverTheLastFiveSeconds) {
  TransferRate rate;
  rate.add(10000, 0);
  rate.add(10500, 5000);
  EXPECT_FALSE(rate.bytesPerSecond()) << "half a second is too short to tell";
  rate.add(11000, 10000);
  EXPECT_EQ(rate.bytesPerSecond(), 10000);
  for (std::int64_t ms = 11500; ms <= 20000; ms += 500) rate.add(ms, 10000 + (ms - 11000) * 2);
  // Only the last five seconds count: 2 bytes a millisecond by now.
  EXPECT_EQ(rate.bytesPerSecond(), 2000);
}

TEST(TransferRateTest, ANewJobStartsTheMeasurementAgain) {
  TransferRate rate;
  rate.add(0, 0);
  rate.add(2000, 8000);
  EXPECT_EQ(rate.bytesPerSecond(), 4000);
  rate.add(2500, 0);
  EXPECT_FALSE(rate.bytesPerSecond());
}

TEST(ProgressLineTest, ShowsTheCurrentFilesShareWhenItsSizeIsKnown) {
  JobProgress p;
  p.download = true;
  p.elapsedSeconds = 3;
  p.done = 1;
  p.total = 3;
  p.downloadedBytes = 1500;
  p.fileDoneBytes = 450;
  p.fileTotalBytes = 1000;
  p.remainingBytes = 1550;
  p.remainingSeconds = 2;
  EXPECT_EQ(progressLineText(p, 1024),
            "ダウンロード中  経過 0:0:3  1/3 Finished  45%  1,500 [byte]  1.00 KB/s  残り 1,550 "
            "[byte] 0:0:2");
  p.fileTotalBytes = 0;
  EXPECT_EQ(progressLineText(p, std::nullopt),
            "ダウンロード中  経過 0:0:3  1/3 Finished  1,500 [byte]  - KB/s  残り 1,550 [byte] "
            "0:0:2");
  JobProgress analysis;
  analysis.caption = JobCaption::kAnalysing;
  analysis.elapsedSeconds = 61;
  EXPECT_EQ(progressLineText(analysis, 5), "解析中  経過 0:1:1");
}

}  // namespace
}  // namespace murlo::test
