#include "core/common/text_file_format.h"

namespace ordalis::common {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

/// Returns the break at `i` (a CR or an LF) and how many bytes it takes.
std::string_view BreakAt(std::string_view bytes, std::size_t i) {
  if (bytes[i] == '\n') return "\n";
  return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? "\r\n" : "\r";
}

}  // namespace

std::string NormaliseLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  std::size_t pos = 0;
  for (std::size_t i = text.find_first_of("\r\n"); i != std::string_view::npos;
       i = text.find_first_of("\r\n", pos)) {
    out.append(text, pos, i - pos);
    out += "\r\n";
    pos = i + BreakAt(text, i).size();
  }
  out.append(text, pos);
  return out;
}

TextFileFormat TextFileFormat::read(std::string_view bytes, std::string& text) {
  std::string_view body;
  TextFileFormat format = detect(bytes, body);
  text = format.mixedBytes_.empty() ? NormaliseLineBreaks(body) : format.mixedText_;
  return format;
}

TextFileFormat TextFileFormat::detect(std::string_view bytes, std::string_view& body) {
  TextFileFormat format;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    format.byteOrderMark_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  body = bytes;
  bool mixed = false;
  bool first = true;
  for (std::size_t i = bytes.find_first_of("\r\n"); i != std::string_view::npos && !mixed;) {
    const std::string_view lineBreak = BreakAt(bytes, i);
    if (first) format.lineBreak_ = lineBreak;
    mixed = lineBreak != format.lineBreak_;
    first = false;
    i = bytes.find_first_of("\r\n", i + lineBreak.size());
  }
  if (mixed) {
    format.mixedBytes_.assign(format.byteOrderMark_ ? kByteOrderMark : "");
    format.mixedBytes_.append(bytes);
    format.mixedText_ = NormaliseLineBreaks(bytes);
  }
  return format;
}

std::string TextFileFormat::write(std::string_view text) const {
  if (!mixedBytes_.empty() && text == mixedText_) return mixedBytes_;
  std::string out(byteOrderMark_ ? kByteOrderMark : "");
  out.reserve(out.size() + text.size());
  std::size_t pos = 0;
  for (std::size_t i = text.find("\r\n"); i != std::string_view::npos; i = text.find("\r\n", pos)) {
    out.append(text, pos, i - pos);
    out += lineBreak_;
    pos = i + 2;
  }
  out.append(text, pos);
  return out;
}

}  // namespace ordalis::common
