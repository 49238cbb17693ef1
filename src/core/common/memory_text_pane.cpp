#include "core/common/memory_text_pane.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/common/profile_file.h"
#include "core/common/text.h"

namespace ordalis::common {

std::size_t MemoryTextPane::snap(std::size_t offset) const {
  offset = std::min(offset, text_.size());
  if (offset > 0 && offset < text_.size() && text_[offset - 1] == '\r' && text_[offset] == '\n') {
    ++offset;
  }
  return offset;
}

void MemoryTextPane::setSelStart(std::size_t start) {
  selStart_ = snap(start);
  selLength_ = 0;
}

void MemoryTextPane::setSelLength(std::size_t length) {
  const std::size_t room = text_.size() - selStart_;
  selLength_ = snap(selStart_ + std::min(length, room)) - selStart_;
}

void MemoryTextPane::setSelText(std::string_view text) {
  const std::string normalised = NormaliseLineBreaks(text);
  replaceRange(selStart_, selStart_ + selLength_, normalised);
  selStart_ += normalised.size();
  selLength_ = 0;
}

void MemoryTextPane::setSelColor(std::uint32_t colour) {
  current_.colour = colour;
  changeAttributes(selStart_, selStart_ + selLength_,
                   [colour](Attributes& a) { a.colour = colour; });
}

void MemoryTextPane::setSelUnderline(bool underline) {
  current_.underline = underline;
  changeAttributes(selStart_, selStart_ + selLength_,
                   [underline](Attributes& a) { a.underline = underline; });
}

bool MemoryTextPane::selBullet() const { return bullets_[lineOf(selStart_)] != 0; }

void MemoryTextPane::setSelBullet(bool bullet) {
  const std::size_t last = selStart_ + (selLength_ > 0 ? selLength_ - 1 : 0);
  std::fill(bullets_.begin() + static_cast<std::ptrdiff_t>(lineOf(selStart_)),
            bullets_.begin() + static_cast<std::ptrdiff_t>(lineOf(last)) + 1,
            static_cast<std::uint8_t>(bullet));
}

void MemoryTextPane::span(std::string_view charset, bool forward, bool negate) {
  const auto stops = [&](char c) { return (charset.find(c) != std::string_view::npos) == negate; };
  std::size_t begin = selStart_;
  std::size_t end = selStart_ + selLength_;
  if (forward) {
    while (end < text_.size() && !stops(text_[end])) ++end;
    end = snap(end);
  } else {
    while (begin > 0 && !stops(text_[begin - 1])) --begin;
    begin = snap(begin);
  }
  selStart_ = begin;
  selLength_ = end - begin;
}

std::ptrdiff_t MemoryTextPane::find(std::string_view text, std::size_t start, std::size_t end,
                                    bool wholeWord, bool matchCase) const {
  return FindInText(text_, text, start, end, wholeWord, matchCase);
}

bool MemoryTextPane::load(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(NativePath(path), bytes)) return false;
  std::string content;
  TextFileFormat format = TextFileFormat::read(bytes, content);
  setNormalisedText(std::move(content));
  format_ = std::move(format);
  return true;
}

bool MemoryTextPane::save(const std::string& path) const {
  return common::WriteFileAtomically(common::NativePath(path), format_.write(text_));
}

void MemoryTextPane::setText(std::string_view text) {
  setNormalisedText(NormaliseLineBreaks(text));
  format_ = TextFileFormat();
}

void MemoryTextPane::setNormalisedText(std::string text) {
  text_ = std::move(text);
  lineStarts_.assign(1, 0);
  for (std::size_t i = text_.find('\n'); i != std::string::npos; i = text_.find('\n', i + 1)) {
    lineStarts_.push_back(i + 1);
  }
  bullets_.assign(lineStarts_.size(), 0);
  current_ = Attributes{};
  runs_.clear();
  if (!text_.empty()) runs_.push_back(Run{0, current_});
  selStart_ = selLength_ = 0;
}

void MemoryTextPane::appendText(std::span<const ColouredText> pieces) {
  for (const ColouredText& piece : pieces) {
    current_.colour = piece.colour;
    const std::size_t from = text_.size();
    text_ += NormaliseLineBreaks(piece.text);
    if (text_.size() == from) continue;
    if (runs_.empty() || runs_.back().attributes != current_) runs_.push_back(Run{from, current_});
    std::size_t added = 0;
    for (std::size_t i = text_.find('\n', from); i != std::string::npos;
         i = text_.find('\n', i + 1)) {
      lineStarts_.push_back(i + 1);
      ++added;
    }
    // As with setSelText at the end: the mark of the last line follows the text's end.
    bullets_.insert(bullets_.end() - 1, added, 0);
  }
  selStart_ = text_.size();
  selLength_ = 0;
}

void MemoryTextPane::colourLines(std::span<const LineColour> ranges) {
  for (const LineColour& range : ranges) {
    if (range.first >= lineCount() || range.count == 0) continue;
    const std::size_t last = std::min(range.first + range.count, lineCount()) - 1;
    const std::uint32_t colour = range.colour;
    changeAttributes(lineStart(range.first), lineEnd(last),
                     [colour](Attributes& a) { a.colour = colour; });
  }
}

std::vector<std::size_t> MemoryTextPane::markedLines() const {
  std::vector<std::size_t> lines;
  for (std::size_t i = 0; i < bullets_.size(); ++i) {
    if (bullets_[i] != 0) lines.push_back(i);
  }
  return lines;
}

void MemoryTextPane::setLineMark(std::size_t line, bool marked) {
  if (line >= lineCount()) return;
  const std::uint32_t colour = marked ? kLineMarkColour : 0;
  changeAttributes(lineStart(line), lineEnd(line), [colour](Attributes& a) { a.colour = colour; });
  bullets_[line] = static_cast<std::uint8_t>(marked);
}

std::uint32_t MemoryTextPane::colourAt(std::size_t offset) const {
  return offset < text_.size() ? runs_[runIndexAt(offset)].attributes.colour : 0;
}

bool MemoryTextPane::underlineAt(std::size_t offset) const {
  return offset < text_.size() && runs_[runIndexAt(offset)].attributes.underline;
}

std::size_t MemoryTextPane::lineOf(std::size_t offset) const {
  const auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  return static_cast<std::size_t>(it - lineStarts_.begin()) - 1;
}

void MemoryTextPane::replaceRange(std::size_t from, std::size_t to, std::string_view text) {
  replaceRuns(from, to, text.size());
  replaceLines(from, to, text);
  text_.replace(from, to - from, text);
}

// Lines from..to merge into the lines of the new text; the last keeps the mark of the line that
// held `to`, the new lines before it start unmarked.
void MemoryTextPane::replaceLines(std::size_t from, std::size_t to, std::string_view text) {
  const std::size_t first = lineOf(from);
  const std::size_t last = lineOf(to);
  const auto at = [](auto& v, std::size_t i) { return v.begin() + static_cast<std::ptrdiff_t>(i); };
  lineStarts_.erase(at(lineStarts_, first + 1), at(lineStarts_, last + 1));
  bullets_.erase(at(bullets_, first), at(bullets_, last));
  const std::ptrdiff_t delta =
      static_cast<std::ptrdiff_t>(text.size()) - static_cast<std::ptrdiff_t>(to - from);
  // A replacement of the same length (G0 by G1, a number by one as long) moves no line.
  for (std::size_t i = first + 1; delta != 0 && i < lineStarts_.size(); ++i) {
    lineStarts_[i] = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(lineStarts_[i]) + delta);
  }
  std::vector<std::size_t> added;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') added.push_back(from + i + 1);
  }
  lineStarts_.insert(at(lineStarts_, first + 1), added.begin(), added.end());
  bullets_.insert(at(bullets_, first), added.size(), 0);
}

void MemoryTextPane::replaceRuns(std::size_t from, std::size_t to, std::size_t inserted) {
  std::size_t size = text_.size();
  if (to > from) {
    splitRunAt(from, size);
    splitRunAt(to, size);
    const std::size_t first = firstRunFrom(from);
    const std::size_t last = firstRunFrom(to);
    runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
                runs_.begin() + static_cast<std::ptrdiff_t>(last));
    for (std::size_t i = first; i < runs_.size(); ++i) runs_[i].start -= to - from;
    mergeRuns(first, first + 1);
    size -= to - from;
  }
  if (inserted == 0) return;
  splitRunAt(from, size);
  const std::size_t at = firstRunFrom(from);
  for (std::size_t i = at; i < runs_.size(); ++i) runs_[i].start += inserted;
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(at), Run{from, current_});
  mergeRuns(at, at + 2);
}

template <typename Change>
void MemoryTextPane::changeAttributes(std::size_t from, std::size_t to, Change change) {
  if (from >= to) return;
  splitRunAt(from, text_.size());
  splitRunAt(to, text_.size());
  const std::size_t first = firstRunFrom(from);
  const std::size_t last = firstRunFrom(to);
  for (std::size_t i = first; i < last; ++i) change(runs_[i].attributes);
  mergeRuns(first, last + 1);
}

std::size_t MemoryTextPane::runIndexAt(std::size_t offset) const {
  const auto it = std::upper_bound(runs_.begin(), runs_.end(), offset,
                                   [](std::size_t o, const Run& r) { return o < r.start; });
  return static_cast<std::size_t>(it - runs_.begin()) - 1;
}

std::size_t MemoryTextPane::firstRunFrom(std::size_t offset) const {
  const auto it = std::lower_bound(runs_.begin(), runs_.end(), offset,
                                   [](const Run& r, std::size_t o) { return r.start < o; });
  return static_cast<std::size_t>(it - runs_.begin());
}

void MemoryTextPane::splitRunAt(std::size_t offset, std::size_t size) {
  if (offset == 0 || offset >= size) return;
  const std::size_t i = runIndexAt(offset);
  if (runs_[i].start != offset) {
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                 Run{offset, runs_[i].attributes});
  }
}

// Joins neighbours with equal attributes among the pairs (j - 1, j), first <= j < last.
void MemoryTextPane::mergeRuns(std::size_t first, std::size_t last) {
  const std::size_t begin = std::max<std::size_t>(first, 1);
  const std::size_t end = std::min(last, runs_.size());
  if (begin >= end) return;
  std::size_t write = begin;
  for (std::size_t read = begin; read < end; ++read) {
    if (runs_[read].attributes == runs_[write - 1].attributes) continue;
    runs_[write++] = runs_[read];
  }
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(write),
              runs_.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace ordalis::common
