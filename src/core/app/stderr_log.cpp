#include "core/app/stderr_log.h"

namespace ordalis::app {

void StderrLog::log(int id, std::string_view detail, int level) {
  // One write per message: standard error is unbuffered, and messages must not interleave halves.
  line_ = common::ComposeMessage(texts_, id, detail);
  line_ += '\n';
  std::fwrite(line_.data(), 1, line_.size(), out_);
  ++count_;
  common::LevelColour(level, background_);
}

}  // namespace ordalis::app
