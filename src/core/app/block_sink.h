#pragma once
// Where the processing driver puts the generated blocks: a file (written under a temporary name and
// renamed when the run ends, so an earlier program is never half overwritten) or a string.

#include <cstdio>
#include <string>
#include <string_view>

namespace ordalis::app {

class BlockSink {
 public:
  virtual ~BlockSink() = default;
  /// Appends `text` followed by CR LF.
  virtual void writeLine(std::string_view text) = 0;
};

/// Collects the output in memory.
class StringBlockSink : public BlockSink {
 public:
  void writeLine(std::string_view text) override {
    text_.append(text);
    text_.append("\r\n");
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

/// Writes to a temporary file beside the target, in large chunks; commit() renames it over the
/// target. Until then, and whenever anything fails, the target keeps what it held before.
/// A target that is a device, pipe or socket is written directly; a link keeps pointing to the
/// file that receives the program.
class FileBlockSink : public BlockSink {
 public:
  explicit FileBlockSink(std::string target);
  ~FileBlockSink() override;
  FileBlockSink(const FileBlockSink&) = delete;
  FileBlockSink& operator=(const FileBlockSink&) = delete;

  /// False when the temporary file could not be created (missing or unwritable folder).
  bool isOpen() const { return file_ != nullptr; }
  void writeLine(std::string_view text) override {
    buffer_.append(text);
    buffer_.append("\r\n");
    if (buffer_.size() >= kChunk) flush();
  }
  /// Writes what is buffered, closes the file and renames it over the target. Returns false (and
  /// removes the temporary file) when any write, the close or the rename failed.
  bool commit();
  /// Closes and removes the temporary file; the target is left as it was.
  void abandon();
  const std::string& target() const { return target_; }

 private:
  static constexpr std::size_t kChunk = 1u << 20;
  void flush();

  std::string target_;
  std::string destination_;  // the file renamed over: the target, or the file its link names
  std::string temp_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  bool failed_ = false;
  bool inPlace_ = false;  // a device, pipe or socket: written directly, nothing renamed
};

}  // namespace ordalis::app
