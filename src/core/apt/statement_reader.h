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

/// Lines of a file read in large blocks; CR LF, LF and CR all end a line.
class FileLineSource : public LineSource {
 public:
  explicit FileLineSource(const std::string& path);
  ~FileLineSource() override;
  FileLineSource(const FileLineSource&) = delete;
  FileLineSource& operator=(const FileLineSource&) = delete;
  bool isOpen() const { return file_ != nullptr; }
  bool nextLine(std::string& line) override;

 private:
  bool fill();
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  bool pendingCr_ = false;
  bool first_ = true;
};

/// Lines of a text in memory.
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

 private:
  LineSource& source_;
  std::string line_;
};

/// True when a cleaned line continues on the next one ("$" at its last or next-to-last position).
bool IsContinuationLine(std::string_view cleanedLine);

}  // namespace ordalis::apt
