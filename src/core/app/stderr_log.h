#pragma once
// The batch program's message log and message boxes: one message per line on a stream, standard
// error by default, in the language of `texts`.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/common/message_log.h"
#include "core/common/user_prompt.h"

namespace ordalis::app {

class StderrLog : public common::MessageLog {
 public:
  /// Writes to `out`, which stays owned by the caller, with the texts of `texts` (may be null,
  /// and set later: details alone until then).
  explicit StderrLog(std::FILE* out = stderr, const common::MessageTexts* texts = nullptr)
      : out_(out), texts_(texts) {}
  void setTexts(const common::MessageTexts* texts) { texts_ = texts; }

  void log(int id, std::string_view detail = {}, int level = 0) override;
  /// A stream cannot be emptied: only the background goes back to light green.
  void clear() override { background_ = common::kLogGreen; }
  std::uint32_t background() const override { return background_; }
  /// Returns the number of messages written.
  std::size_t count() const { return count_; }

 private:
  std::FILE* out_;
  const common::MessageTexts* texts_;
  std::string line_;
  std::uint32_t background_ = common::kLogGreen;
  std::size_t count_ = 0;
};

/// Message boxes have no one to wait for in a batch run: they become lines of the stream.
class StderrPrompt : public common::UserPrompt {
 public:
  explicit StderrPrompt(StderrLog& log) : log_(log) {}
  void inform(int id, std::string_view detail = {}) override { log_.log(id, detail); }

 private:
  StderrLog& log_;
};

}  // namespace ordalis::app
