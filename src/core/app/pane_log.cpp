#include "core/app/pane_log.h"

namespace ordalis::app {

void PaneLog::log(int id, std::string_view detail, int level) {
  line_ = common::ComposeMessage(texts_, id, detail);
  line_ += "\r\n";
  pane_.setSelText(line_);
  std::uint32_t colour;
  if (common::LevelColour(level, colour)) pane_.setBackground(colour);
}

void PaneLog::clear() {
  pane_.clear();
  pane_.setBackground(common::kLogGreen);
}

}  // namespace ordalis::app
