#include "jobs/progress-figures.h"

#include <algorithm>
#include <cstdio>

namespace murlo {

std::string formatFigure(std::int64_t value1, std::int64_t value2, FigureKind kind) {
  if (value1 == 0 && value2 == 0) return "*";
  char text[96];
  const long long v1 = value1;
  switch (kind) {
    case FigureKind::kTime:
      std::snprintf(text, sizeof text, "%lld:%lld:%lld", v1 / 3600, v1 % 3600 / 60, v1 % 60);
      return text;
    case FigureKind::kBytes:
      // The groups after the first keep three digits, so 1,005,007 reads as that number.
      if (v1 > 1000000) {
        std::snprintf(text, sizeof text, "%lld,%03lld,%03lld [byte]", v1 / 1000000,
                      v1 % 1000000 / 1000, v1 % 1000);
      } else if (v1 > 1000) {
        std::snprintf(text, sizeof text, "%lld,%03lld [byte]", v1 / 1000, v1 % 1000);
      } else {
        std::snprintf(text, sizeof text, "%lld [byte]", v1);
      }
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
