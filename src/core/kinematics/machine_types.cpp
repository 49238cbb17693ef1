#include "core/kinematics/machine_types.h"

#include <cmath>

#include "core/kinematics/rotation.h"

namespace ordalis::kinematics {

namespace {

constexpr Vec3 kX{1, 0, 0};
constexpr Vec3 kY{0, 1, 0};
constexpr Vec3 kZ{0, 0, 1};
constexpr double kHalfRight = 45;

/// The A axis of a nutating head or table: X raised by `deg` towards +Z, so that a half turn
/// swings the tool from vertical to horizontal when `deg` is 45.
Vec3 TiltedX(double deg) {
  const double r = deg / kDegPerRad;
  return {std::cos(r), 0, std::sin(r)};
}

/// The B axis of a nutating head or table: Y raised by `deg` towards +Z.
Vec3 TiltedY(double deg) {
  const double r = deg / kDegPerRad;
  return {0, std::cos(r), std::sin(r)};
}

Chain TwoAxes(const Joint& outer, const Joint& inner) {
  Chain c;
  c.kind = ChainKind::kTwoAxes;
  c.outer = outer;
  c.inner = inner;
  c.physical = true;
  return c;
}

Joint Head(int angle, Vec3 direction) { return {angle, direction, 1, Carrier::kHead}; }
Joint Table(int angle, Vec3 direction) { return {angle, direction, 1, Carrier::kTable}; }

}  // namespace

bool MachineSetup::operator==(const MachineSetup& o) const {
  return type == o.type && abMin == o.abMin && abMax == o.abMax && cMin == o.cMin &&
         cMax == o.cMax && abAxisType == o.abAxisType && cAxisType == o.cAxisType &&
         headAngle == o.headAngle && resolution == o.resolution && pivotLength == o.pivotLength &&
         tableCentre.x == o.tableCentre.x && tableCentre.y == o.tableCentre.y &&
         tableCentre.z == o.tableCentre.z;
}

Chain ChainOf(int type, double headAngle) {
  // A head angle that is not a number would spread through every angle: read as a plain axis.
  const double h = std::isfinite(headAngle) ? headAngle : 0;
  switch (type) {
    case kHeadAB:
      return TwoAxes(Head(kB, kY), Head(kA, kX));
    case kHeadAC:
      return TwoAxes(Head(kC, kZ), Head(kA, kX));
    case kHeadBC:
      return TwoAxes(Head(kC, kZ), Head(kB, kY));
    case kHeadAC45:
      return TwoAxes(Head(kC, kZ), Head(kA, TiltedX(kHalfRight)));
    case kHeadBC45:
      return TwoAxes(Head(kC, kZ), Head(kB, TiltedY(kHalfRight)));
    case kTableAC:
      return TwoAxes(Table(kC, kZ), Table(kA, kX));
    case kTableBC: {
      // Kept as first built: the angles are the table's own turns, so the tool axis seen from the
      // part turns the other way.
      Chain c = TwoAxes(Table(kC, kZ), Table(kB, kY));
      c.outer.sense = c.inner.sense = -1;
      return c;
    }
    case kTableAC45:
      return TwoAxes(Table(kC, kZ), Table(kA, TiltedX(kHalfRight)));
    case kTableBC45:
      return TwoAxes(Table(kC, kZ), Table(kB, TiltedY(kHalfRight)));
    case kHeadATableC:
      return TwoAxes(Table(kC, kZ), Head(kA, kX));
    case kHeadBTableC:
    case kMillTurn:  // mill-turn: milling head B, main spindle C (docs/kinematics.md)
      return TwoAxes(Table(kC, kZ), Head(kB, kY));
    case kHead45ATableC:
      return TwoAxes(Table(kC, kZ), Head(kA, TiltedX(kHalfRight)));
    case kHead45BTableC:
      return TwoAxes(Table(kC, kZ), Head(kB, TiltedY(kHalfRight)));
    case kEulerABC: {
      // Euler angles Z, X', Z'': precession A, nutation B; the spin C does not move the axis.
      Chain c = TwoAxes(Head(kA, kZ), Head(kB, kX));
      c.fixedAngle = kC;
      c.physical = false;
      return c;
    }
    case kRobotABC: {
      // Robot A/B/C (Z, Y', X''): A held at 0, the flange's Z faces the part.
      Chain c = TwoAxes(Head(kB, kY), Head(kC, kX));
      c.fixedAngle = kA;
      c.againstAxis = true;
      c.physical = false;
      return c;
    }
    case kVectorIJK: {
      Chain c;
      c.kind = ChainKind::kIjk;
      return c;
    }
    case kUniversalHeadAC:
      return TwoAxes(Head(kC, kZ), Head(kA, TiltedX(h)));
    case kUniversalHeadBC:
      return TwoAxes(Head(kC, kZ), Head(kB, TiltedY(h)));
    default:
      return {};
  }
}

}  // namespace ordalis::kinematics
