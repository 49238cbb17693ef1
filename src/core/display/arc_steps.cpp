#include "core/display/arc_steps.h"

#include <cmath>

#include "core/iso/arc.h"

namespace ordalis::display {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegPerRad = 180.0 / kPi;
// Below this share of the radius an end in the plane coincides with the start: a full turn.
constexpr double kSameAngle = 1e-12;

Point Sub(const Point& a, const Point& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
bool Finite(const Point& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

/// The arc in its own frame: unit axis w (turning direction included), in-plane unit vectors
/// u (towards the start) and v, heights along w and radii at both ends, and the swept angle.
struct Frame {
  Point w, u, v;
  double h1 = 0, h3 = 0, rho1 = 0, rho3 = 0, sweep = 0;
};

bool BuildFrame(const ArcGeometry& arc, Frame& f) {
  const bool zeroAxis = arc.axis.x == 0 && arc.axis.y == 0 && arc.axis.z == 0;
  f.w = iso::Unit(zeroAxis ? Point{0, 0, 1} : arc.axis);
  if (arc.clockwise) f.w = {-f.w.x, -f.w.y, -f.w.z};
  const Point r1 = Sub(arc.start, arc.centre);
  const Point r3 = Sub(arc.end, arc.centre);
  f.h1 = iso::Dot(r1, f.w);
  f.h3 = iso::Dot(r3, f.w);
  const Point p1 = iso::Minus(r1, f.w, f.h1);
  const Point p3 = iso::Minus(r3, f.w, f.h3);
  f.rho1 = iso::Length(p1);
  f.rho3 = iso::Length(p3);
  if (!(f.rho1 > 0) || !std::isfinite(f.rho1) || !std::isfinite(f.rho3)) return false;
  f.u = iso::Unit(p1);
  f.v = iso::Cross(f.w, f.u);
  double angle = std::atan2(iso::Dot(p3, f.v), iso::Dot(p3, f.u));
  if (angle < 0) angle += 2 * kPi;
  const bool sameDirection = iso::Distance(iso::Unit(p3), f.u) <= kSameAngle;
  f.sweep = sameDirection || angle <= 0 ? 2 * kPi : angle;
  return std::isfinite(f.sweep);
}

}  // namespace

double ArcStepDegrees(double tolerance, double radius) {
  // ArcCosine clamps its argument: a tolerance beyond the diameter (or a radius of 0) gives a
  // half turn per side instead of NaN, which the cap below then bounds.
  const double degrees = std::floor(2 * iso::ArcCosine(1 - tolerance / radius) * kDegPerRad + 0.5);
  if (!(degrees >= 1)) return 0.1;
  return degrees > kMaxArcStep ? kMaxArcStep : degrees;
}

void AppendArcSteps(const ArcGeometry& arc, double stepDegrees, std::vector<Point>& out) {
  Frame f;
  const bool finite =
      Finite(arc.start) && Finite(arc.end) && Finite(arc.centre) && Finite(arc.axis);
  if (finite && stepDegrees > 0 && BuildFrame(arc, f)) {
    const double step = stepDegrees / kDegPerRad;
    // The last step stops short of the end by more than rounding, so no chord is of length ~0.
    const double last = f.sweep - step * 1e-6;
    for (int k = 1; k * step < last; ++k) {
      const double angle = k * step;
      const double share = angle / f.sweep;
      const double rho = f.rho1 + (f.rho3 - f.rho1) * share;
      const Point height = iso::Along(arc.centre, f.w, f.h1 + (f.h3 - f.h1) * share);
      const Point inPlane = iso::Along(iso::Along({}, f.u, std::cos(angle)), f.v, std::sin(angle));
      out.push_back(iso::Along(height, inPlane, rho));
    }
  }
  out.push_back(arc.end);
}

}  // namespace ordalis::display
