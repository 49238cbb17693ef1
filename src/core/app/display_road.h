#pragma once
// The display road's sink: each statement, as its handler left the run-time state, becomes the
// events of the toolpath display (a point reached with its motion, an arc with its geometry, a
// canned-cycle hole with its levels, the part name), and the ISO text it wrote becomes the info
// text of its last move. ToolpathBuilder receives them to build the move list.

#include "core/app/block_sink.h"
#include "core/display/move_events.h"

namespace ordalis::app {

class DisplaySink : public BlockSink {
 public:
  /// `events` must outlive the sink.
  explicit DisplaySink(display::MoveEvents& events) : events_(events) {}

  /// The frame of the program draws nothing.
  void writeLine(std::string_view /*text*/) override {}
  void interpreted(std::string_view statement, const iso::RunState& state,
                   const StatementLines& lines) override;
  /// Each line of the statement's blocks is an info line of its last move.
  void writeBlocks(std::string_view blocks, std::int32_t colour) override;

 private:
  display::MoveEvents& events_;
};

}  // namespace ordalis::app
