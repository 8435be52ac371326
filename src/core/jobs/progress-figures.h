// The progress figures of a running job: their texts (formatFigure) and the estimates of a
// download job, recomputed from the counters at every poll.
#pragma once

#include <cstdint>
#include <string>

namespace murlo {

// How a figure's value reads.
enum class FigureKind {
  kTime,   // seconds as "h:m:s" without leading zeros
  kBytes,  // "a,b,c [byte]" with plain groups
  kSpeed,  // bytes per second as kilobytes per second with two decimals
  kCount,  // "done/total Finished"
};

// The text of a figure: "*" when both values are 0.
std::string formatFigure(std::int64_t value1, std::int64_t value2, FigureKind kind);

// The counters of a download job.
struct DownloadCounters {
  std::int64_t done = 0;        // D: items ended (failed ones are taken off again)
  std::int64_t total = 0;       // N: items of the job (less the failed ones)
  std::int64_t endedBytes = 0;  // F: sizes of the items that ended
  std::int64_t doneBytes = 0;   // B: bytes of the current item so far
  std::int64_t totalBytes = 0;  // S: size of the current item; 0 or less when unknown
};

// R: the bytes still to come, estimated from the sizes of the ended items, or from the
// current item's size before any item ended. Never negative.
std::int64_t remainingBytes(const DownloadCounters& c);

// V: the transfer speed in bytes per second, sampled every 5 seconds.
class SpeedMeter {
 public:
  // Called at every poll with the time since the job started and the current item's bytes.
  void update(std::int64_t elapsedMs, std::int64_t doneBytes);
  // An item ended after `countedBytes`: the next item counts from 0 again without the
  // speed dropping.
  void itemEnded(std::int64_t countedBytes) { baseline_ -= countedBytes; }
  std::int64_t speed() const { return speed_; }

 private:
  static constexpr std::int64_t kSampleMs = 5000;
  std::int64_t baseline_ = 0;
  std::int64_t lastSampleMs_ = 0;
  std::int64_t speed_ = 0;
};

// T: seconds until the remaining bytes are in at the current speed; 0 when the speed is 0.
inline std::int64_t remainingSeconds(std::int64_t remaining, std::int64_t speed) {
  return speed != 0 ? remaining / speed : 0;
}

}  // namespace murlo
