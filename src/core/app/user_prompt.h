#pragma once
// Message boxes as an interface: the desktop shows them, the batch program writes them to standard
// error, tests record them.

#include <string>
#include <string_view>
#include <vector>

namespace ordalis::app {

class UserPrompt {
 public:
  virtual ~UserPrompt() = default;
  /// Shows a message with an OK button and waits until it is acknowledged.
  virtual void inform(std::string_view text) = 0;
};

/// Records every message; used by tests and by code that has no one to ask.
class RecordingPrompt : public UserPrompt {
 public:
  void inform(std::string_view text) override { messages.emplace_back(text); }
  std::vector<std::string> messages;
};

}  // namespace ordalis::app
