#include "core/texttools/renumber.h"

#include <algorithm>
#include <limits>

#include "core/iso/number_format.h"

namespace ordalis::texttools {

namespace {

// Lines rewritten in one replacement: one pane operation per chunk instead of per line, and a
// stop request seen after at most this many lines.
constexpr std::size_t kLinesPerChunk = 512;

}  // namespace

std::string_view StripBlockNumber(std::string_view line) {
  line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
  if (line.empty() || line.front() != 'N') return line;
  line.remove_prefix(1);
  line.remove_prefix(std::min(line.find_first_not_of("0123456789"), line.size()));
  line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
  return line;
}

std::string RenumberedLine(std::string_view line, std::int32_t counter,
                           const RenumberFormat& format) {
  std::string out;
  const std::string_view rest = StripBlockNumber(line);
  if (rest.empty()) return out;
  iso::FormatNumberAppend(counter, format.numberFormat, out);
  out += format.separator;
  out += rest;
  return out;
}

bool Renumber(common::TextPane& pane, const RenumberFormat& format, common::StopFlag& stop,
              common::ProgressReporter& progress) {
  stop.clear();
  pane.select(0, 0);
  common::Progress figures;
  figures.itemsTotal = pane.lineCount();
  std::int32_t counter = 0;
  std::string chunk;
  for (std::size_t line = 0; line < pane.lineCount();) {
    const std::size_t end = std::min(line + kLinesPerChunk, pane.lineCount());
    const std::size_t from = pane.lineStart(line);
    pane.select(from, pane.lineStart(end) - from);
    const std::string old = pane.selText();
    chunk.clear();
    bool ended = false;
    for (std::size_t pos = 0; pos < old.size() || (pos == 0 && old.empty());) {
      std::size_t next = old.find("\r\n", pos);
      next = next == std::string::npos ? old.size() : next + 2;
      if (counter < std::numeric_limits<std::int32_t>::max()) ++counter;
      const std::string renumbered =
          RenumberedLine(std::string_view(old).substr(pos, next - pos), counter, format);
      // A line with nothing left (only at the very end of the text) is the end.
      ended = renumbered.empty();
      chunk += renumbered;
      pos = next;
      if (ended) break;
    }
    pane.setSelColor(kRenumberedColour);
    pane.setSelText(chunk);
    line = end;
    figures.itemsDone = line;
    progress.checkpoint(figures);
    if (ended) break;
    if (stop.requested()) return false;
  }
  progress.report(figures);
  return true;
}

}  // namespace ordalis::texttools
