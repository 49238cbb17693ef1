#pragma once
// The rich-text-pane contract: everything the driver, the log and the text tools ask of a text
// pane. Offsets count characters from 0, and a line break always counts as two (CR LF), whatever
// the widget stores, because callers step over line breaks by 2.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ordalis::common {

/// A piece of text and the colour it is appended in.
struct ColouredText {
  std::string_view text;
  std::uint32_t colour = 0;
};

/// `count` lines from line `first` and the colour they take.
struct LineColour {
  std::size_t first = 0;
  std::size_t count = 1;
  std::uint32_t colour = 0;
};

/// The line mark's colour: red is kept for it and never chosen for a statement.
inline constexpr std::uint32_t kLineMarkColour = 255;

class TextPane {
 public:
  virtual ~TextPane() = default;

  /// Returns the number of characters of the whole text (line breaks counting two).
  virtual std::size_t length() const = 0;
  /// Returns the whole text as plain text with CR LF line breaks.
  virtual std::string text() const = 0;

  virtual std::size_t selStart() const = 0;
  /// Puts the caret at `start` (clamped to the text) and collapses the selection to it.
  virtual void setSelStart(std::size_t start) = 0;
  virtual std::size_t selLength() const = 0;
  /// Selects `length` characters from the selection start (clamped to the text).
  virtual void setSelLength(std::size_t length) = 0;
  /// Selects exactly [start, start + length).
  void select(std::size_t start, std::size_t length) {
    setSelStart(start);
    setSelLength(length);
  }

  /// Returns the selected text (CR LF line breaks).
  virtual std::string selText() const = 0;
  /// Replaces the selection (or inserts at the caret) and leaves the caret after the new text. The
  /// new text takes the colour and underline set last. LF or CR alone become CR LF.
  virtual void setSelText(std::string_view text) = 0;

  /// Colours the selection; text written later takes this colour too. Red in the low byte.
  virtual void setSelColor(std::uint32_t colour) = 0;
  /// Underlines the selection or not; text written later takes this state too.
  virtual void setSelUnderline(bool underline) = 0;
  /// Returns the bullet (line mark) of the line that holds the selection start.
  virtual bool selBullet() const = 0;
  /// Sets or clears the bullet of every line the selection touches.
  virtual void setSelBullet(bool bullet) = 0;

  /// Widens the selection over the characters not in `charset` (negate true) or in it (negate
  /// false): forward moves its end, backward its start, each up to, not including, the first
  /// character that stops it. With the set CR LF, backward then forward selects one line.
  virtual void span(std::string_view charset, bool forward, bool negate) = 0;

  /// Returns the offset of the first occurrence of `text` lying within [start, end), or -1. An
  /// `end` past the text means the end of the text. With `wholeWord`, the occurrence must not
  /// touch a letter, digit or "_" on either side.
  virtual std::ptrdiff_t find(std::string_view text, std::size_t start, std::size_t end,
                              bool wholeWord, bool matchCase) const = 0;

  /// Returns the number of lines: one more than the line breaks.
  virtual std::size_t lineCount() const = 0;
  /// Returns the line that holds `offset`; a line's break belongs to it.
  virtual std::size_t lineOf(std::size_t offset) const = 0;
  /// Returns the offset where `line` starts, or length() past the last line.
  virtual std::size_t lineStart(std::size_t line) const = 0;

  /// Returns the colour of the character at `offset` (0 past the text).
  virtual std::uint32_t colourAt(std::size_t offset) const = 0;
  /// True when the character at `offset` is underlined.
  virtual bool underlineAt(std::size_t offset) const = 0;
  /// True when `line` carries the bullet (false past the last line).
  virtual bool lineBullet(std::size_t line) const = 0;

  // Bulk operations, so that a pane over a widget is not driven one range at a time.

  /// Appends the pieces at the end of the text, each in its colour, exactly as
  /// setSelStart(length()), setSelColor(colour) and setSelText(text) would one piece after the
  /// other: the caret ends after the text and text written later takes the last piece's colour.
  virtual void appendText(std::span<const ColouredText> pieces) = 0;
  /// Colours each range of whole lines, their line breaks included. Lines past the text are
  /// ignored. Neither the selection nor the colour of text written later changes.
  virtual void colourLines(std::span<const LineColour> ranges) = 0;
  /// Returns the lines that carry the bullet, in ascending order.
  virtual std::vector<std::size_t> markedLines() const = 0;
  /// The line mark as one operation: marked, the whole line with its break becomes red and takes
  /// the bullet; unmarked, it becomes black and loses it. Neither the selection nor the colour of
  /// text written later changes. A line past the text is ignored.
  virtual void setLineMark(std::size_t line, bool marked) = 0;

  /// Empties the pane and its formatting, marks included; the background stays.
  virtual void clear() = 0;
  /// Loads a file as plain text, line ends normalised to CR LF, a UTF-8 byte-order mark skipped,
  /// formatting cleared and the caret at 0. Returns false, leaving the pane unchanged, when the
  /// file cannot be read.
  virtual bool load(const std::string& path) = 0;
  /// Writes the plain text to a file with the line breaks and the byte-order mark of the file last
  /// loaded (CR LF and no mark when none was, or after clear()): a file loaded and saved unchanged
  /// is written byte for byte as it was. Returns false when it cannot write.
  virtual bool save(const std::string& path) const = 0;

  virtual std::uint32_t background() const = 0;
  virtual void setBackground(std::uint32_t colour) = 0;
};

/// Widens the selection to the whole lines it touches, without their line breaks: from the caret
/// it selects the caret's line.
void SelectCurrentLine(TextPane& pane);

/// The right-click and F9 line mark: marks `line` when it is not marked, unmarks it otherwise.
/// Returns whether the line is marked afterwards.
bool ToggleLineMark(TextPane& pane, std::size_t line);

/// The contract's find over plain text with CR LF breaks: the first occurrence of `text` lying
/// within [start, end) of `all`, or -1. Beyond `all`, and at its two ends, there are no words.
std::ptrdiff_t FindInText(std::string_view all, std::string_view text, std::size_t start,
                          std::size_t end, bool wholeWord, bool matchCase);

/// True when the byte is part of a word for whole-word searches: an ASCII letter or digit, "_",
/// or a Windows-1252 letter.
bool IsWordByte(unsigned char c);

}  // namespace ordalis::common
