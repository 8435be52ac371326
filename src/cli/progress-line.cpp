#include "progress-line.h"

#include "jobs/progress-figures.h"

namespace murlo::cli {

void TransferRate::add(std::int64_t nowMs, std::int64_t bytes) {
  if (!samples_.empty() && bytes < samples_.back().second) samples_.clear();
  samples_.emplace_back(nowMs, bytes);
  // One sample at or before the window's start stays, so the window is always full.
  while (samples_.size() > 2 && nowMs - samples_[1].first >= kWindowMs) samples_.pop_front();
}

std::optional<std::int64_t> TransferRate::bytesPerSecond() const {
  if (samples_.size() < 2) return std::nullopt;
  const std::int64_t spanMs = samples_.back().first - samples_.front().first;
  if (spanMs < kFirstFigureMs) return std::nullopt;
  return (samples_.back().second - samples_.front().second) * 1000 / spanMs;
}

std::string progressLineText(const JobProgress& p, std::optional<std::int64_t> rate) {
  const char* caption = p.caption == JobCaption::kDownloading ? "ダウンロード中"
                        : p.caption == JobCaption::kAnalysing ? "解析中"
                                                              : "終了作業中";
  std::string line =
      std::string(caption) + "  経過 " + formatFigure(p.elapsedSeconds, 0, FigureKind::kTime);
  if (!p.download) return line;
  line += "  " + formatFigure(p.done, p.total, FigureKind::kCount);
  if (p.fileTotalBytes > 0) {
    const std::int64_t done = std::min(p.fileDoneBytes, p.fileTotalBytes);
    line += "  " + std::to_string(done * 100 / p.fileTotalBytes) + "%";
  }
  line += "  " + formatFigure(p.downloadedBytes, 0, FigureKind::kBytes) + "  " +
          (rate ? formatFigure(*rate, 0, FigureKind::kSpeed) : std::string("-")) + " KB/s  残り " +
          formatFigure(p.remainingBytes, 0, FigureKind::kBytes) + " " +
          formatFigure(p.remainingSeconds, 0, FigureKind::kTime);
  return line;
}

}  // namespace murlo::cli
