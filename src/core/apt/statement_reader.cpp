#include "core/apt/statement_reader.h"

#include <algorithm>
#include <cstring>

#include "core/common/text.h"

namespace ordalis::apt {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr std::size_t kBomSize = 3;

/// Returns the first CR or LF in [p, e), or e. Clears `plain` when a TAB or another byte below 14
/// comes before it.
const char* FindLineEnd(const char* p, const char* e, bool& plain) {
  for (;;) {
    p = common::FindLowControl(p, e);
    if (p == e || *p == '\r' || *p == '\n') return p;
    plain = false;
    ++p;
  }
}

}  // namespace

FileLineSource::FileLineSource(const std::string& path) {
  file_ = std::fopen(common::NativePath(path).c_str(), "rb");
  if (!file_) return;
  // The blocks go straight into our own buffer; a second stdio buffer would only copy them again.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  if (std::fseek(file_, 0, SEEK_END) == 0) {
    const long size = std::ftell(file_);
    if (size > 0) size_ = static_cast<std::uint64_t>(size);
  }
  std::rewind(file_);
  buffer_ = std::make_unique<char[]>(kBlockSize);
}

FileLineSource::~FileLineSource() {
  if (file_) std::fclose(file_);
}

bool FileLineSource::fill() {
  begin_ = end_ = 0;
  if (!file_) return false;
  end_ = std::fread(buffer_.get(), 1, kBlockSize, file_);
  consumed_ += end_;
  if (end_ < kBlockSize && std::ferror(file_)) failed_ = true;
  if (first_) {
    first_ = false;
    if (end_ >= kBomSize && std::memcmp(buffer_.get(), kBom, kBomSize) == 0) begin_ = kBomSize;
  }
  // A CR that closed the previous block and the LF that opens this one are one line end.
  if (pendingCr_ && begin_ < end_ && buffer_[begin_] == '\n') ++begin_;
  pendingCr_ = false;
  return end_ > 0;
}

bool FileLineSource::nextLine(std::string& line) {
  line.clear();
  plain_ = true;
  bool started = false;
  for (;;) {
    while (begin_ == end_) {
      if (!fill()) return started;
    }
    started = true;
    const char* base = buffer_.get();
    const char* stop = FindLineEnd(base + begin_, base + end_, plain_);
    // Pointer and length: the plain append, not the general replace an iterator range goes through.
    line.append(base + begin_, static_cast<std::size_t>(stop - (base + begin_)));
    if (stop == base + end_) {
      begin_ = end_;
      continue;
    }
    std::size_t next = static_cast<std::size_t>(stop - base) + 1;
    if (*stop == '\r') {
      if (next < end_) {
        if (base[next] == '\n') ++next;
      } else {
        pendingCr_ = true;
      }
    }
    begin_ = next;
    return true;
  }
}

StringLineSource::StringLineSource(std::string text, std::size_t offset, std::size_t firstLine,
                                   std::vector<std::size_t> markedLines)
    : text_(std::move(text)),
      pos_(std::min(offset, text_.size())),
      first_(pos_ == 0),
      firstLine_(firstLine),
      line_(firstLine),
      marks_(std::move(markedLines)) {}

bool StringLineSource::nextLineMarked() const {
  // Marks behind the line read next are passed for good: the search never goes back.
  while (nextMark_ < marks_.size() && marks_[nextMark_] < line_) ++nextMark_;
  return nextMark_ < marks_.size() && marks_[nextMark_] == line_;
}

bool StringLineSource::nextLine(std::string& line) {
  if (first_) {
    first_ = false;
    if (text_.compare(0, kBomSize, kBom) == 0) pos_ = kBomSize;
  }
  line.clear();
  plain_ = true;
  if (pos_ >= text_.size()) return false;
  const char* base = text_.data();
  const char* stop = FindLineEnd(base + pos_, base + text_.size(), plain_);
  line.append(base + pos_, static_cast<std::size_t>(stop - (base + pos_)));
  pos_ = static_cast<std::size_t>(stop - base);
  ++line_;
  if (pos_ < text_.size()) {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }
  return true;
}

bool IsWholeCommentLine(std::string_view cleanedLine) {
  const std::size_t first = cleanedLine.find_first_not_of(' ');
  return first != std::string_view::npos && cleanedLine.compare(first, 2, "$$") == 0;
}

bool IsContinuationLine(std::string_view cleanedLine) {
  const std::size_t n = cleanedLine.size();
  if (n < 2 || (cleanedLine[n - 1] != '$' && cleanedLine[n - 2] != '$')) return false;
  return !IsWholeCommentLine(cleanedLine);
}

bool StatementReader::next(std::string& statement) {
  statement.clear();
  bool any = false;
  bool continuing = false;
  while (source_.nextLine(line_)) {
    any = true;
    ++linesRead_;
    if (source_.lastLinePlain()) {
      // Nothing to replace or remove inside: only the trailing blanks go.
      std::size_t n = line_.size();
      while (n > 0 && line_[n - 1] == ' ') --n;
      line_.resize(n);
    } else {
      common::CleanLineInPlace(line_);
    }
    // A "$$" comment line between the lines of a statement would end it early and leave the rest
    // of the statement to be read as one of its own: it is passed over.
    if (continuing && IsWholeCommentLine(line_)) continue;
    if (!IsContinuationLine(line_)) {
      // Most statements are one line: hand the buffer over instead of copying it.
      if (statement.empty()) {
        statement.swap(line_);
      } else {
        statement += line_;
      }
      return true;
    }
    statement.append(line_, 0, line_.size() - 1);
    continuing = true;
  }
  return any;
}

}  // namespace ordalis::apt
