#pragma once
// The message log shown in a text pane: the desktop's log box, written through the pane contract.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/app/message_log.h"
#include "core/app/text_pane.h"

namespace ordalis::app {

class PaneLog : public MessageLog {
 public:
  /// Logs into `pane`, which must outlive the log.
  explicit PaneLog(TextPane& pane) : pane_(pane) {}
  /// Inserts the text and a line break at the pane's caret, which then stands after them, and sets
  /// the background for levels 1 to 4.
  void log(std::string_view text, int level = 0) override;
  void clear() override;
  std::uint32_t background() const override { return pane_.background(); }
  /// Returns the whole log as plain text, as the export command writes it.
  std::string text() const { return pane_.text(); }

 private:
  TextPane& pane_;
  std::string line_;
};

}  // namespace ordalis::app
