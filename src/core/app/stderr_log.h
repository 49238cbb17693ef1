#pragma once
// The batch program's message log: one message per line on a stream, standard error by default.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/app/message_log.h"

namespace ordalis::app {

class StderrLog : public MessageLog {
 public:
  /// Writes to `out`, which stays owned by the caller.
  explicit StderrLog(std::FILE* out = stderr) : out_(out) {}
  void log(std::string_view text, int level = 0) override;
  /// A stream cannot be emptied: only the background goes back to light green.
  void clear() override { background_ = kLogGreen; }
  std::uint32_t background() const override { return background_; }
  /// Returns the number of messages written.
  std::size_t count() const { return count_; }

 private:
  std::FILE* out_;
  std::string line_;
  std::uint32_t background_ = kLogGreen;
  std::size_t count_ = 0;
};

}  // namespace ordalis::app
