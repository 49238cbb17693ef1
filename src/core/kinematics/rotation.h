#pragma once
// Rotations in degrees, right-handed about unit axes, and the two geometric sub-problems the
// machine solutions are built on.

#include <cmath>

#include "core/common/vec3.h"

namespace ordalis::kinematics {

using common::Mat3;
using common::Vec3;

inline constexpr double kDegPerRad = 57.295779513082320876798154814105;

// Inline: the five-axis solution calls them for every point.
inline double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Norm(const Vec3& v) { return std::sqrt(Dot(v, v)); }
/// v / Norm(v); the zero vector stays zero.
inline Vec3 Normalized(const Vec3& v) {
  const double n = Norm(v);
  return n == 0 ? v : v * (1 / n);
}

/// Right-hand rotation of `deg` degrees about the unit axis `u`.
Mat3 RotationAbout(const Vec3& u, double deg);
Mat3 RotationX(double deg);
Mat3 RotationY(double deg);
Mat3 RotationZ(double deg);

/// The angle in degrees (-180, 180] that turns `p` onto `q` about the unit axis `u`, both taken
/// in the plane normal to `u`. Returns false when `p` lies along `u` (any angle will do).
bool AngleAbout(const Vec3& u, const Vec3& p, const Vec3& q, double& deg);

/// The unit vectors w with u1.w = a1 and u2.w = a2 (u1, u2 unit and not parallel): none, one or
/// two of them. Returns their number; the second differs from the first by the sign of the part
/// along u1 x u2. A small negative discriminant (rounding) counts as one solution.
int ConeIntersection(const Vec3& u1, double a1, const Vec3& u2, double a2, Vec3& w1, Vec3& w2);

/// -x without a negative zero, which a formatter could write as "-0.000".
inline double Negated(double x) { return 0.0 - x; }

}  // namespace ordalis::kinematics
