#include "core/common/progress.h"

#include <algorithm>

namespace ordalis::common {

int Progress::percent() const {
  const auto part = [](std::uint64_t done, std::uint64_t total) {
    return static_cast<int>(std::min<std::uint64_t>(done, total) * 100 / total);
  };
  if (bytesTotal > 0) return part(bytesDone, bytesTotal);
  if (itemsTotal > 0) return part(itemsDone, itemsTotal);
  return 0;
}

ProgressReporter::ProgressReporter(ProgressCallback callback, std::chrono::milliseconds interval,
                                   Clock::time_point (*now)())
    : callback_(std::move(callback)), interval_(interval), now_(now), last_(now()) {}

void ProgressReporter::update(const Progress& progress) {
  if (!callback_ || countdown_-- > 0) return;
  countdown_ = kCallsPerClockRead - 1;
  const Clock::time_point now = now_();
  if (now - last_ < interval_) return;
  last_ = now;
  callback_(progress);
}

void ProgressReporter::checkpoint(const Progress& progress) {
  countdown_ = 0;
  update(progress);
}

void ProgressReporter::report(const Progress& progress) {
  if (!callback_) return;
  last_ = now_();
  callback_(progress);
}

}  // namespace ordalis::common
