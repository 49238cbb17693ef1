#include "core/iso/arc.h"

#include <algorithm>
#include <cmath>

#include "core/ppdef/definition.h"

namespace ordalis::iso {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegPerRad = 180.0 / kPi;
// Beyond this an axis is not parallel to the plane normal (sine of the angle between them).
constexpr double kParallelSine = 1e-6;
// A tolerance far below the arc's size must not turn one statement into millions of blocks.
constexpr std::size_t kMaxChords = 100000;

Vec3 Sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Neg(const Vec3& v) { return {-v.x, -v.y, -v.z}; }
bool Same(const Vec3& a, const Vec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
bool IsZero(const Vec3& v) { return v.x == 0 && v.y == 0 && v.z == 0; }
bool Finite(const Vec3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
/// The component of `v` normal to the unit vector `axis`.
Vec3 Normal(const Vec3& v, const Vec3& axis) { return Minus(v, axis, Dot(v, axis)); }
Vec3 PlaneOrZ(const Vec3& planeNormal) { return IsZero(planeNormal) ? Vec3{0, 0, 1} : planeNormal; }

/// Keeps a computed value only when it is a number; reports whether it was.
bool KeepFinite(double& value) {
  if (std::isfinite(value)) return true;
  value = 0;
  return false;
}
bool KeepFinite(Vec3& v) {
  if (Finite(v)) return true;
  v = {};
  return false;
}

/// Swept angle in degrees when the tool turns about the unit axis `w` from start to end.
double SweptAngle(const ArcState& a, const Vec3& w) {
  if (Same(a.end, a.start) || Same(a.centre, a.start)) return 0;  // full circle, or no radius
  if (Same(a.centre, a.end)) return 180;
  const Vec3 u1 = Unit(Normal(Sub(a.start, a.centre), w));
  const Vec3 u3 = Unit(Normal(Sub(a.end, a.centre), w));
  if (IsZero(u1)) return 0;
  if (IsZero(u3)) return 180;
  const double minor = ArcCosine(Dot(u1, u3)) * kDegPerRad;
  return Dot(Cross(u1, u3), w) < 0 ? 360 - minor : minor;
}

/// The unit axis about which the tool turns (right-hand rule), from the arc code.
Vec3 TurningAxis(const ArcState& a, const Vec3& planeNormal) {
  const Vec3 axis = ArcAxis(a, planeNormal);
  const Vec3 n = Unit(axis);
  const Vec3 alongPlane = Dot(axis, planeNormal) >= 0 ? n : Neg(n);
  return a.codeNumber == 3 ? alongPlane : Neg(alongPlane);
}

}  // namespace

double Length(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
double Distance(const Vec3& a, const Vec3& b) { return Length(Sub(b, a)); }
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Unit(const Vec3& v) {
  // Scaled first, so that very large components do not overflow the squares.
  const double m = std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
  if (m == 0 || !std::isfinite(m)) return {};
  const Vec3 s{v.x / m, v.y / m, v.z / m};
  const double l = Length(s);
  return {s.x / l, s.y / l, s.z / l};
}
Vec3 Midpoint(const Vec3& a, const Vec3& b) {
  return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}
Vec3 Along(const Vec3& p, const Vec3& d, double s) {
  return {p.x + d.x * s, p.y + d.y * s, p.z + d.z * s};
}
Vec3 Minus(const Vec3& a, const Vec3& b, double s) {
  return {a.x - b.x * s, a.y - b.y * s, a.z - b.z * s};
}
Vec3 PlaneNormal(const Vec3& a, const Vec3& b, const Vec3& c) {
  return Unit(Cross(Sub(a, b), Sub(c, b)));
}
double Rounding(double x, int n) {
  const double scale = std::pow(10.0, n);
  const double r = std::floor(x * scale + 0.5) / scale;
  return std::isfinite(r) ? r : x;
}
double ArcCosine(double x) {
  if (!(x >= -1)) return x != x ? 0 : kPi;  // NaN reads as 0
  return std::acos(std::min(x, 1.0));
}

Vec3 ArcAxis(const ArcState& arc, const Vec3& planeNormal) {
  return IsZero(arc.axis) ? PlaneOrZ(planeNormal) : arc.axis;
}

bool ArcInWorkingPlane(const ArcState& arc, const Vec3& planeNormal) {
  const Vec3 n = Unit(ArcAxis(arc, planeNormal));
  return Length(Cross(n, Unit(PlaneOrZ(planeNormal)))) <= kParallelSine;
}

double RadiusInArcPlane(const ArcState& arc, const Vec3& planeNormal) {
  const Vec3 n = Unit(ArcAxis(arc, planeNormal));
  const double r = Length(Normal(Sub(arc.start, arc.centre), n));
  return std::isfinite(r) ? r : 0;
}

namespace {

bool ComputeArcAbout(RunState& state, const Vec3& planeNormal) {
  ArcState& a = state.arc;
  const Vec3 plane = PlaneOrZ(planeNormal);
  const Vec3 axis = ArcAxis(a, plane);
  const Vec3 n = Unit(axis);
  const bool alongPlane = Dot(axis, plane) >= 0;
  // The axis turned to face the plane normal: "counter-clockwise" is then the controller's sense.
  const Vec3 planeAxis = alongPlane ? n : Neg(n);
  const Vec3 r1 = Sub(a.start, a.centre);
  // The tool turns counter-clockwise about the CIRCLE axis unless INDIRV points the other way.
  bool aboutAxis = true;
  if (!IsZero(a.indirv)) aboutAxis = Dot(Cross(n, r1), a.indirv) >= 0;
  const bool ccw = aboutAxis == alongPlane;
  a.codeNumber = ccw ? 3 : 2;

  Vec3 toMiddle = Unit(Cross(Sub(a.end, a.start), planeAxis));
  if (IsZero(toMiddle)) {
    // Full circle (or an end straight along the axis): the middle faces the start.
    const Vec3 u1 = Unit(Normal(r1, n));
    toMiddle = ccw ? Neg(u1) : u1;
  }
  a.middle = ccw ? Along(a.centre, toMiddle, a.radius) : Minus(a.centre, toMiddle, a.radius);
  a.relativeCentre = Sub(a.centre, a.start);
  a.sweptAngle = SweptAngle(a, TurningAxis(a, plane));
  a.indirv = {};

  bool ok = KeepFinite(a.middle);
  ok = KeepFinite(a.relativeCentre) && ok;
  ok = KeepFinite(a.sweptAngle) && ok;
  ok = KeepFinite(a.radius) && ok;
  return ok;
}

/// True when the controller is told a minus plane with the code of the plus plane (G18 for both):
/// it then reads G2 and G3 about the plus normal.
bool MinusPlaneWrittenAsPlus(int planeCode, const ppdef::PostProcessorDefinition& def) {
  switch (planeCode) {
    case -17:
      return def.PP_G17_M == def.PP_G17;
    case -18:
      return def.PP_G18_M == def.PP_G18;
    case -19:
      return def.PP_G19_M == def.PP_G19;
    default:
      return false;
  }
}

}  // namespace

bool ComputeArcChecked(RunState& state) { return ComputeArcAbout(state, state.planeNormal); }

bool ComputeArcChecked(RunState& state, const ppdef::PostProcessorDefinition& def) {
  const bool plusPlane = MinusPlaneWrittenAsPlus(state.planeCode, def);
  const bool ok = ComputeArcAbout(state, plusPlane ? Neg(state.planeNormal) : state.planeNormal);
  state.arc.codeText = state.arc.codeNumber == 3 ? def.PP_ARC_L : def.PP_ARC_R;
  return ok;
}

void ComputeArc(RunState& state) { ComputeArcChecked(state); }

void LinearizeArc(const ArcState& arc, const Vec3& planeNormal, double tolerance,
                  std::vector<Vec3>& out) {
  out.clear();
  const Vec3 w = TurningAxis(arc, PlaneOrZ(planeNormal));
  const Vec3 r1 = Sub(arc.start, arc.centre);
  const Vec3 r3 = Sub(arc.end, arc.centre);
  const double h1 = Dot(r1, w), h3 = Dot(r3, w);
  const Vec3 p1 = Normal(r1, w), p3 = Normal(r3, w);
  const double rho1 = Length(p1), rho3 = Length(p3);

  double sweep = arc.sweptAngle / kDegPerRad;
  if (sweep == 0 && rho1 > 0 && rho3 > 0) sweep = 2 * kPi;  // 0 means a full circle
  tolerance = std::fabs(tolerance);
  if (tolerance == 0) tolerance = 0.01;
  const double rMax = std::max(rho1, rho3);
  double step = kPi;  // the deviation of a chord never exceeds the radius
  if (tolerance < rMax) step = std::min(step, 2 * ArcCosine(1 - tolerance / rMax));
  double chords = sweep > 0 && rho1 > 0 && step > 0 ? std::ceil(sweep / step) : 1;
  if (!std::isfinite(chords) || chords < 1) chords = 1;
  const std::size_t count =
      chords > static_cast<double>(kMaxChords) ? kMaxChords : static_cast<std::size_t>(chords);

  out.reserve(count);
  if (count > 1) {
    const Vec3 u = Unit(p1);
    const Vec3 v = Cross(w, u);
    for (std::size_t k = 1; k < count; ++k) {
      const double t = static_cast<double>(k) / static_cast<double>(count);
      const double angle = sweep * t;
      const double rho = rho1 + (rho3 - rho1) * t;
      const Vec3 dir = Along(Along({}, u, std::cos(angle)), v, std::sin(angle));
      Vec3 p = Along(Along(arc.centre, w, h1 + (h3 - h1) * t), dir, rho);
      if (!Finite(p)) p = arc.end;
      out.push_back(p);
    }
  }
  out.push_back(arc.end);
}

}  // namespace ordalis::iso
