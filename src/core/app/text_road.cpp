#include "core/app/text_road.h"

#include "core/ppdef/definition.h"

namespace ordalis::app {

namespace {
constexpr std::string_view kLineBreak = "\r\n";
}

TextRoad::TextRoad(const ppdef::PostProcessorDefinition& def, BatchWriter& out,
                   std::size_t firstLine)
    : out_(out),
      cycleFirst_(static_cast<std::uint32_t>(def.colour(ppdef::Colour::CycleFirstPt))),
      cycle_(static_cast<std::uint32_t>(def.colour(ppdef::Colour::Cycle))),
      nextLine_(firstLine) {}

void TextRoad::writeLine(std::string_view text) {
  RunBatch& batch = out_.batch();
  batch.appendIso(text, 0);
  batch.appendIso(kLineBreak, 0);
}

void TextRoad::writeBlocks(std::string_view blocks, std::int32_t colour) {
  if (blocks.empty()) return;
  auto shown = static_cast<std::uint32_t>(colour);
  // The ISO pane has no first point of a cycle: the cycle's block shows in the cycle's colour.
  if (shown == cycleFirst_) shown = cycle_;
  RunBatch& batch = out_.batch();
  batch.appendIso(blocks, shown);
  batch.appendIso(kLineBreak, shown);
}

void TextRoad::statementDone(const StatementLines& lines, std::int32_t colour) {
  out_.batch().aptColours.push_back(common::LineColour{lines.first, lines.last - lines.first + 1,
                                                       static_cast<std::uint32_t>(colour)});
  nextLine_ = lines.last + 1;
}

}  // namespace ordalis::app
