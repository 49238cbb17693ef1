#pragma once
// The chords that draw an arc or a helix in the toolpath display. Drawing only: the ISO output
// never linearises an arc in the plane (see iso/arc.h for the chords of arcs outside it).

#include <vector>

#include "core/display/move_list.h"

namespace ordalis::display {

/// The angular step in degrees for chords that leave the arc by about `tolerance`:
/// 2 * arccos(1 - tolerance / radius) rounded to whole degrees, 0.1 when that rounds to 0, and
/// never more than kMaxArcStep so that a coarse tolerance still draws the arc's shape.
double ArcStepDegrees(double tolerance, double radius);

inline constexpr double kMaxArcStep = 90;

struct ArcGeometry {
  Point start;
  Point end;
  Point centre;
  /// The circle's axis; its length does not matter. The zero vector reads as +Z.
  Point axis;
  /// Clockwise about the axis (motion code 2); otherwise counter-clockwise.
  bool clockwise = false;
};

/// Appends to `out` the points reached by stepping from the start about the axis, `stepDegrees` at
/// a time, the height along the axis (and the radius, when start and end differ in it) following
/// the angle, so that a helix is drawn too; the last point is exactly the arc's end. An end equal
/// to the start in the arc's plane is a full turn. Degenerate or non-finite geometry gives the end
/// point alone.
void AppendArcSteps(const ArcGeometry& arc, double stepDegrees, std::vector<Point>& out);

}  // namespace ordalis::display
