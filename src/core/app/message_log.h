#pragma once
// The message log: every stage reports what it could not process here, never by throwing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ordalis::app {

/// Background colours by level (blue in the high byte, as the colour keys store them).
inline constexpr std::uint32_t kLogGreen = 12648384;   // level 1, and after clearing
inline constexpr std::uint32_t kLogOrange = 8438015;   // level 2
inline constexpr std::uint32_t kLogRed = 8421631;      // level 3
inline constexpr std::uint32_t kLogWhite = 16777215;   // level 4

/// Returns the background colour a level sets, or false when the level leaves it unchanged.
bool LevelColour(int level, std::uint32_t& colour);

class MessageLog {
 public:
  virtual ~MessageLog() = default;
  /// Appends one message (already composed in the current language) as one line.
  virtual void log(std::string_view text, int level = 0) = 0;
  /// Empties the log and sets the background to light green.
  virtual void clear() = 0;
  /// Returns the log's background colour.
  virtual std::uint32_t background() const = 0;
};

/// Keeps the messages in memory: the batch program's buffer, the tests' witness.
class VectorLog : public MessageLog {
 public:
  void log(std::string_view text, int level = 0) override;
  void clear() override;
  std::uint32_t background() const override { return background_; }
  const std::vector<std::string>& lines() const { return lines_; }
  /// Returns the whole log as plain text, one CR LF after each message.
  std::string text() const;
  bool contains(std::string_view fragment) const;

 private:
  std::vector<std::string> lines_;
  std::uint32_t background_ = kLogGreen;
};

/// Writes the log as plain text to a file (the export command); returns false when it cannot.
bool ExportLog(const std::string& plainText, const std::string& path);

}  // namespace ordalis::app
