#include "core/iso/template_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/common/text.h"
#include "core/iso/run_state.h"
#include "core/ppdef/definition.h"
#include "core/ppdef/definition_ranges.h"
#include "core/tools/tool_table.h"

namespace ordalis::iso {

namespace {

bool AllBlanks(std::string_view text) {
  for (char c : text) {
    if (c != ' ') return false;
  }
  return true;
}

void TrimLeftInPlace(std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i > 0) text.erase(0, i);
}

/// Appends template text, turning each two-character "\n" into CR LF.
void AppendConvertingBreaks(std::string_view text, std::string& out) {
  std::size_t pos = 0;
  for (std::size_t at; (at = text.find("\\n", pos)) != std::string_view::npos; pos = at + 2) {
    out.append(text.substr(pos, at - pos));
    out.append("\r\n");
  }
  out.append(text.substr(pos));
}

}  // namespace

bool FindPlaceholder(std::string_view text, std::size_t from, Placeholder& found) {
  constexpr auto npos = std::string_view::npos;
  for (std::size_t p = text.find("&(", from); p != npos; p = text.find("&(", p + 2)) {
    const std::size_t start = p + 2;
    std::size_t comma;
    if (start < text.size() && text[start] == '"') {
      // A quoted marker value may hold "," and ")".
      const std::size_t quote = text.find('"', start + 1);
      if (quote == npos) continue;
      comma = text.find(',', quote + 1);
    } else {
      comma = text.find(',', start);
      const std::size_t close = text.find(')', start);
      if (comma == npos || close == npos) return false;
      if (close < comma) continue;
      // "&(" inside the name: the inner placeholder is the one meant.
      const std::size_t inner = text.find("&(", start);
      if (inner < comma) continue;
    }
    if (comma == npos) return false;
    const std::size_t close = text.find(')', comma + 1);
    if (close == npos) return false;
    found.begin = p;
    found.end = close + 1;
    found.name = text.substr(start, comma - start);
    found.pattern = text.substr(comma + 1, close - comma - 1);
    return true;
  }
  return false;
}

void ParseTemplate(std::string_view text, const TemplateHandler& handler) {
  std::size_t pos = 0;
  Placeholder ph;
  while (FindPlaceholder(text, pos, ph)) {
    if (ph.begin > pos && handler.literal) handler.literal(text.substr(pos, ph.begin - pos));
    if (handler.placeholder) {
      handler.placeholder(ph.name, ph.pattern, text.substr(ph.begin, ph.end - ph.begin));
    }
    pos = ph.end;
  }
  if (pos < text.size() && handler.literal) handler.literal(text.substr(pos));
}

TemplateEngine::TemplateEngine(const ppdef::PostProcessorDefinition& def, RunState& state,
                               const tools::ToolTable& tools)
    : def_(def), state_(state), tools_(tools) {}

std::string TemplateEngine::expandFull(std::string_view tpl) {
  return expand(tpl, VariableSet::kFull);
}
std::string TemplateEngine::expandTool(std::string_view tpl) {
  return expand(tpl, VariableSet::kTool);
}
std::string TemplateEngine::expandOrigin(std::string_view tpl) {
  return expand(tpl, VariableSet::kOrigin);
}
std::string TemplateEngine::expandCycle(std::string_view tpl) {
  return expand(tpl, VariableSet::kCycle);
}
std::string TemplateEngine::expandCircle(std::string_view tpl) {
  return expand(tpl, VariableSet::kCircle);
}

std::string TemplateEngine::expand(std::string_view tpl, VariableSet set) {
  std::string out;
  if (tpl.empty()) return out;
  out.reserve(tpl.size() + 64);
  now_ = clock_ != 0 ? clock_ : std::time(nullptr);
  markerX_ = state_.outputX;
  markerY_ = state_.outputY;
  markerZ_ = state_.outputZ;
  markerFeed_ = markerFeedOnce_ = state_.feedPending;
  spots_.clear();
  const bool full = set == VariableSet::kFull;
  // One left-to-right pass: what a value inserts is never looked at again.
  std::size_t pos = 0;
  Placeholder ph;
  while (FindPlaceholder(tpl, pos, ph)) {
    const std::string_view literal = tpl.substr(pos, ph.begin - pos);
    if (full)
      AppendConvertingBreaks(literal, out);
    else
      out.append(literal);
    appendPlaceholder(ph, tpl.substr(ph.begin, ph.end - ph.begin), set, out);
    pos = ph.end;
  }
  if (full)
    AppendConvertingBreaks(tpl.substr(pos), out);
  else
    out.append(tpl.substr(pos));
  applyNumbering(out);
  return out;
}

void TemplateEngine::appendPlaceholder(const Placeholder& ph, std::string_view whole,
                                       VariableSet set, std::string& out) {
  if (appendMarker(ph, out)) return;
  if (ph.name == kLineNumberName) {
    spots_.push_back({out.size(), whole.size(), ph.pattern});
    out.append(whole);
    return;
  }
  VariableId id;
  if (!FindVariable(ph.name, set, id)) {
    out.append(whole);
    return;
  }
  const VariableSources sources{state_, def_, tools_, now_};
  const std::size_t start = out.size();
  AppendValue(VariableValue(id, sources), ph.pattern, out);
  // PARTNO BRACKET (REV A) inside "(...)" would end the comment early: delimiters become blanks.
  if (IsOutsideText(id)) blankDelimiters(out, start);
  ConsumeFlags(id, state_);
}

void TemplateEngine::blankDelimiters(std::string& out, std::size_t from) const {
  for (const std::string* delimiter : {&def_.PP_COMMENT_1, &def_.PP_COMMENT_2}) {
    const std::string& d = *delimiter;
    if (d.empty()) continue;
    for (std::size_t at = out.find(d, from); at != std::string::npos; at = out.find(d, at + 1)) {
      out.replace(at, d.size(), " ");
    }
  }
}

bool IsMarkerPattern(std::string_view pattern) {
  return pattern == "X~" || pattern == "Y~" || pattern == "Z~" || pattern == "F~" ||
         pattern == "F!";
}

bool TemplateEngine::appendMarker(const Placeholder& ph, std::string& out) {
  const std::string_view p = ph.pattern;
  if (!IsMarkerPattern(p)) return false;
  const auto writeValue = [&](std::string_view format) {
    if (ph.name.find('"') != std::string_view::npos) {
      for (char c : ph.name) {
        if (c != '"') out.push_back(c);
      }
    } else {
      out.append(def_.PP_SPACE);
      FormatAddressAppend(common::ReadNumber(ph.name), format, out);
    }
  };
  const auto axis = [&](bool& once, bool& flag, const std::string& format) {
    if (!once) return true;
    once = false;
    flag = false;
    writeValue(format);
    return true;
  };
  if (p == "X~") return axis(markerX_, state_.outputX, def_.FORMAT_PP_X);
  if (p == "Y~") return axis(markerY_, state_.outputY, def_.FORMAT_PP_Y);
  if (p == "Z~") return axis(markerZ_, state_.outputZ, def_.FORMAT_PP_Z);
  if (p == "F!") {
    // A fixed feed, written unless a programmed feed is waiting to be written.
    if (!markerFeed_) {
      writeValue(def_.PP_F);
      state_.feedPending = false;
    }
    return true;
  }
  if (p == "F~") {
    if (markerFeedOnce_) {
      markerFeedOnce_ = false;
      state_.feedPending = false;
      if (ph.name.find('"') != std::string_view::npos) {
        writeValue(def_.PP_F);
      } else if (state_.feedPerRevolution || !state_.feedModeText.empty()) {
        // The feed texts carry the mode's code and format: a per-minute format would be wrong.
        out.append(def_.PP_SPACE);
        out.append(state_.pendingFText);
      } else {
        out.append(def_.PP_SPACE);
        FormatAddressAppend(state_.feedRate, def_.PP_F, out);
      }
    }
    return true;
  }
  return false;
}

void TemplateEngine::advanceCounter(std::int64_t step) {
  const std::int64_t next = static_cast<std::int64_t>(state_.lineCounter) + step;
  state_.lineCounter = static_cast<std::int32_t>(std::clamp<std::int64_t>(
      next, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void TemplateEngine::applyNumbering(std::string& text) {
  if (spots_.empty()) return;
  std::string result;
  result.reserve(text.size() + 8 * spots_.size());
  std::size_t cursor = 0;
  for (const NumberSpot& spot : spots_) {
    result.append(text, cursor, spot.pos - cursor);
    const std::size_t after = spot.pos + spot.length;
    std::size_t eol = text.find_first_of("\r\n", after);
    if (eol == std::string::npos) eol = text.size();
    cursor = after;
    if (AllBlanks(std::string_view(text).substr(after, eol - after))) {
      // Nothing follows the number on its line: the line goes from the placeholder on, line break
      // included, so "M5 &(PP_N_LIGNE,N0)&nM9" joins into "M5 M9". A line that held only blanks
      // before it goes whole.
      std::size_t lineStart = result.find_last_of("\r\n");
      lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
      if (AllBlanks(std::string_view(result).substr(lineStart))) result.resize(lineStart);
      cursor = eol;
      if (cursor < text.size() && text[cursor] == '\r') ++cursor;
      if (cursor < text.size() && text[cursor] == '\n') ++cursor;
      continue;
    }
    advanceCounter(state_.lineIncrement.value_or(def_.NUM_INCR));
    if (spot.pattern != spotPattern_) {
      spotPattern_.assign(spot.pattern);
      spotFormat_.compile(spotPattern_);
    }
    spotFormat_.append(state_.lineCounter, result);
  }
  result.append(text, cursor, std::string::npos);
  text.swap(result);
  spots_.clear();
}

std::string TemplateEngine::numberPlaceholders(std::string_view text) {
  spots_.clear();
  Placeholder ph;
  for (std::size_t pos = 0; FindPlaceholder(text, pos, ph); pos = ph.end) {
    if (ph.name == kLineNumberName) spots_.push_back({ph.begin, ph.end - ph.begin, ph.pattern});
  }
  std::string out(text);
  applyNumbering(out);
  return out;
}

std::string TemplateEngine::numberBlock(std::string_view text) {
  std::string out(text);
  numberBlockInPlace(out);
  return out;
}

void TemplateEngine::numberBlockInPlace(std::string& text) {
  if (text.empty()) return;
  if (!state_.numbering.value_or(def_.OPTION_SORTIE_N)) {
    if (text.find("&n") != std::string::npos) common::ReplaceAllInPlace(text, "&n", "\r\n");
    if (text.find("\r\n ") != std::string::npos) common::ReplaceAllInPlace(text, "\r\n ", "\r\n");
    TrimLeftInPlace(text);
    return;
  }
  if ((state_.commentPending || state_.printPending) && !def_.OPTION_SORTIE_N_COMMENT) {
    state_.commentPending = false;
    state_.printPending = false;
    TrimLeftInPlace(text);
    return;
  }
  advanceCounter(state_.lineIncrement.value_or(def_.NUM_INCR));
  if (state_.lineCounter > def_.NUM_MAX) {
    state_.lineCounter = ppdef::LineNumberOrigin(def_);
  }
  std::size_t first = 0;
  while (first < text.size() && text[first] == ' ') ++first;
  const AddressFormat& format = numberFormat_.get(def_.FORMAT_PP_N);
  const std::string& sep = def_.PP_SPACE;
  // The usual number and separator are put in place of the leading blanks in one step.
  char number[AddressFormat::kMaxWord + 16];
  if (const char* end = format.writeInteger(state_.lineCounter, number); end && sep.size() <= 16) {
    auto size = static_cast<std::size_t>(end - number);
    if (size > 0) size += sep.copy(number + size, sep.size());
    text.replace(0, first, number, size);
    return;
  }
  // Number, separator, then the block, built aside and swapped in: no shifting of the block.
  numberBuffer_.clear();
  format.appendInteger(state_.lineCounter, numberBuffer_);
  if (!numberBuffer_.empty()) numberBuffer_.append(sep);
  numberBuffer_.append(text, first, std::string::npos);
  text.swap(numberBuffer_);
}

}  // namespace ordalis::iso
