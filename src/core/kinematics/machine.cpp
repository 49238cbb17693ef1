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

// Within a turn either way fmod returns its argument exactly: no library call is needed.
double Wrap360(double a) {
  double r = a > -360 && a < 360 ? a : std::fmod(a, 360.0);
  if (r < 0) r += 360;
  return r >= 360 ? 0 : r;
}

double ShortDelta(double from, double to) {
  const double delta = to - from;
  double d = delta > -360 && delta < 360 ? delta : std::fmod(delta, 360.0);
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

/// BestWinding on a rollover or modulo axis, or when the nearest winding `ideal` turns is
/// beyond a limit.
bool OtherWinding(const Machine::AxisRule& r, double theta, double previous, double ideal,
                  Winding& w) {
  constexpr double kTurn = 1.0 / 360;
  if (r.wrap) {
    w.out = Wrap360(theta);
    w.dist = w.freeDist = std::fabs(ShortDelta(Wrap360(previous), w.out));
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

/// `theta` and `previous` are finite. The common case, a winding inside the limits, is kept
/// small enough to be inlined: it runs four times per five-axis point.
inline bool BestWinding(const Machine::AxisRule& r, double theta, double previous, Winding& w) {
  constexpr double kTurn = 1.0 / 360;
  if (r.wrap) return OtherWinding(r, theta, previous, 0, w);
  const double turns = (previous - theta) * kTurn + 0.5;
  // Within one and a half turns of `previous`, the usual case, the winding needs no rounding.
  double ideal = 0;
  if (turns < 0) {
    ideal = turns >= -1 ? -1 : Floor(turns);
  } else if (turns >= 1) {
    ideal = turns < 2 ? 1 : Floor(turns);
  }
  const double nearest = theta + 360 * ideal;
  w.freeDist = std::fabs(nearest - previous);
  if (r.limited && !(nearest >= r.lo && nearest <= r.hi)) {
    return OtherWinding(r, theta, previous, ideal, w);
  }
  w.out = w.freeDist < 1e-9 ? previous : nearest;
  w.dist = std::fabs(w.out - previous);
  return true;
}

}  // namespace

inline int Machine::plainSolutions(const Vec3& t, double across2, Base* bases) const {
  // The tilt and the turn come straight from the axis, and the other solution is the tilt
  // negated half a turn away.
  const Joint& o = chain_.outer;
  const Joint& in = chain_.inner;
  const double tilt = std::atan2(std::sqrt(across2), t.z) * kDegPerRad;
  const double turn =
      (plain_ == Plain::kAboutX ? std::atan2(t.x, -t.y) : std::atan2(t.y, t.x)) * kDegPerRad;
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
  const Vec3& o = chain_.outer.direction;
  const Vec3& u = chain_.inner.direction;
  if (o.x == 0 && o.y == 0 && o.z == 1) {
    if (u.x == 1 && u.y == 0 && u.z == 0) plain_ = Plain::kAboutX;
    if (u.x == 0 && u.y == 1 && u.z == 0) plain_ = Plain::kAboutY;
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
  // The square of t across the outer axis; about Z, the sum Dot(Cross(t, Z), itself) comes to.
  const double across2 = plain_ != Plain::kNo ? t.x * t.x + t.y * t.y : [&] {
    const Vec3 across = Cross(t, o.direction);
    return Dot(across, across);
  }();
  if (across2 < singular2_) {
    // Along the outer axis, which then turns nothing: it stays, and noise cannot spin it.
    const Vec3 w = o.direction * (Dot(t, o.direction) < 0 ? -1 : 1);
    double phi = 0;
    if (std::fabs(Dot(in.direction, w) - Dot(in.direction, kZ)) >= 1e-9) return 0;
    AngleAbout(in.direction, kZ, w, phi);
    bases[0] = {previous[o.angle], in.sense * phi};
    return 1;
  }
  if (plain_ != Plain::kNo) return plainSolutions(t, across2, bases);
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
  // As Normalized(v). A length well inside the range of doubles gives finite components and a
  // length of one: only the other lengths need the checks.
  const double length = Norm(v);
  Vec3 t = length == 0 ? v : v * (1 / length);
  if (!(length >= 1e-150 && length <= 1e150) &&
      (!std::isfinite(t.x) || !std::isfinite(t.y) || !std::isfinite(t.z) || Norm(t) < 0.5)) {
    s.reached = true;  // no direction: the axes stay where they are
    return s;
  }
  if (chain_.againstAxis) t = t * -1;

  Base bases[2];
  // The plain chains away from the singular position, the usual case, are solved here: no call,
  // no look at the previous angles.
  const double across2 = t.x * t.x + t.y * t.y;
  const int n = plain_ != Plain::kNo && across2 >= singular2_ ? plainSolutions(t, across2, bases)
                                                              : baseSolutions(t, previous, bases);
  double constrained = 0, free = 0;
  if (!pick(bases, n, previous, s.angles, constrained, free)) {
    s.angles = previous;
    return s;
  }
  s.reached = true;
  s.rewind = checkRewind && constrained > free + std::max(1e-6, setup_.resolution);
  if (s.rewind) {
    // The plain chains' two solutions come from the axis alone; the others' may take the
    // previous angle of an axis that turns nothing, which is now 0.
    const Angles home{0, 0, 0};
    int homeCount = n;
    if (plain_ == Plain::kNo || n != 2) homeCount = baseSolutions(t, home, bases);
    if (!pick(bases, homeCount, home, s.home, constrained, free)) s.home = home;
  }
  return s;
}

bool Machine::pick(const Base* bases, int n, const Angles& previous, Angles& best,
                   double& bestDistance, double& freeDistance) const {
  bool found = false;
  freeDistance = 1e300;
  const int outerAxis = chain_.outer.angle, innerAxis = chain_.inner.angle;
  // An unknown previous angle counts as 0.
  const double previousInner = std::isfinite(previous[innerAxis]) ? previous[innerAxis] : 0;
  const double previousOuter = std::isfinite(previous[outerAxis]) ? previous[outerAxis] : 0;
  Winding in, out;  // each field read is written in the same turn of the loop
  for (int k = 0; k < n; ++k) {
    // The tilt first: when it alone already moves more than the best so far, with or without
    // the limits, the turn need not be looked at.
    if (!std::isfinite(bases[k].inner)) continue;
    const bool innerOk = BestWinding(rules_[1], bases[k].inner, previousInner, in);
    if (k > 0 && (!innerOk || (found && in.dist >= bestDistance)) && in.freeDist >= freeDistance) {
      continue;
    }
    if (!std::isfinite(bases[k].outer)) continue;
    const bool outerOk = BestWinding(rules_[0], bases[k].outer, previousOuter, out);
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
