#pragma once
// What the display road tells of each interpreted statement, in the order it happens: the
// statement, then the moves it makes and the ISO text it wrote. ToolpathBuilder turns these events
// into the move list; a test records them.

#include <cstdint>
#include <string_view>

#include "core/display/arc_steps.h"
#include "core/display/move_list.h"

namespace ordalis::display {

/// The cycle values a hole is drawn with (from the CYCLE statement).
struct CycleHole {
  double retract = 0;    // PP_CYCLE_RETRACT
  double clearance = 0;  // PP_CYCLE_CLEARENCE
  double depth = 0;      // PP_CYCLE_DEPTH, below the hole's Z (a negative one above)
  int heightMode = 0;    // 2: retract and clearance are heights, otherwise offsets from the hole
};

enum class LinearMotion { Rapid, Feed };

class MoveEvents {
 public:
  virtual ~MoveEvents() = default;
  /// The statement that the following moves and info lines come from, with its line in the source
  /// (0-based, -1 when unknown).
  virtual void beginStatement(std::string_view text, std::int32_t sourceLine) = 0;
  /// The tool reaches `end` in a straight line.
  virtual void addLinear(LinearMotion motion, const Point& end) = 0;
  /// An arc or a helix from the tool position; `motionCode` is 2 (clockwise) or 3.
  virtual void addArc(const ArcGeometry& arc, int motionCode) = 0;
  /// A canned-cycle hole at `hole`; `motionCode` 81 to 89 for a cycle's first hole, -1 after.
  virtual void addCycleHole(const Point& hole, const CycleHole& cycle, int motionCode) = 0;
  /// The program's name (PARTNO).
  virtual void addPartName(std::string_view name) = 0;
  /// One line of the ISO text the statement wrote.
  virtual void appendInfo(std::string_view line) = 0;
  /// The only line the statement wrote: when the statement moved the tool, it is that move's
  /// own block and the drawn move already shows it.
  virtual void appendOwnBlock(std::string_view line) { appendInfo(line); }
};

}  // namespace ordalis::display
