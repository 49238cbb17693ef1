#pragma once
// Where a run puts what it makes: a file (written under a temporary name and renamed when the run
// ends, so an earlier program is never half overwritten), a string, the ISO pane (text road), the
// moves of the toolpath display (display road).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace ordalis::iso {
struct RunState;
}

namespace ordalis::app {

/// The lines of the source a statement came from (0-based, `last` included).
struct StatementLines {
  std::size_t first = 0;
  std::size_t last = 0;
};

class BlockSink {
 public:
  virtual ~BlockSink() = default;
  /// Appends `text` followed by CR LF: the start and end templates, the blocks a run still owes.
  virtual void writeLine(std::string_view text) = 0;
  /// A statement as its handler left the run-time state, before its blocks are generated (the
  /// display road reads the move from it).
  virtual void interpreted(std::string_view /*statement*/, const iso::RunState& /*state*/,
                           const StatementLines& /*lines*/) {}
  /// The blocks of one statement ("" when none; several lines joined by CR LF) and the colour the
  /// statement takes in the APT pane.
  virtual void writeBlocks(std::string_view blocks, std::int32_t /*colour*/) {
    if (!blocks.empty()) writeLine(blocks);
  }
  /// The run is over: `keep` false drops what was written (a stopped file conversion leaves the
  /// earlier file). Returns false when the output could not be kept.
  virtual bool finish(bool /*keep*/) { return true; }
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
class FileBlockSink final : public BlockSink {
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
  void writeBlocks(std::string_view blocks, std::int32_t /*colour*/) override {
    if (!blocks.empty()) writeLine(blocks);
  }
  /// Writes what is buffered, closes the file and renames it over the target. Returns false (and
  /// removes the temporary file) when any write, the close or the rename failed.
  bool commit();
  /// commit() when `keep`, else abandon().
  bool finish(bool keep) override {
    if (keep) return commit();
    abandon();
    return true;
  }
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
