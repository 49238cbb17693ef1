#include "ui/app/log_pane.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QScrollBar>
#include <QTextCursor>
#include <mutex>
#include <utility>
#include <vector>

#include "core/l10n/strings.h"
#include "ui/app/qt_text_pane_format.h"
#include "ui/common/cp1252.h"
#include "ui/common/dialogs.h"
#include "ui/ppdef/editor_dialogs.h"

namespace ordalis::ui {

namespace {

constexpr int kLogFilter = 513, kExportCaption = 4029, kWriteFailed = 4045;
constexpr const char* kLogFileName = "Ordalis.log";

}  // namespace

// Shared with the posters, which may outlive the pane: the pane clears `pane` as it goes.
struct LogQueue {
  std::mutex mutex;
  std::vector<common::LogRecord> records;
  LogPane* pane = nullptr;
  bool flushQueued = false;

  /// Queues a record; the first of a batch asks the pane's thread to apply the batch.
  void push(common::LogRecord&& record) {
    const std::lock_guard lock(mutex);
    if (pane == nullptr) return;
    records.push_back(std::move(record));
    if (flushQueued) return;
    flushQueued = true;
    // Posted while the pane is alive (the lock keeps it so); a destroyed object's posted events
    // are dropped with it.
    QMetaObject::invokeMethod(pane, &LogPane::flush, Qt::QueuedConnection);
  }
};

LogPane::LogPane(const l10n::Strings& strings, QWidget* parent)
    : QPlainTextEdit(parent), strings_(strings), queue_(std::make_shared<LogQueue>()) {
  queue_->pane = this;
  setObjectName("MessageLOG");
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setBackgroundColour(common::kLogGreen);
}

LogPane::~LogPane() {
  const std::lock_guard lock(queue_->mutex);
  queue_->pane = nullptr;
}

void LogPane::post(common::LogRecord record) { queue_->push(std::move(record)); }

common::RecordLog::Poster LogPane::poster() {
  return [queue = queue_](common::LogRecord&& record) { queue->push(std::move(record)); };
}

void LogPane::flush() {
  std::vector<common::LogRecord> records;
  {
    const std::lock_guard lock(queue_->mutex);
    records.swap(queue_->records);
    queue_->flushQueued = false;
  }
  QString lines;
  int level = 0;
  for (const common::LogRecord& record : records) {
    if (record.clears) {
      lines.clear();
      level = 0;
      clear();
      continue;
    }
    if (record.id != 0) lines += FromCp1252(strings_.get(record.id));
    lines += FromCp1252(record.detail);
    lines += '\n';
    std::uint32_t colour;
    if (common::LevelColour(record.level, colour)) level = record.level;
  }
  if (!lines.isEmpty()) append(lines, level);
}

void LogPane::log(int id, std::string_view detail, int level) {
  flush();
  QString line = id != 0 ? FromCp1252(strings_.get(id)) : QString();
  line += FromCp1252(detail);
  append(line + '\n', level);
}

void LogPane::clear() {
  QPlainTextEdit::clear();
  setBackgroundColour(common::kLogGreen);
}

void LogPane::append(const QString& lines, int level) {
  QScrollBar* bar = verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  // At the end whatever the user clicked: messages stay in the order they came.
  QTextCursor end(document());
  end.movePosition(QTextCursor::End);
  end.insertText(lines);
  if (atEnd) bar->setValue(bar->maximum());
  std::uint32_t colour;
  if (common::LevelColour(level, colour)) setBackgroundColour(colour);
}

void LogPane::setBackgroundColour(std::uint32_t colour) {
  background_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::Base, ToQColor(colour));
  setPalette(p);
}

std::string LogPane::plainText() const { return BytesOfWidgetText(document()->toRawText()); }

bool LogPane::exportLog(Dialogs& dialogs, const QString& folder) {
  flush();
  QString caption = FromCp1252(strings_.get(kExportCaption));
  caption.remove('&');
  const QString path = dialogs.chooseSavePath(this, caption, QDir(folder).filePath(kLogFileName),
                                              QtFileFilter(FromCp1252(strings_.get(kLogFilter))));
  if (path.isEmpty()) return false;
  if (common::ExportLog(plainText(), QFile::encodeName(path).toStdString())) return true;
  dialogs.inform(this, FromCp1252(strings_.get(kWriteFailed)) + ' ' + path);
  return false;
}

}  // namespace ordalis::ui
