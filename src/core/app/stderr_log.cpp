#include "core/app/stderr_log.h"

namespace ordalis::app {

void StderrLog::log(std::string_view text, int level) {
  // One write per message: standard error is unbuffered, and messages must not interleave halves.
  line_.assign(text);
  line_ += '\n';
  std::fwrite(line_.data(), 1, line_.size(), out_);
  ++count_;
  LevelColour(level, background_);
}

}  // namespace ordalis::app
