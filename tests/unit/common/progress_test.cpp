#include "core/common/progress.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "core/common/stop_flag.h"

namespace ordalis::common {
namespace {

ProgressReporter::Clock::time_point fakeNow;
ProgressReporter::Clock::time_point FakeClock() { return fakeNow; }

TEST(Progress, PercentByBytesThenByItems) {
  struct Case {
    Progress progress;
    int percent;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, 0},       {{50, 200, 7, 10}, 25}, {{0, 0, 7, 10}, 70},
      {{300, 200, 0, 0}, 100}, {{0, 0, 12, 10}, 100},  {{1, 3, 0, 0}, 33},
  };
  for (const Case& c : cases) EXPECT_EQ(c.progress.percent(), c.percent);
}

TEST(ProgressReporter, PassesReportsOnAtMostOncePerInterval) {
  std::vector<std::uint64_t> seen;
  ProgressReporter reporter([&](const Progress& p) { seen.push_back(p.itemsDone); },
                            std::chrono::milliseconds(50), &FakeClock);
  Progress p;
  // A thousand updates within the interval: none passed on.
  for (p.itemsDone = 1; p.itemsDone <= 1000; ++p.itemsDone) reporter.update(p);
  EXPECT_TRUE(seen.empty());
  // Once the interval has passed, an update within the next few calls goes through, once.
  fakeNow += std::chrono::milliseconds(50);
  for (; p.itemsDone <= 2000; ++p.itemsDone) reporter.update(p);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_LE(seen[0], 1000u + 64u);
  // The final figure is always reported, and restarts the interval.
  reporter.report(p);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1], 2001u);
  fakeNow += std::chrono::milliseconds(49);
  for (int i = 0; i < 500; ++i) reporter.update(p);
  EXPECT_EQ(seen.size(), 2u);

  ProgressReporter silent;
  silent.update(p);
  silent.report(p);
}

TEST(StopFlag, SetOnOneThreadSeenByWorkOnAnother) {
  StopFlag stop;
  EXPECT_FALSE(stop.requested());
  std::atomic<bool> started{false};
  std::uint64_t rounds = 0;
  std::thread worker([&] {
    started = true;
    while (!stop.requested()) ++rounds;
  });
  while (!started) std::this_thread::yield();
  stop.request();
  worker.join();  // hangs, and the test times out, if the request is never seen
  EXPECT_TRUE(stop.requested());
  stop.clear();
  EXPECT_FALSE(stop.requested());
}

}  // namespace
}  // namespace ordalis::common
