#include "core/kinematics/linearize.h"

#include <cmath>

namespace ordalis::kinematics {

namespace {

// Beyond 2^12 pieces a move is not made more faithful, only longer.
constexpr int kMaxDepth = 12;

Pose At(const Machine& m, const Pose& from, const Pose& to, double t) {
  return {from.tip + (to.tip - from.tip) * t, m.interpolate(from.angles, to.angles, t)};
}

double DistanceToLine(const Vec3& p, const Vec3& a, const Vec3& b) {
  const Vec3 d = b - a;
  const double len2 = Dot(d, d);
  if (len2 == 0) return Norm(p - a);
  double s = Dot(p - a, d) / len2;
  s = s < 0 ? 0 : (s > 1 ? 1 : s);
  return Norm(p - (a + d * s));
}

struct Splitter {
  const Machine& m;
  const Pose& from;
  const Pose& to;
  double length, tolerance;
  std::vector<Pose>& out;

  /// m0 and m1: the machine positions at t0 and t1. Each look costs one placement, which also
  /// serves the machine position of the half-way pose when the move is split there.
  void split(double t0, const Vec3& m0, double t1, const Vec3& m1, int depth) {
    const double tm = (t0 + t1) / 2;
    const Pose mid = At(m, from, to, tm);
    const Machine::Placement p = m.placement(mid.angles);
    const Vec3 tip = m.fromMachineAt((m0 + m1) * 0.5, p, length);
    if (depth < kMaxDepth && DistanceToLine(tip, from.tip, to.tip) > tolerance) {
      const Vec3 mm = m.toMachineAt(mid.tip, p, length);
      split(t0, m0, tm, mm, depth + 1);
      split(tm, mm, t1, m1, depth + 1);
      return;
    }
    out.push_back(t1 == 1 ? to : At(m, from, to, t1));
  }
};

}  // namespace

double MidpointDeviation(const Machine& m, const Pose& from, const Pose& to, double length,
                         double t0, double t1) {
  const Pose p0 = At(m, from, to, t0);
  const Pose p1 = At(m, from, to, t1);
  const Vec3 m0 = m.toMachine(p0.tip, p0.angles, length);
  const Vec3 m1 = m.toMachine(p1.tip, p1.angles, length);
  const Angles mid = m.interpolate(from.angles, to.angles, (t0 + t1) / 2);
  const Vec3 tip = m.fromMachine((m0 + m1) * 0.5, mid, length);
  return DistanceToLine(tip, from.tip, to.tip);
}

void LinearizeMove(const Machine& m, const Pose& from, const Pose& to, double length,
                   double tolerance, std::vector<Pose>& out, const Vec3* fromMachine,
                   Vec3* toMachine) {
  if (!(tolerance > 0) || !std::isfinite(tolerance)) tolerance = 0.01;
  const Vec3 m0 = fromMachine ? *fromMachine : m.toMachine(from.tip, from.angles, length);
  const Vec3 m1 = m.toMachine(to.tip, to.angles, length);
  if (toMachine) *toMachine = m1;
  Splitter{m, from, to, length, tolerance, out}.split(0, m0, 1, m1, 0);
}

}  // namespace ordalis::kinematics
