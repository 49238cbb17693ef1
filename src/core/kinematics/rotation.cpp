#include "core/kinematics/rotation.h"

#include <cmath>

namespace ordalis::kinematics {

namespace {

// Below this a discriminant or a projected length is rounding noise of unit vectors.
constexpr double kNoise = 1e-12;

}  // namespace

Mat3 RotationAbout(const Vec3& u, double deg) {
  const double rad = deg / kDegPerRad;
  const double c = std::cos(rad), s = std::sin(rad), t = 1 - c;
  Mat3 r;
  // The machine's own axes, most of them, fill three cells each.
  if (u.y == 0 && u.z == 0 && u.x == 1) {
    r.m[1][1] = c, r.m[1][2] = -s, r.m[2][1] = s, r.m[2][2] = c;
    return r;
  }
  if (u.x == 0 && u.y == 0 && u.z == 1) {
    r.m[0][0] = c, r.m[0][1] = -s, r.m[1][0] = s, r.m[1][1] = c;
    return r;
  }
  if (u.x == 0 && u.z == 0 && u.y == 1) {
    r.m[0][0] = c, r.m[0][2] = s, r.m[2][0] = -s, r.m[2][2] = c;
    return r;
  }
  r.m[0][0] = t * u.x * u.x + c;
  r.m[0][1] = t * u.x * u.y - s * u.z;
  r.m[0][2] = t * u.x * u.z + s * u.y;
  r.m[1][0] = t * u.x * u.y + s * u.z;
  r.m[1][1] = t * u.y * u.y + c;
  r.m[1][2] = t * u.y * u.z - s * u.x;
  r.m[2][0] = t * u.x * u.z - s * u.y;
  r.m[2][1] = t * u.y * u.z + s * u.x;
  r.m[2][2] = t * u.z * u.z + c;
  return r;
}

Mat3 RotationX(double deg) { return RotationAbout({1, 0, 0}, deg); }
Mat3 RotationY(double deg) { return RotationAbout({0, 1, 0}, deg); }
Mat3 RotationZ(double deg) { return RotationAbout({0, 0, 1}, deg); }

bool AngleAbout(const Vec3& u, const Vec3& p, const Vec3& q, double& deg) {
  if (u.x == 0 && u.y == 0 && u.z == 1) {
    // About Z, the common outer axis: the plane normal to it is XY.
    if (p.x * p.x + p.y * p.y < 1e-18 || q.x * q.x + q.y * q.y < 1e-18) return false;
    deg = std::atan2(p.x * q.y - p.y * q.x, p.x * q.x + p.y * q.y) * kDegPerRad;
    if (deg == -180) deg = 180;
    return true;
  }
  const Vec3 pp = p - u * Dot(u, p);
  const Vec3 qq = q - u * Dot(u, q);
  if (Norm(pp) < 1e-9 || Norm(qq) < 1e-9) return false;
  deg = std::atan2(Dot(u, Cross(pp, qq)), Dot(pp, qq)) * kDegPerRad;
  if (deg == -180) deg = 180;
  return true;
}

int ConeIntersection(const Vec3& u1, double a1, const Vec3& u2, double a2, Vec3& w1, Vec3& w2) {
  const double g = Dot(u1, u2);
  const double d = 1 - g * g;
  if (d < kNoise) return 0;
  const double x = (a1 - g * a2) / d;
  const double y = (a2 - g * a1) / d;
  const Vec3 n = Cross(u1, u2);
  double z2 = (1 - x * x - y * y - 2 * x * y * g) / Dot(n, n);
  if (z2 < -1e-9) return 0;
  if (z2 < 0) z2 = 0;
  const double z = std::sqrt(z2);
  const Vec3 base = u1 * x + u2 * y;
  w1 = Normalized(base + n * z);
  w2 = Normalized(base - n * z);
  return z == 0 ? 1 : 2;
}

}  // namespace ordalis::kinematics
