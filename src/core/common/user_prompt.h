#pragma once
// Message boxes as an interface: the desktop shows them, the batch program writes them to standard
// error, tests record them. Like log messages they travel as a catalogue id and a detail, so a
// run on another thread can ask for one and the window shows it on its own thread.

#include <string>
#include <string_view>
#include <vector>

#include "core/common/message_log.h"

namespace ordalis::common {

class UserPrompt {
 public:
  virtual ~UserPrompt() = default;
  /// Shows the catalogue text of `id` followed by `detail` (id 0: `detail` alone) with an OK
  /// button.
  virtual void inform(int id, std::string_view detail = {}) = 0;
  /// A literal message, already composed.
  void informText(std::string_view text) { inform(0, text); }
};

/// Records every message; used by tests and by code that has no one to ask. The texts are composed
/// with `texts` when it is given.
class RecordingPrompt : public UserPrompt {
 public:
  explicit RecordingPrompt(const MessageTexts* texts = nullptr) : texts(texts) {}
  void inform(int id, std::string_view detail = {}) override {
    records.push_back(LogRecord{id, std::string(detail), 0, false});
    messages.push_back(ComposeMessage(texts, id, detail));
  }
  const MessageTexts* texts;
  std::vector<LogRecord> records;
  std::vector<std::string> messages;
};

}  // namespace ordalis::common
