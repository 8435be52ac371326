#include "jobs/progress-figures.h"

#include <gtest/gtest.h>

namespace murlo {
namespace {

TEST(FormatFigure, TextsOfEveryKind) {
  for (const FigureKind kind :
       {FigureKind::kTime, FigureKind::kBytes, FigureKind::kSpeed, FigureKind::kCount}) {
    EXPECT_EQ(formatFigure(0, 0, kind), "*");
  }
  EXPECT_EQ(formatFigure(65, 0, FigureKind::kTime), "0:1:5");
  EXPECT_EQ(formatFigure(3600, 0, FigureKind::kTime), "1:0:0");
  EXPECT_EQ(formatFigure(1000, 0, FigureKind::kBytes), "1000 [byte]");
  EXPECT_EQ(formatFigure(1001, 0, FigureKind::kBytes), "1,001 [byte]");
  EXPECT_EQ(formatFigure(999999, 0, FigureKind::kBytes), "999,999 [byte]");
  EXPECT_EQ(formatFigure(1000000, 0, FigureKind::kBytes), "1,000,000 [byte]");
  EXPECT_EQ(formatFigure(1005007, 0, FigureKind::kBytes), "1,005,007 [byte]");
  EXPECT_EQ(formatFigure(1048576, 0, FigureKind::kBytes), "1,048,576 [byte]");
  // Sizes of a gigabyte and more, beyond 32 bits too, are grouped all the way.
  EXPECT_EQ(formatFigure(1053744228, 0, FigureKind::kBytes), "1,053,744,228 [byte]");
  EXPECT_EQ(formatFigure(5000000000, 0, FigureKind::kBytes), "5,000,000,000 [byte]");
  EXPECT_EQ(formatFigure(1536, 0, FigureKind::kSpeed), "1.50");
  EXPECT_EQ(formatFigure(3, 10, FigureKind::kCount), "3/10 Finished");
  EXPECT_EQ(formatFigure(0, 9, FigureKind::kCount), "0/9 Finished");
}

TEST(RemainingBytes, EstimatesFromEndedItemsOrTheCurrentSize) {
  // Nothing ended yet: the current size times the item count, less what came in.
  EXPECT_EQ(remainingBytes({.done = 0, .total = 4, .doneBytes = 500, .totalBytes = 2000}), 7500);
  // A current item of unknown or tiny size gives no estimate.
  EXPECT_EQ(remainingBytes({.done = 0, .total = 4, .doneBytes = 500, .totalBytes = 0}), 0);
  EXPECT_EQ(remainingBytes({.done = 0, .total = 4, .doneBytes = 500, .totalBytes = -1}), 0);
  EXPECT_EQ(remainingBytes({.done = 0, .total = 4, .doneBytes = 0, .totalBytes = 1024}), 0);
  // (N - D) / D items per ended one, in whole numbers: 9 left over 3 done is 2 (not 3).
  EXPECT_EQ(remainingBytes(
                {.done = 3, .total = 10, .endedBytes = 3000, .doneBytes = 100, .totalBytes = 5000}),
            5900);
  // Fewer left than done: the current size per item left.
  EXPECT_EQ(remainingBytes(
                {.done = 6, .total = 10, .endedBytes = 6000, .doneBytes = 0, .totalBytes = 2000}),
            8000);
  // An estimate below what already came in is not shown as negative.
  EXPECT_EQ(remainingBytes(
                {.done = 1, .total = 2, .endedBytes = 100, .doneBytes = 5000, .totalBytes = 9000}),
            0);
}

TEST(SpeedMeter, SamplesEveryFiveSecondsAcrossItems) {
  SpeedMeter meter;
  meter.update(500, 4000);
  EXPECT_EQ(meter.speed(), 0);  // no sample yet: the remaining time reads "*"
  EXPECT_EQ(remainingSeconds(10000, meter.speed()), 0);
  meter.update(5000, 10240);
  EXPECT_EQ(meter.speed(), 2048);
  EXPECT_EQ(remainingSeconds(10000, meter.speed()), 4);
  meter.update(7500, 20000);
  EXPECT_EQ(meter.speed(), 2048);  // kept between samples
  // The item ends at 30000 bytes and the next one counts from 0 again: no drop.
  meter.itemEnded(30000);
  meter.update(10000, 5240);
  EXPECT_EQ(meter.speed(), (30000 - 10240 + 5240) / 5);
}

}  // namespace
}  // namespace murlo
