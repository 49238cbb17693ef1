#pragma once
// The message log: every stage reports what it could not process here, never by throwing. A
// message travels as a record (catalogue id, detail, level); the log that shows it composes its
// text in the language of the moment, so work on another thread never touches the catalogue or a
// widget.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ordalis::common {

/// Background colours by level (blue in the high byte, as the colour keys store them).
inline constexpr std::uint32_t kLogGreen = 12648384;  // level 1, and after clearing
inline constexpr std::uint32_t kLogOrange = 8438015;  // level 2
inline constexpr std::uint32_t kLogRed = 8421631;     // level 3
inline constexpr std::uint32_t kLogWhite = 16777215;  // level 4

/// Returns the background colour a level sets, or false when the level leaves it unchanged.
bool LevelColour(int level, std::uint32_t& colour);

struct LogRecord {
  int id = 0;           // catalogue id of the text; 0 when the detail is the whole message
  std::string detail;   // appended to the catalogue text
  int level = 0;        // 1 to 4 set the log's background
  bool clears = false;  // empties the log (background light green) instead of adding a line
  bool operator==(const LogRecord&) const = default;
};

/// The texts of the catalogue by id, in the current language (l10n::Strings is one).
class MessageTexts {
 public:
  virtual ~MessageTexts() = default;
  /// Returns the text of `id`; empty when there is none.
  virtual std::string text(int id) const = 0;
};

/// The text a record shows: the catalogue text of its id (none for id 0, or without `texts`)
/// followed by its detail.
std::string ComposeMessage(const MessageTexts* texts, int id, std::string_view detail);

class MessageLog {
 public:
  virtual ~MessageLog() = default;
  /// Appends one message as one line: the catalogue text of `id` followed by `detail`. Id 0 logs
  /// `detail` alone (the few literal technical messages).
  virtual void log(int id, std::string_view detail = {}, int level = 0) = 0;
  /// Empties the log and sets the background to light green.
  virtual void clear() = 0;
  /// Returns the log's background colour.
  virtual std::uint32_t background() const = 0;

  /// A literal message, already composed.
  void logText(std::string_view text, int level = 0) { log(0, text, level); }
};

/// Keeps the messages in memory as records: the tests' witness. Their texts are composed with
/// `texts` when it is given (see setTexts), else they are the details alone.
class VectorLog : public MessageLog {
 public:
  explicit VectorLog(const MessageTexts* texts = nullptr) : texts_(texts) {}
  void setTexts(const MessageTexts* texts) { texts_ = texts; }

  void log(int id, std::string_view detail = {}, int level = 0) override;
  void clear() override;
  std::uint32_t background() const override { return background_; }

  const std::vector<LogRecord>& records() const { return records_; }
  /// The messages as they read, one per record.
  std::vector<std::string> lines() const;
  /// Returns the whole log as plain text, one CR LF after each message.
  std::string text() const;
  bool contains(std::string_view fragment) const;
  /// True when a message with catalogue id `id` was logged.
  bool containsId(int id) const;

 private:
  const MessageTexts* texts_;
  std::vector<LogRecord> records_;
  std::uint32_t background_ = kLogGreen;
};

/// A MessageLog that hands every message on as a record, for a log that lives on another thread.
/// The poster must be safe to call from the thread that logs.
class RecordLog : public MessageLog {
 public:
  using Poster = std::function<void(LogRecord&&)>;
  explicit RecordLog(Poster poster) : poster_(std::move(poster)) {}

  void log(int id, std::string_view detail = {}, int level = 0) override;
  void clear() override;
  /// The background the posted records lead to (known here without asking the other thread).
  std::uint32_t background() const override { return background_; }

 private:
  Poster poster_;
  std::uint32_t background_ = kLogGreen;
};

/// Writes the log as plain text to a file (the export command); returns false when it cannot.
bool ExportLog(const std::string& plainText, const std::string& path);

}  // namespace ordalis::common
