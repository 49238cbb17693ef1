#pragma once
// Reads complete APT statements from a line source, joining "$" continuation lines.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ordalis::apt {

/// Where lines come from: a file, a string, the text of a pane.
class LineSource {
 public:
  virtual ~LineSource() = default;
  /// Puts the next line (without its line end) into `line`; returns false at the end.
  virtual bool nextLine(std::string& line) = 0;
  /// The index, in the whole text, of the first line this source reads (a pane's text is read
  /// from the caret's line).
  virtual std::size_t firstLine() const { return 0; }
  /// True when the line read next carries the line mark that stops a run (panes only).
  virtual bool nextLineMarked() const { return false; }
  /// Bytes consumed so far and in all (0 when unknown), for progress.
  virtual std::uint64_t bytesRead() const { return 0; }
  virtual std::uint64_t bytesTotal() const { return 0; }
  /// True when a read error (not the end) stopped the lines early: what was read is not the whole.
  virtual bool failed() const { return false; }
  /// True when the line last read holds no byte below 14 (no TAB, CR or LF): cleaning it only
  /// removes its trailing blanks. False when unknown.
  virtual bool lastLinePlain() const { return false; }
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
  bool failed() const override { return failed_; }
  bool nextLine(std::string& line) override;
  bool lastLinePlain() const override { return plain_; }
  std::uint64_t bytesRead() const override { return consumed_ - (end_ - begin_); }
  std::uint64_t bytesTotal() const override { return size_; }

 private:
  bool fill();
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;      // the file's size when it was opened
  std::uint64_t consumed_ = 0;  // bytes read from the file into the buffer
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  bool pendingCr_ = false;
  bool first_ = true;
  bool failed_ = false;
  bool plain_ = false;
};

/// Lines of a text in memory, with the same line ends and byte-order-mark rule as FileLineSource.
/// A pane's text is read from the start of the caret's line, with the lines that carry the mark.
class StringLineSource : public LineSource {
 public:
  explicit StringLineSource(std::string text) : text_(std::move(text)) {}
  /// Reads `text` from `offset`, the start of line `firstLine`; `markedLines` ascending.
  StringLineSource(std::string text, std::size_t offset, std::size_t firstLine,
                   std::vector<std::size_t> markedLines);
  bool nextLine(std::string& line) override;
  std::size_t firstLine() const override { return firstLine_; }
  bool nextLineMarked() const override;
  bool lastLinePlain() const override { return plain_; }
  std::uint64_t bytesRead() const override { return pos_; }
  std::uint64_t bytesTotal() const override { return text_.size(); }

 private:
  std::string text_;
  std::size_t pos_ = 0;
  bool first_ = true;
  bool plain_ = false;
  std::size_t firstLine_ = 0;
  std::size_t line_ = 0;  // index of the line read next
  std::vector<std::size_t> marks_;
  mutable std::size_t nextMark_ = 0;  // the first mark not behind line_
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
