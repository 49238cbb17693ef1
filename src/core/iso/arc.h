#pragma once
// Arc computation and the vector helpers shared with the toolpath display.

#include <vector>

#include "core/iso/run_state.h"

namespace ordalis::ppdef {
struct PostProcessorDefinition;
}

namespace ordalis::iso {

double Length(const Vec3& v);
double Distance(const Vec3& a, const Vec3& b);
double Dot(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);
/// v / Length(v); the zero vector when the length is 0.
Vec3 Unit(const Vec3& v);
Vec3 Midpoint(const Vec3& a, const Vec3& b);
/// p + d * s.
Vec3 Along(const Vec3& p, const Vec3& d, double s);
/// a - b * s.
Vec3 Minus(const Vec3& a, const Vec3& b, double s);
/// Unit normal of the plane through a, b, c: Unit(Cross(a - b, c - b)).
Vec3 PlaneNormal(const Vec3& a, const Vec3& b, const Vec3& c);
/// Integer part of (x * 10^n + 0.5), divided by 10^n.
double Rounding(double x, int n);
/// Arc cosine in radians, the argument clamped to [-1, 1] so that no NaN comes out.
double ArcCosine(double x);

/// Derives direction, relative centre, middle point and swept angle of state.arc, then clears the
/// INDIRV direction (it applies to one arc only).
void ComputeArc(RunState& state);
/// As ComputeArc; returns false when a value could not be computed (it is then written as 0) so
/// that the caller can report the statement.
bool ComputeArcChecked(RunState& state);
/// As ComputeArcChecked, and sets the arc code text to the definition's `PP_ARC_L` or `PP_ARC_R`.
bool ComputeArcChecked(RunState& state, const ppdef::PostProcessorDefinition& def);

/// The circle axis that the arc uses: the CIRCLE axis, or the working-plane normal when it is zero.
Vec3 ArcAxis(const ArcState& arc, const Vec3& planeNormal);

/// True when the arc can be written as an arc of the working plane: its axis is parallel to the
/// plane normal, either way round.
bool ArcInWorkingPlane(const ArcState& arc, const Vec3& planeNormal);

/// Distance from the centre to the arc's start, measured in the plane normal to the arc's axis.
double RadiusInArcPlane(const ArcState& arc, const Vec3& planeNormal);

/// Replaces `out` by the end points of chords that follow the arc computed by ComputeArc and
/// deviate from it by at most `tolerance`; the last point is exactly the arc's end.
void LinearizeArc(const ArcState& arc, const Vec3& planeNormal, double tolerance,
                  std::vector<Vec3>& out);

}  // namespace ordalis::iso
