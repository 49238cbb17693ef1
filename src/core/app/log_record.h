#pragma once
// Messages as records, so that work on another thread can log without touching a widget: the
// window applies them on its own thread and fetches the text of a record when it shows it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/app/message_log.h"

namespace ordalis::app {

struct LogRecord {
  int id = 0;           // catalogue id of the text; 0 when the detail is the whole message
  std::string detail;   // appended to the catalogue text
  int level = 0;        // 1 to 4 set the log's background, as for MessageLog::log
  bool clears = false;  // empties the log (background light green) instead of adding a line
};

/// A MessageLog that hands every message on as a record, for a log that lives on another thread.
/// The poster must be safe to call from the thread that logs.
class RecordLog : public MessageLog {
 public:
  using Poster = std::function<void(LogRecord&&)>;
  explicit RecordLog(Poster poster) : poster_(std::move(poster)) {}

  void log(std::string_view text, int level = 0) override;
  /// Posts the catalogue id and the detail: the text is looked up where the record is shown.
  void logId(int id, std::string_view detail = {}, int level = 0);
  void clear() override;
  /// The background the posted records lead to (known here without asking the other thread).
  std::uint32_t background() const override { return background_; }

 private:
  Poster poster_;
  std::uint32_t background_ = kLogGreen;
};

}  // namespace ordalis::app
