#include "core/kinematics/machine.h"

#include <algorithm>
#include <cmath>

#include "core/kinematics/rotation.h"

namespace ordalis::kinematics {

namespace {

constexpr Vec3 kZ{0, 0, 1};

// floor and ceil without a library call: the baseline instruction set has no rounding
// instruction, and this runs eight times per five-axis point.
double Floor(double x) {
  if (!(std::fabs(x) < 1e15)) return std::floor(x);
  const double t = static_cast<double>(static_cast<long long>(x));
  return t > x ? t - 1 : t;
}
double Ceil(double x) { return -Floor(-x); }

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

/// The winding of `theta` that the axis can take nearest `previous` (false when none lies within
/// its limits), and how far the nearest winding would be with no limit at all. Exact half-turn
/// ties go to the larger value.
struct Winding {
  double out = 0, dist = 0;  // within the limits
  double freeDist = 0;       // ignoring them
};

bool BestWinding(const Machine::AxisRule& r, double theta, double previous, Winding& w) {
  constexpr double kTurn = 1.0 / 360;
  if (!std::isfinite(theta)) return false;
  if (!std::isfinite(previous)) previous = 0;
  if (r.wrap) {
    w.out = Wrap360(theta);
    w.dist = w.freeDist = std::fabs(ShortDelta(Wrap360(previous), w.out));
    return true;
  }
  const double ideal = Floor((previous - theta) * kTurn + 0.5);
  const double nearest = theta + 360 * ideal;
  w.freeDist = std::fabs(nearest - previous);
  if (!r.limited || (nearest >= r.lo && nearest <= r.hi)) {
    w.out = w.freeDist < 1e-9 ? previous : nearest;
    w.dist = std::fabs(w.out - previous);
    return true;
  }
  // A solution beyond a limit by less than the output shows is written on the limit.
  const double kMin = Ceil((r.lo - r.slack - theta) * kTurn);
  const double kMax = Floor((r.hi + r.slack - theta) * kTurn);
  if (kMin > kMax) return false;
  w.out = std::clamp(theta + 360 * std::clamp(ideal, kMin, kMax), r.lo, r.hi);
  // Rounding noise must not make an unchanged axis look moved.
  if (std::fabs(w.out - previous) < 1e-9) w.out = previous;
  w.dist = std::fabs(w.out - previous);
  return true;
}

}  // namespace

int Machine::plainSolutions(const Joint& o, const Joint& in, const Vec3& t, Base* bases) {
  // C about Z carrying A about X or B about Y, the commonest machines: the tilt and the turn
  // come straight from the axis, and the other solution is the tilt negated half a turn away.
  if (o.direction.x != 0 || o.direction.y != 0 || o.direction.z != 1) return 0;
  const Vec3& u = in.direction;
  const bool aboutX = u.x == 1 && u.y == 0 && u.z == 0;
  const bool aboutY = u.x == 0 && u.y == 1 && u.z == 0;
  if (!aboutX && !aboutY) return 0;
  const double tilt = std::atan2(std::sqrt(t.x * t.x + t.y * t.y), t.z) * kDegPerRad;
  const double turn = (aboutX ? std::atan2(t.x, -t.y) : std::atan2(t.y, t.x)) * kDegPerRad;
  const double other = turn <= 0 ? turn + 180 : turn - 180;
  bases[0] = {o.sense * turn, in.sense * tilt};
  bases[1] = {o.sense * other, Negated(in.sense * tilt)};
  return 2;
}

Machine::Machine(const MachineSetup& setup)
    : setup_(setup), chain_(ChainOf(setup.type, setup.headAngle)) {
  const double singular = std::sin(setup_.resolution / 2 / kDegPerRad);
  singular2_ = singular * singular;
  const int axes[2] = {chain_.outer.angle, chain_.inner.angle};
  for (int j = 0; j < 2; ++j) {
    AxisRule& r = rules_[j];
    const int axis = axes[j];
    r.wrap = wraps(axis);
    r.lo = axis == kC ? setup_.cMin : setup_.abMin;
    r.hi = axis == kC ? setup_.cMax : setup_.abMax;
    r.limited = !r.wrap && std::isfinite(r.lo) && std::isfinite(r.hi) && r.lo < r.hi;
    r.slack = setup_.resolution / 2;
  }
}

bool Machine::wraps(int axis) const {
  const int t = axis == kC ? setup_.cAxisType : setup_.abAxisType;
  return t == kAxisRollover || t == kAxisModulo;
}

double Machine::travel(int axis, double from, double to) const {
  return wraps(axis) ? ShortDelta(from, to) : to - from;
}

int Machine::baseSolutions(const Vec3& t, const Angles& previous, Base* bases) const {
  // The geometric solutions (Paden-Kahan): the inner axis turns Z onto w, the outer w onto t.
  const Joint& o = chain_.outer;
  const Joint& in = chain_.inner;
  const Vec3 across = Cross(t, o.direction);
  if (Dot(across, across) < singular2_) {
    // Along the outer axis, which then turns nothing: it stays, and noise cannot spin it.
    const Vec3 w = o.direction * (Dot(t, o.direction) < 0 ? -1 : 1);
    double phi = 0;
    if (std::fabs(Dot(in.direction, w) - Dot(in.direction, kZ)) >= 1e-9) return 0;
    AngleAbout(in.direction, kZ, w, phi);
    bases[0] = {previous[o.angle], in.sense * phi};
    return 1;
  }
  if (const int n = plainSolutions(o, in, t, bases); n > 0) return n;
  Vec3 w[2];
  const int count =
      ConeIntersection(o.direction, Dot(o.direction, t), in.direction, in.direction.z, w[0], w[1]);
  for (int k = 0; k < count; ++k) {
    double phiIn = 0, phiOut = 0;
    AngleAbout(in.direction, kZ, w[k], phiIn);
    if (!AngleAbout(o.direction, w[k], t, phiOut)) phiOut = o.sense * previous[o.angle];
    bases[k] = {o.sense * phiOut, in.sense * phiIn};
  }
  return count;
}

Angles Machine::interpolate(const Angles& from, const Angles& to, double t) const {
  Angles a{};
  for (int axis = 0; axis < 3; ++axis) {
    a[axis] = from[axis] + t * travel(axis, from[axis], to[axis]);
    if (wraps(axis)) a[axis] = Wrap360(a[axis]);
  }
  return a;
}

Solution Machine::solve(const Vec3& v, const Angles& previous, bool checkRewind) const {
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

  Base bases[2];
  const int n = baseSolutions(t, previous, bases);
  double constrained = 0, free = 0;
  if (!pick(bases, n, previous, s.angles, constrained, free)) {
    s.angles = previous;
    return s;
  }
  s.reached = true;
  s.rewind = checkRewind && constrained > free + std::max(1e-6, setup_.resolution);
  return s;
}

bool Machine::pick(const Base* bases, int n, const Angles& previous, Angles& best,
                   double& bestDistance, double& freeDistance) const {
  bool found = false;
  freeDistance = 1e300;
  const int outerAxis = chain_.outer.angle, innerAxis = chain_.inner.angle;
  for (int k = 0; k < n; ++k) {
    // The tilt first: when it alone already moves more than the best so far, with or without
    // the limits, the turn need not be looked at.
    Winding in, out;
    const bool innerOk = BestWinding(rules_[1], bases[k].inner, previous[innerAxis], in);
    if (!std::isfinite(bases[k].inner)) continue;
    if (k > 0 && (!innerOk || (found && in.dist >= bestDistance)) && in.freeDist >= freeDistance) {
      continue;
    }
    const bool outerOk = BestWinding(rules_[0], bases[k].outer, previous[outerAxis], out);
    if (!std::isfinite(bases[k].outer)) continue;
    freeDistance = std::min(freeDistance, in.freeDist + out.freeDist);
    if (!innerOk || !outerOk) continue;
    const double total = in.dist + out.dist;
    if (!found || total < bestDistance - 1e-9) {
      best = {0, 0, 0};
      best[innerAxis] = in.out;
      best[outerAxis] = out.out;
      bestDistance = total;
      found = true;
    }
  }
  return found;
}

Machine::Placement Machine::placement(const Angles& angles) const {
  Placement r;
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
  const Placement r = placement(angles);
  const Vec3 v = common::Transposed(r.table) * (r.head * kZ);
  return chain_.againstAxis ? v * -1 : v;
}

Vec3 Machine::toMachine(const Vec3& tip, const Angles& angles, double length) const {
  if (!chain_.physical) return tip;
  return toMachineAt(tip, placement(angles), length);
}

Vec3 Machine::fromMachine(const Vec3& position, const Angles& angles, double length) const {
  if (!chain_.physical) return position;
  return fromMachineAt(position, placement(angles), length);
}

Vec3 Machine::toMachineAt(const Vec3& tip, const Placement& r, double length) const {
  if (!chain_.physical) return tip;
  const Vec3& c = setup_.tableCentre;
  return c + r.table * (tip - c) + (r.head * kZ - kZ) * length;
}

Vec3 Machine::fromMachineAt(const Vec3& position, const Placement& r, double length) const {
  if (!chain_.physical) return position;
  const Vec3& c = setup_.tableCentre;
  return c + common::Transposed(r.table) * (position - (r.head * kZ - kZ) * length - c);
}

}  // namespace ordalis::kinematics
