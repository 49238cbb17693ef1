#pragma once
// How a text file was written (its line breaks and a UTF-8 byte-order mark), so that a pane that
// shows it with CR LF breaks writes it back byte for byte as it was.

#include <string>
#include <string_view>

namespace ordalis::common {

/// Returns the text with every LF, CR and CR LF turned into CR LF.
std::string NormaliseLineBreaks(std::string_view text);

class TextFileFormat {
 public:
  /// CR LF, no byte-order mark: the format of text that was not loaded from a file.
  TextFileFormat() = default;

  /// Reads the format of a file's bytes and returns its text to show: byte-order mark left out,
  /// line breaks made CR LF.
  static TextFileFormat read(std::string_view bytes, std::string& text);
  /// Reads the format only; `body` is the bytes without the byte-order mark, breaks as they are
  /// (for a widget that takes every kind of break itself).
  static TextFileFormat detect(std::string_view bytes, std::string_view& body);

  /// Returns the bytes to write for `text` (CR LF breaks): the file's own line break and mark.
  std::string write(std::string_view text) const;

 private:
  bool byteOrderMark_ = false;
  std::string_view lineBreak_ = "\r\n";
  // A file whose lines end in different ways is kept as it was, to be written as it was for as
  // long as its text is unchanged.
  std::string mixedBytes_;
  std::string mixedText_;
};

}  // namespace ordalis::common
