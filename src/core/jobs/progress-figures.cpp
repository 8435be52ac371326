#include "jobs/progress-figures.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace murlo {

namespace {

// "1,234,567" for 1234567; a negative value keeps its sign before the first group.
std::string groupThousands(long long value) {
  std::string digits = std::to_string(value);
  const std::size_t first = digits.front() == '-' ? 1 : 0;
  for (std::size_t comma = digits.size(); comma > first + 3;) {
    comma -= 3;
    digits.insert(comma, 1, ',');
  }
  return digits;
}

}  // namespace

std::string formatFigure(std::int64_t value1, std::int64_t value2, FigureKind kind) {
  if (value1 == 0 && value2 == 0) return "*";
  char text[96];
  const long long v1 = value1;
  switch (kind) {
    case FigureKind::kTime:
      std::snprintf(text, sizeof text, "%lld:%lld:%lld", v1 / 3600, v1 % 3600 / 60, v1 % 60);
      return text;
    case FigureKind::kBytes:
      // Above 1000 every three digits form a group, each after the first with its zeros,
      // so 1,005,007 and 5,000,000,000 read as those numbers; 1000 itself stays ungrouped.
      if (v1 > 1000) return groupThousands(v1) + " [byte]";
      std::snprintf(text, sizeof text, "%lld [byte]", v1);
      return text;
    case FigureKind::kSpeed:
      std::snprintf(text, sizeof text, "%.2f", static_cast<double>(v1) / 1024.0);
      return text;
    case FigureKind::kCount:
      std::snprintf(text, sizeof text, "%lld/%lld Finished", v1, static_cast<long long>(value2));
      return text;
  }
  return "*";
}

std::int64_t remainingBytes(const DownloadCounters& c) {
  // An unknown size (-1 while a resume or FTP item has not reported one) counts as 0.
  const std::int64_t size = std::max<std::int64_t>(c.totalBytes, 0);
  std::int64_t remaining = 0;
  if (c.done != 0) {
    const std::int64_t perDone = (c.total - c.done) / c.done;
    if (perDone != 0) {
      remaining = static_cast<std::int64_t>(static_cast<double>(perDone) *
                                                static_cast<double>(c.endedBytes) -
                                            static_cast<double>(c.doneBytes));
    } else if (size > 1024) {
      remaining = (c.total - c.done) * size;
    }
  } else if (size > 1024) {
    remaining = size * c.total - c.doneBytes;
  }
  // The estimate overshoots when the current item is larger than the average: nothing left
  // is the most it can honestly say.
  return std::max<std::int64_t>(remaining, 0);
}

void SpeedMeter::update(std::int64_t elapsedMs, std::int64_t doneBytes) {
  if (elapsedMs - lastSampleMs_ < kSampleMs) return;
  speed_ = (doneBytes - baseline_) * 1000 / (elapsedMs - lastSampleMs_);
  baseline_ = doneBytes;
  lastSampleMs_ = elapsedMs;
}

}  // namespace murlo
