#include "core/app/display_road.h"

#include "core/iso/motion_code.h"
#include "core/iso/run_state.h"

namespace ordalis::app {

namespace {

display::CycleHole HoleOf(const iso::CycleState& c) {
  constexpr int kAbsoluteRetract = 2;
  return display::CycleHole{c.retract, c.clearance, c.depth,
                            c.retractMode == kAbsoluteRetract ? 2 : 0};
}

display::ArcGeometry ArcOf(const iso::ArcState& arc) {
  return display::ArcGeometry{arc.start, arc.end, arc.centre, arc.axis,
                              arc.codeNumber == iso::kMotionArcClockwise};
}

bool IsHole(const iso::RunState& s) {
  return s.cycleMode &&
         (iso::IsFirstHoleCode(s.motionCode) || s.motionCode == iso::kMotionNextHole);
}

}  // namespace

void DisplaySink::interpreted(std::string_view statement, const iso::RunState& state,
                              const StatementLines& lines) {
  events_.beginStatement(statement, static_cast<std::int32_t>(lines.first));
  if (state.partnoPending) {
    // The handler keeps the statement's text; the label shows the name after "PARTNO/".
    std::string_view name = state.partName;
    if (const std::size_t slash = name.find('/'); slash != std::string_view::npos) {
      name.remove_prefix(slash + 1);
    }
    events_.addPartName(name);
  }
  const iso::Vec3 point{state.X, state.Y, state.Z};
  if (state.circlePending) {
    events_.addArc(ArcOf(state.arc), state.arc.codeNumber);
  } else if (!state.chordPoints.empty()) {
    // An arc outside the working plane is written, and drawn, as its chords.
    for (const iso::Vec3& p : state.chordPoints) events_.addLinear(display::LinearMotion::Feed, p);
  } else if (state.pointPending) {
    if (IsHole(state)) {
      events_.addCycleHole(point, HoleOf(state.cycle), state.motionCode);
    } else {
      const bool rapid = iso::IsRapidCode(state.motionCode);
      events_.addLinear(rapid ? display::LinearMotion::Rapid : display::LinearMotion::Feed, point);
    }
  }
}

void DisplaySink::writeBlocks(std::string_view blocks, std::int32_t /*colour*/) {
  std::string_view single = blocks;
  if (single.size() >= 2 && single.substr(single.size() - 2) == "\r\n") single.remove_suffix(2);
  if (!single.empty() && single.find("\r\n") == std::string_view::npos) {
    events_.appendOwnBlock(single);
    return;
  }
  while (!blocks.empty()) {
    const std::size_t end = blocks.find("\r\n");
    events_.appendInfo(blocks.substr(0, end));
    if (end == std::string_view::npos) break;
    blocks.remove_prefix(end + 2);
  }
}

}  // namespace ordalis::app
