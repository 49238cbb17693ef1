#pragma once
// Turns interpreted motion into the moves of the toolpath display. The display road's sink calls it
// with points, motion codes and texts; it knows nothing of the run state, so it is driven the same
// way by a run and by a test.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/display/arc_steps.h"
#include "core/display/move_events.h"
#include "core/display/move_list.h"

namespace ordalis::ppdef {
struct PostProcessorDefinition;
}

namespace ordalis::display {

/// The definition's colours for arc steps, by the motion code in force.
struct ArcColours {
  std::int32_t rapid = 0;    // motion code 0: COULEUR_RAPID
  std::int32_t linear = 0;   // 1: COULEUR_GOTO
  std::int32_t circle = 0;   // 2, 3 and 23: COULEUR_CIRCLE
  std::int32_t godlta = 0;   // 91: COULEUR_GODLTA
  std::int32_t unknown = 0;  // any other: COULEUR_INCONNUE

  std::int32_t forMotion(int motionCode) const;
};

ArcColours ArcColoursOf(const ppdef::PostProcessorDefinition& def);

class ToolpathBuilder : public MoveEvents {
 public:
  /// `tolerance` is the definition's ToleranceCalcul, the chord error of drawn arcs.
  ToolpathBuilder(MoveList& list, double tolerance, const ArcColours& colours);

  /// Starts a program: the list holds the origin only.
  void start();
  /// Gives the list back its growing reserve once the program is built.
  void finish() { list_.shrinkToFit(); }

  /// The statement that the following moves and info lines come from, with its line in the source
  /// (0-based, -1 when unknown).
  void beginStatement(std::string_view text, std::int32_t sourceLine = -1) override;

  /// One straight move: red in rapid mode, green at feed.
  void addLinear(LinearMotion motion, const Point& end) override;
  /// The steps of an arc or a helix from the tool position, in the colour of `motionCode`; the
  /// exact end point last.
  void addArc(const ArcGeometry& arc, int motionCode) override;
  /// The five moves of a canned-cycle hole at `hole`, preceded by the approach when `motionCode` is
  /// that of a cycle's first hole (81 to 89).
  void addCycleHole(const Point& hole, const CycleHole& cycle, int motionCode) override;
  /// A part-name label at the origin: "PARTNO/" and the name.
  void addPartName(std::string_view name) override;
  /// Adds a line to the info text of the last move, which then belongs to the current statement.
  void appendInfo(std::string_view line) override;
  /// The statement's single ISO line: kept as a key for Put in front when the statement moved
  /// the tool, else an info line like any other.
  void appendOwnBlock(std::string_view line) override;

  /// Where the tool is: the end of the last move that moved it.
  const Point& position() const { return position_; }

 private:
  void add(MoveKind kind, const Point& end, std::int32_t colour);

  MoveList& list_;
  double tolerance_;
  ArcColours colours_;
  std::uint32_t statement_ = kNoStatement;
  std::size_t movesBeforeStatement_ = 0;
  Point position_;
  std::vector<Point> steps_;  // reused by every arc
};

}  // namespace ordalis::display
