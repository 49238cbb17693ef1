#pragma once
// Progress of long work (a conversion, a renumbering, a replace-all) for a window that shows a
// percentage and a rate. The work reports often; the reporter passes a report on only every so
// many milliseconds, which is also where a window on the same thread gets to repaint.

#include <chrono>
#include <cstdint>
#include <functional>

namespace ordalis::common {

struct Progress {
  std::uint64_t bytesDone = 0;
  std::uint64_t bytesTotal = 0;  // 0 when unknown
  /// Statements for a conversion, lines for a renumbering, replacements for a replace-all.
  std::uint64_t itemsDone = 0;
  std::uint64_t itemsTotal = 0;  // 0 when unknown

  /// Returns the part done from 0 to 100: by bytes when their total is known, else by items, else
  /// 0.
  int percent() const;
};

using ProgressCallback = std::function<void(const Progress&)>;

class ProgressReporter {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kDefaultInterval{50};

  /// Reports nothing.
  ProgressReporter() = default;
  /// Passes reports on to `callback` at most once per `interval`; `now` is the clock (tests).
  explicit ProgressReporter(ProgressCallback callback,
                            std::chrono::milliseconds interval = kDefaultInterval,
                            Clock::time_point (*now)() = &Clock::now);

  /// Cheap enough per statement: the clock is read only every few calls.
  void update(const Progress& progress);
  /// For work that reports once per chunk of many items: reads the clock on every call.
  void checkpoint(const Progress& progress);
  /// Reports `progress` whatever the time: the first and the last figure of a piece of work.
  void report(const Progress& progress);

 private:
  static constexpr unsigned kCallsPerClockRead = 64;

  ProgressCallback callback_;
  Clock::duration interval_{};
  Clock::time_point (*now_)() = &Clock::now;
  Clock::time_point last_{};
  unsigned countdown_ = 0;
};

}  // namespace ordalis::common
