#pragma once
// The message log shown in a text pane: the desktop's log box, written through the pane contract.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/message_log.h"
#include "core/common/text_pane.h"

namespace ordalis::app {

class PaneLog : public common::MessageLog {
 public:
  /// Logs into `pane` with the texts of `texts` (may be null: details alone); both must outlive
  /// the log.
  explicit PaneLog(common::TextPane& pane, const common::MessageTexts* texts = nullptr)
      : pane_(pane), texts_(texts) {}
  /// Inserts the message and a line break at the pane's caret, which then stands after them, and
  /// sets the background for levels 1 to 4.
  void log(int id, std::string_view detail = {}, int level = 0) override;
  void clear() override;
  std::uint32_t background() const override { return pane_.background(); }
  /// Returns the whole log as plain text, as the export command writes it.
  std::string text() const { return pane_.text(); }

 private:
  common::TextPane& pane_;
  const common::MessageTexts* texts_;
  std::string line_;
};

}  // namespace ordalis::app
