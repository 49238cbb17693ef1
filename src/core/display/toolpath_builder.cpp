#include "core/display/toolpath_builder.h"

#include <cmath>
#include <string>

#include "core/iso/arc.h"
#include "core/iso/motion_code.h"
#include "core/ppdef/definition.h"
#include "core/texttools/line_key.h"

namespace ordalis::display {

std::int32_t ArcColours::forMotion(int motionCode) const {
  switch (motionCode) {
    case iso::kMotionRepeat:
      return rapid;
    case iso::kMotionFeed:
      return linear;
    case iso::kMotionArcClockwise:
    case iso::kMotionArcCounterClockwise:
    case 23:  // a helix as some CAM systems number it
      return circle;
    case iso::kMotionIncremental:
      return godlta;
    default:
      return unknown;
  }
}

ArcColours ArcColoursOf(const ppdef::PostProcessorDefinition& def) {
  using ppdef::Colour;
  return {def.colour(Colour::Rapid), def.colour(Colour::Goto), def.colour(Colour::Circle),
          def.colour(Colour::Godlta), def.colour(Colour::Unknown)};
}

ToolpathBuilder::ToolpathBuilder(MoveList& list, double tolerance, const ArcColours& colours)
    : list_(list), tolerance_(tolerance), colours_(colours) {}

void ToolpathBuilder::start() {
  list_.clear();
  statement_ = kNoStatement;
  position_ = {};
}

void ToolpathBuilder::beginStatement(std::string_view text, std::int32_t sourceLine) {
  statement_ = list_.addStatement(text, sourceLine);
  movesBeforeStatement_ = list_.size();
}

void ToolpathBuilder::add(MoveKind kind, const Point& end, std::int32_t colour) {
  // A point that is not a number cannot be drawn; leaving the move out keeps the extent sound.
  if (!std::isfinite(end.x) || !std::isfinite(end.y) || !std::isfinite(end.z)) return;
  list_.append(kind, end, colour, statement_);
  if (kind != MoveKind::Label) position_ = end;
}

void ToolpathBuilder::addLinear(LinearMotion motion, const Point& end) {
  if (motion == LinearMotion::Rapid) {
    add(MoveKind::Rapid, end, kRed);
  } else {
    add(MoveKind::Feed, end, kGreen);
  }
}

void ToolpathBuilder::addArc(const ArcGeometry& arc, int motionCode) {
  const Point axis =
      iso::Unit(arc.axis.x == 0 && arc.axis.y == 0 && arc.axis.z == 0 ? Point{0, 0, 1} : arc.axis);
  const Point fromCentre = iso::Minus(arc.start, arc.centre, 1);
  const double radius = iso::Length(iso::Minus(fromCentre, axis, iso::Dot(fromCentre, axis)));
  steps_.clear();
  AppendArcSteps(arc, ArcStepDegrees(tolerance_, radius), steps_);
  const std::int32_t colour = colours_.forMotion(motionCode);
  for (const Point& p : steps_) add(MoveKind::Arc, p, colour);
}

void ToolpathBuilder::addCycleHole(const Point& hole, const CycleHole& cycle, int motionCode) {
  const bool heights = cycle.heightMode == 2;
  const double retract = heights ? cycle.retract : hole.z + cycle.retract;
  if (iso::IsFirstHoleCode(motionCode)) {
    const double clearance = heights ? cycle.clearance : hole.z + cycle.clearance;
    add(MoveKind::CycleRapid, {hole.x, hole.y, clearance}, kRed);
  }
  add(MoveKind::CycleRapid, {hole.x, hole.y, retract}, kRed);
  add(MoveKind::CycleFeed, hole, kGreen);
  // The depth goes into the part, as CAM systems give it and as the cycles write it (Z minus the
  // depth): a backplot that drilled upwards would hide exactly what it is there to show.
  add(MoveKind::CycleFeed, {hole.x, hole.y, hole.z - cycle.depth}, kGreen);
  add(MoveKind::CycleFeed, hole, kGreen);
  add(MoveKind::CycleRapid, {hole.x, hole.y, retract}, kRed);
}

void ToolpathBuilder::addPartName(std::string_view name) {
  add(MoveKind::Label, {}, kWhite);
  std::string text = "PARTNO/";
  text.append(name);
  list_.appendInfo(text, statement_);
}

void ToolpathBuilder::appendInfo(std::string_view line) { list_.appendInfo(line, statement_); }

void ToolpathBuilder::appendOwnBlock(std::string_view line) {
  if (list_.size() == movesBeforeStatement_) {
    appendInfo(line);
    return;
  }
  list_.appendBlockKey(BlockKeyHash(texttools::LineKey(line)), statement_);
}

}  // namespace ordalis::display
