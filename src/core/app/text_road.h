#pragma once
// The text road's ends: the statements of the APT pane are coloured as they are converted, and the
// ISO text goes to the ISO pane in the colour of its statement. Both go through batches (see
// run_batch.h), so the same road runs on the window's thread or on a worker.

#include <cstddef>
#include <cstdint>

#include "core/app/block_sink.h"
#include "core/app/run.h"
#include "core/app/run_batch.h"

namespace ordalis::ppdef {
struct PostProcessorDefinition;
}

namespace ordalis::app {

class TextRoad : public BlockSink, public RunObserver {
 public:
  /// Writes into `out`'s batches; `firstLine` is the line the run starts at.
  TextRoad(const ppdef::PostProcessorDefinition& def, BatchWriter& out, std::size_t firstLine);

  /// The frame and the blocks a run still owes: the default colour.
  void writeLine(std::string_view text) override;
  /// A statement's blocks in its colour, the first point of a cycle shown as the cycle.
  void writeBlocks(std::string_view blocks, std::int32_t colour) override;
  void statementDone(const StatementLines& lines, std::int32_t colour) override;
  void progress(const common::Progress& progress) override { out_.progress(progress); }

  /// The line after the last statement converted: where the caret goes, or the marked line.
  std::size_t nextLine() const { return nextLine_; }

 private:
  BatchWriter& out_;
  std::uint32_t cycleFirst_;
  std::uint32_t cycle_;
  std::size_t nextLine_;
};

}  // namespace ordalis::app
