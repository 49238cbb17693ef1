#pragma once
// The message log of the main window: a read-only pane whose background follows the level of the
// last message that carried one. Work on another thread posts its messages as records; the pane
// applies them on its own thread in batches, and takes the text of a record from the catalogue
// when it shows it.

#include <QPlainTextEdit>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/common/message_log.h"

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class Dialogs;
struct LogQueue;

class LogPane : public QPlainTextEdit, public common::MessageLog {
  Q_OBJECT

 public:
  explicit LogPane(const l10n::Strings& strings, QWidget* parent = nullptr);
  ~LogPane() override;

  /// Appends one message as a line after the records posted before it (GUI thread).
  void log(int id, std::string_view detail = {}, int level = 0) override;
  /// Empties the log; the background becomes light green (GUI thread).
  void clear() override;
  std::uint32_t background() const override { return background_; }

  /// Queues a record from any thread; the queue is applied at the next turn of the event loop.
  void post(common::LogRecord record);
  /// A poster for an common::RecordLog on a worker thread. It may outlive the pane: records posted
  /// after the pane is gone are dropped.
  common::RecordLog::Poster poster();
  /// Applies the queued records at once (GUI thread).
  void flush();

  /// The whole log as the export writes it: Windows-1252, CR LF after each message.
  std::string plainText() const;
  /// The export command: asks where to save (proposing "Ordalis.log" in `folder`, filter 513)
  /// and writes the log there. Returns true when a file was written; a cancelled dialog writes
  /// nothing, a failed write is told.
  bool exportLog(Dialogs& dialogs, const QString& folder);

 private:
  void append(const QString& lines, int level);
  void setBackgroundColour(std::uint32_t colour);

  const l10n::Strings& strings_;
  std::shared_ptr<LogQueue> queue_;
  std::uint32_t background_ = common::kLogGreen;
};

}  // namespace ordalis::ui
