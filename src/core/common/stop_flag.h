#pragma once
// Stopping long work from outside: Escape or a Cancel button sets the flag on the window's thread,
// the conversion, the renumbering or the replace-all polls it where it can stop cleanly, on its own
// thread or on the same one.

#include <atomic>

namespace ordalis::common {

class StopFlag {
 public:
  StopFlag() = default;
  StopFlag(const StopFlag&) = delete;
  StopFlag& operator=(const StopFlag&) = delete;

  /// Asks the work to stop; safe from any thread, any number of times.
  void request() noexcept { requested_.store(true, std::memory_order_release); }
  /// Made by the work itself when it starts, so that an old request does not stop it.
  void clear() noexcept { requested_.store(false, std::memory_order_release); }
  /// True once a stop has been asked for since the last clear.
  bool requested() const noexcept { return requested_.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> requested_{false};
};

}  // namespace ordalis::common
