#include "core/kinematics/machine.h"

#include <algorithm>
#include <cmath>

#include "core/kinematics/rotation.h"

namespace ordalis::kinematics {

namespace {

constexpr Vec3 kZ{0, 0, 1};

struct AxisRule {
  bool wrap = false;
  bool limited = false;
  double lo = 0, hi = 0;
  double slack = 0;  // how far past a limit a value still counts as on it
};

double Wrap360(double a) {
  double r = std::fmod(a, 360.0);
  if (r < 0) r += 360;
  return r >= 360 ? 0 : r;
}

double ShortDelta(double from, double to) {
  double d = std::fmod(to - from, 360.0);
  if (d > 180) d -= 360;
  if (d <= -180) d += 360;
  return d;
}

/// The winding of `theta` that the axis can take nearest `previous`; false when none lies within
/// its limits. Exact half-turn ties go to the larger value.
bool BestWinding(const AxisRule& r, double theta, double previous, double& out, double& dist) {
  if (!std::isfinite(theta)) return false;
  if (!std::isfinite(previous)) previous = 0;
  if (r.wrap) {
    out = Wrap360(theta);
    dist = std::fabs(ShortDelta(Wrap360(previous), out));
    return true;
  }
  double k = std::floor((previous - theta) / 360 + 0.5);
  if (r.limited) {
    // A solution beyond a limit by less than the output shows is written on the limit.
    const double kMin = std::ceil((r.lo - r.slack - theta) / 360);
    const double kMax = std::floor((r.hi + r.slack - theta) / 360);
    if (kMin > kMax) return false;
    k = std::clamp(k, kMin, kMax);
  }
  out = theta + 360 * k;
  if (r.limited) out = std::clamp(out, r.lo, r.hi);
  // Rounding noise must not make an unchanged axis look moved.
  if (std::fabs(out - previous) < 1e-9) out = previous;
  dist = std::fabs(out - previous);
  return true;
}

}  // namespace

Machine::Machine(const MachineSpec& spec) : spec_(spec), chain_(ChainOf(spec.type, spec.headAngle)) {}

bool Machine::wraps(int axis) const {
  const int t = axis == kC ? spec_.cAxisType : spec_.abAxisType;
  return t == kAxisRollover || t == kAxisModulo;
}

double Machine::travel(int axis, double from, double to) const {
  return wraps(axis) ? ShortDelta(from, to) : to - from;
}

Angles Machine::interpolate(const Angles& from, const Angles& to, double t) const {
  Angles a{};
  for (int axis = 0; axis < 3; ++axis) {
    a[axis] = from[axis] + t * travel(axis, from[axis], to[axis]);
    if (wraps(axis)) a[axis] = Wrap360(a[axis]);
  }
  return a;
}

Solution Machine::solve(const Vec3& v, const Angles& previous) const {
  Solution s;
  s.angles = previous;
  if (chain_.kind == ChainKind::kIjk) {
    s.angles = {v.x, v.y, v.z};
    s.reached = true;
    return s;
  }
  if (chain_.kind != ChainKind::kTwoAxes) return s;
  Vec3 t = Normalized(v);
  if (!std::isfinite(t.x) || !std::isfinite(t.y) || !std::isfinite(t.z) || Norm(t) < 0.5) {
    s.reached = true;  // no direction: the axes stay where they are
    return s;
  }
  if (chain_.againstAxis) t = t * -1;

  // The geometric solutions (Paden-Kahan): the inner axis turns Z onto w, the outer w onto t.
  const Joint& o = chain_.outer;
  const Joint& in = chain_.inner;
  Base bases[2];
  int n = 0;
  if (Norm(Cross(t, o.direction)) * kDegPerRad < spec_.resolution / 2) {
    // Along the outer axis, which then turns nothing: it stays, and noise cannot spin it.
    const Vec3 w = o.direction * (Dot(t, o.direction) < 0 ? -1 : 1);
    double phi = 0;
    if (std::fabs(Dot(in.direction, w) - Dot(in.direction, kZ)) < 1e-9) {
      AngleAbout(in.direction, kZ, w, phi);
      bases[n++] = {previous[o.angle], in.sense * phi};
    }
  } else {
    Vec3 w[2];
    const int count =
        ConeIntersection(o.direction, Dot(o.direction, t), in.direction, in.direction.z, w[0], w[1]);
    for (int k = 0; k < count; ++k) {
      double phiIn = 0, phiOut = 0;
      AngleAbout(in.direction, kZ, w[k], phiIn);
      if (!AngleAbout(o.direction, w[k], t, phiOut)) phiOut = o.sense * previous[o.angle];
      bases[n++] = {o.sense * phiOut, in.sense * phiIn};
    }
  }

  double constrained = 0, free = 0;
  Angles freeAngles{};
  if (!pick(bases, n, previous, true, s.angles, constrained)) {
    s.angles = previous;
    return s;
  }
  s.reached = true;
  pick(bases, n, previous, false, freeAngles, free);
  s.rewind = constrained > free + std::max(1e-6, spec_.resolution);
  return s;
}

bool Machine::pick(const Base* bases, int n, const Angles& previous, bool withLimits, Angles& best,
                   double& bestDistance) const {
  bool found = false;
  for (int k = 0; k < n; ++k) {
    Angles a{0, 0, 0};
    double total = 0;
    bool ok = true;
    const std::pair<const Joint*, double> joints[] = {{&chain_.outer, bases[k].outer},
                                                      {&chain_.inner, bases[k].inner}};
    for (const auto& [joint, theta] : joints) {
      const int axis = joint->angle;
      AxisRule rule;
      rule.wrap = wraps(axis);
      const double lo = axis == kC ? spec_.cMin : spec_.abMin;
      const double hi = axis == kC ? spec_.cMax : spec_.abMax;
      rule.limited = withLimits && !rule.wrap && std::isfinite(lo) && std::isfinite(hi) && lo < hi;
      rule.lo = lo;
      rule.hi = hi;
      rule.slack = spec_.resolution / 2;
      double out = 0, dist = 0;
      if (!BestWinding(rule, theta, previous[axis], out, dist)) {
        ok = false;
        break;
      }
      a[axis] = out;
      total += dist;
    }
    if (!ok) continue;
    if (!found || total < bestDistance - 1e-9) {
      best = a;
      bestDistance = total;
      found = true;
    }
  }
  return found;
}

Machine::Rotations Machine::rotations(const Angles& angles) const {
  Rotations r;
  if (chain_.kind != ChainKind::kTwoAxes) return r;
  const Joint& o = chain_.outer;
  const Joint& in = chain_.inner;
  const Mat3 outer = RotationAbout(o.direction, o.sense * angles[o.angle]);
  const Mat3 inner = RotationAbout(in.direction, in.sense * angles[in.angle]);
  if (o.carrier == Carrier::kHead) {
    r.head = outer * inner;
  } else if (in.carrier == Carrier::kTable) {
    r.table = common::Transposed(outer * inner);
  } else {
    r.table = common::Transposed(outer);
    r.head = inner;
  }
  return r;
}

Vec3 Machine::toolAxis(const Angles& angles) const {
  if (chain_.kind == ChainKind::kIjk) return Normalized({angles[kA], angles[kB], angles[kC]});
  const Rotations r = rotations(angles);
  const Vec3 v = common::Transposed(r.table) * (r.head * kZ);
  return chain_.againstAxis ? v * -1 : v;
}

Vec3 Machine::toMachine(const Vec3& tip, const Angles& angles, double length) const {
  if (!chain_.physical) return tip;
  const Rotations r = rotations(angles);
  const Vec3& c = spec_.tableCentre;
  return c + r.table * (tip - c) + (r.head * kZ - kZ) * length;
}

Vec3 Machine::fromMachine(const Vec3& position, const Angles& angles, double length) const {
  if (!chain_.physical) return position;
  const Rotations r = rotations(angles);
  const Vec3& c = spec_.tableCentre;
  return c + common::Transposed(r.table) * (position - (r.head * kZ - kZ) * length - c);
}

}  // namespace ordalis::kinematics
