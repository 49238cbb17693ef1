#pragma once
// The rich-text-pane contract: everything the driver, the log and the text tools ask of a text
// pane. Offsets count characters from 0, and a line break always counts as two (CR LF), whatever
// the widget stores, because callers step over line breaks by 2.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ordalis::app {

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

  /// Empties the pane and its formatting, marks included; the background stays.
  virtual void clear() = 0;
  /// Loads a file as plain text, line ends normalised to CR LF, a UTF-8 byte-order mark skipped,
  /// formatting cleared and the caret at 0. Returns false, leaving the pane unchanged, when the
  /// file cannot be read.
  virtual bool load(const std::string& path) = 0;
  /// Writes the plain text to a file; returns false when it cannot.
  virtual bool save(const std::string& path) const = 0;

  virtual std::uint32_t background() const = 0;
  virtual void setBackground(std::uint32_t colour) = 0;
};

/// Widens the selection to the whole lines it touches, without their line breaks: from the caret
/// it selects the caret's line.
void selectCurrentLine(TextPane& pane);

/// True when the byte is part of a word for whole-word searches: an ASCII letter or digit, "_",
/// or a Windows-1252 letter.
bool IsWordByte(unsigned char c);

}  // namespace ordalis::app
