#include "core/app/pane_log.h"

namespace ordalis::app {

void PaneLog::log(std::string_view text, int level) {
  line_.assign(text);
  line_ += "\r\n";
  pane_.setSelText(line_);
  std::uint32_t colour;
  if (LevelColour(level, colour)) pane_.setBackground(colour);
}

void PaneLog::clear() {
  pane_.clear();
  pane_.setBackground(kLogGreen);
}

}  // namespace ordalis::app
