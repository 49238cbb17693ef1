#pragma once
// A text pane held in memory: the batch program's and the tests' stand-in for a desktop text box.
// The text is stored with CR LF line breaks, so offsets are plain byte offsets.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/text_file_format.h"
#include "core/common/text_pane.h"

namespace ordalis::common {

class MemoryTextPane : public TextPane {
 public:
  MemoryTextPane() = default;
  explicit MemoryTextPane(std::string_view text) { setText(text); }

  std::size_t length() const override { return text_.size(); }
  std::string text() const override { return text_; }
  std::size_t selStart() const override { return selStart_; }
  void setSelStart(std::size_t start) override;
  std::size_t selLength() const override { return selLength_; }
  void setSelLength(std::size_t length) override;
  std::string selText() const override { return text_.substr(selStart_, selLength_); }
  void setSelText(std::string_view text) override;
  void setSelColor(std::uint32_t colour) override;
  void setSelUnderline(bool underline) override;
  bool selBullet() const override;
  void setSelBullet(bool bullet) override;
  void span(std::string_view charset, bool forward, bool negate) override;
  std::ptrdiff_t find(std::string_view text, std::size_t start, std::size_t end, bool wholeWord,
                      bool matchCase) const override;
  std::size_t lineCount() const override { return lineStarts_.size(); }
  std::size_t lineOf(std::size_t offset) const override;
  std::size_t lineStart(std::size_t line) const override {
    return line < lineStarts_.size() ? lineStarts_[line] : text_.size();
  }
  std::uint32_t colourAt(std::size_t offset) const override;
  bool underlineAt(std::size_t offset) const override;
  bool lineBullet(std::size_t line) const override {
    return line < bullets_.size() && bullets_[line] != 0;
  }
  void appendText(std::span<const ColouredText> pieces) override;
  void colourLines(std::span<const LineColour> ranges) override;
  std::vector<std::size_t> markedLines() const override;
  void setLineMark(std::size_t line, bool marked) override;
  void clear() override { setText({}); }
  bool load(const std::string& path) override;
  bool save(const std::string& path) const override;
  std::uint32_t background() const override { return background_; }
  void setBackground(std::uint32_t colour) override { background_ = colour; }

  /// Replaces the whole text as load does, from memory; it is saved with CR LF breaks.
  void setText(std::string_view text);
  /// Returns the text as a view, without copying.
  std::string_view view() const { return text_; }

 private:
  struct Attributes {
    std::uint32_t colour = 0;
    bool underline = false;
    bool operator==(const Attributes&) const = default;
  };
  /// Characters from `start` up to the next run's start share one set of attributes.
  struct Run {
    std::size_t start;
    Attributes attributes;
  };

  /// Moves an offset out of the middle of a CR LF pair and into the text.
  std::size_t snap(std::size_t offset) const;
  void replaceRange(std::size_t from, std::size_t to, std::string_view text);
  void replaceLines(std::size_t from, std::size_t to, std::string_view text);
  void replaceRuns(std::size_t from, std::size_t to, std::size_t inserted);
  template <typename Change>
  void changeAttributes(std::size_t from, std::size_t to, Change change);
  std::size_t runIndexAt(std::size_t offset) const;
  std::size_t firstRunFrom(std::size_t offset) const;
  void splitRunAt(std::size_t offset, std::size_t size);
  void mergeRuns(std::size_t first, std::size_t last);
  void setNormalisedText(std::string text);
  /// End of `line` with its break: the start of the next line, or the end of the text.
  std::size_t lineEnd(std::size_t line) const { return lineStart(line + 1); }

  std::string text_;
  std::vector<std::size_t> lineStarts_{0};
  // Per line: its bullet belongs to the line's end, so a line split before it keeps its mark.
  std::vector<std::uint8_t> bullets_{0};
  std::vector<Run> runs_;
  Attributes current_;
  std::size_t selStart_ = 0, selLength_ = 0;
  std::uint32_t background_ = 16777215;
  TextFileFormat format_;
};

}  // namespace ordalis::common
