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

Chain TwoAxes(Joint outer, Joint inner) {
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
    case 2:
      return TwoAxes(Head(kB, kY), Head(kA, kX));
    case 3:
      return TwoAxes(Head(kC, kZ), Head(kA, kX));
    case 4:
      return TwoAxes(Head(kC, kZ), Head(kB, kY));
    case 5:
      return TwoAxes(Head(kC, kZ), Head(kA, TiltedX(kHalfRight)));
    case 6:
      return TwoAxes(Head(kC, kZ), Head(kB, TiltedY(kHalfRight)));
    case 7:
      return TwoAxes(Table(kC, kZ), Table(kA, kX));
    case 8: {
      // Kept as first built: the angles are the table's own turns, so the tool axis seen from the
      // part turns the other way.
      Chain c = TwoAxes(Table(kC, kZ), Table(kB, kY));
      c.outer.sense = c.inner.sense = -1;
      return c;
    }
    case 9:
      return TwoAxes(Table(kC, kZ), Table(kA, TiltedX(kHalfRight)));
    case 10:
      return TwoAxes(Table(kC, kZ), Table(kB, TiltedY(kHalfRight)));
    case 11:
      return TwoAxes(Table(kC, kZ), Head(kA, kX));
    case 12:
    case 17:  // mill-turn: milling head B, main spindle C (docs/kinematics.md)
      return TwoAxes(Table(kC, kZ), Head(kB, kY));
    case 13:
      return TwoAxes(Table(kC, kZ), Head(kA, TiltedX(kHalfRight)));
    case 14:
      return TwoAxes(Table(kC, kZ), Head(kB, TiltedY(kHalfRight)));
    case 15: {
      // Euler angles Z, X', Z'': precession A, nutation B; the spin C does not move the axis.
      Chain c = TwoAxes(Head(kA, kZ), Head(kB, kX));
      c.fixedAngle = kC;
      c.physical = false;
      return c;
    }
    case 16: {
      // Robot A/B/C (Z, Y', X''): A held at 0, the flange's Z faces the part.
      Chain c = TwoAxes(Head(kB, kY), Head(kC, kX));
      c.fixedAngle = kA;
      c.againstAxis = true;
      c.physical = false;
      return c;
    }
    case 18: {
      Chain c;
      c.kind = ChainKind::kIjk;
      return c;
    }
    case 19:
      return TwoAxes(Head(kC, kZ), Head(kA, TiltedX(h)));
    case 20:
      return TwoAxes(Head(kC, kZ), Head(kB, TiltedY(h)));
    default:
      return {};
  }
}

}  // namespace ordalis::kinematics
