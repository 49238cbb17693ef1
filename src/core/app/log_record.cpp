#include "core/app/log_record.h"

namespace ordalis::app {

void RecordLog::log(std::string_view text, int level) { logId(0, text, level); }

void RecordLog::logId(int id, std::string_view detail, int level) {
  LevelColour(level, background_);
  poster_(LogRecord{id, std::string(detail), level, false});
}

void RecordLog::clear() {
  background_ = kLogGreen;
  poster_(LogRecord{0, {}, 0, true});
}

}  // namespace ordalis::app
