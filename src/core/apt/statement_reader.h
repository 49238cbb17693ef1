#pragma once
// Reads complete APT statements from a line source, joining "$" continuation lines.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace ordalis::apt {

/// Where lines come from: a file, a string, a text pane.
class LineSource {
 public:
  virtual ~LineSource() = default;
  /// Puts the next line (without its line end) into `line`; returns false at the end.
  virtual bool nextLine(std::string& line) = 0;
};

/// Lines of a file read in large blocks; CR LF, LF and CR all end a line, a UTF-8 byte-order mark
/// at the start is skipped, and any other byte (NUL included) passes through. Only the current line
/// is held beyond the fixed block buffer.
class FileLineSource : public LineSource {
 public:
  /// Size of the blocks read from the file.
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  explicit FileLineSource(const std::string& path);
  ~FileLineSource() override;
  FileLineSource(const FileLineSource&) = delete;
  FileLineSource& operator=(const FileLineSource&) = delete;
  bool isOpen() const { return file_ != nullptr; }
  /// True when a read error (not the end of the file) stopped the lines early.
  bool failed() const { return failed_; }
  bool nextLine(std::string& line) override;

 private:
  bool fill();
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  bool pendingCr_ = false;
  bool first_ = true;
  bool failed_ = false;
};

/// Lines of a text in memory, with the same line ends and byte-order-mark rule as FileLineSource.
class StringLineSource : public LineSource {
 public:
  explicit StringLineSource(std::string text) : text_(std::move(text)) {}
  bool nextLine(std::string& line) override;

 private:
  std::string text_;
  std::size_t pos_ = 0;
  bool first_ = true;
};

class StatementReader {
 public:
  explicit StatementReader(LineSource& source) : source_(source) {}
  /// Puts the next complete statement into `statement`; returns false when the source is exhausted.
  /// A continuation on the last line yields the unfinished statement rather than losing it.
  bool next(std::string& statement);
  /// Returns the number of source lines consumed so far.
  std::size_t linesRead() const { return linesRead_; }

 private:
  LineSource& source_;
  std::string line_;
  std::size_t linesRead_ = 0;
};

/// True when a cleaned line is a whole comment: its first non-blank characters are "$$".
bool IsWholeCommentLine(std::string_view cleanedLine);

/// True when a cleaned line continues on the next one: at least two characters with a "$" at its
/// last or next-to-last position, and not a whole comment line. The caller then keeps the line
/// without its last character.
bool IsContinuationLine(std::string_view cleanedLine);

}  // namespace ordalis::apt
