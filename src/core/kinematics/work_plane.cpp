#include "core/kinematics/work_plane.h"

#include <cmath>

namespace ordalis::kinematics {

namespace {

constexpr double kRounding = 1e-9;

double Degrees(double y, double x) {
  const double d = std::atan2(y, x) * kDegPerRad;
  return d == -180 ? 180 : d + 0.0;  // no -0 and no -180 in a listing
}

Mat3 FromColumns(const Vec3& x, const Vec3& y, const Vec3& z) {
  Mat3 r;
  const Vec3 c[3] = {x, y, z};
  for (int j = 0; j < 3; ++j) {
    r.m[0][j] = c[j].x;
    r.m[1][j] = c[j].y;
    r.m[2][j] = c[j].z;
  }
  return r;
}

}  // namespace

bool IsIdentity(const Frame& f) { return SameFrame(f, Frame{}); }

bool SameFrame(const Frame& a, const Frame& b) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (std::fabs(a.rotation.m[i][j] - b.rotation.m[i][j]) > kRounding) return false;
    }
  }
  return Norm(a.origin - b.origin) <= kRounding;
}

bool FrameFromAxes(const Vec3& origin, const Vec3& xAxis, const Vec3& yAxis, Frame& frame) {
  const Vec3 x = Normalized(xAxis);
  const Vec3 z = Normalized(Cross(x, yAxis));
  if (!(Norm(x) > 0.5) || !(Norm(z) > 0.5)) return false;
  if (!std::isfinite(origin.x) || !std::isfinite(origin.y) || !std::isfinite(origin.z)) {
    return false;
  }
  frame.rotation = FromColumns(x, Cross(z, x), z);
  frame.origin = origin;
  return true;
}

bool FrameFromMatrix(const double v[12], Frame& frame) {
  return FrameFromAxes({v[3], v[7], v[11]}, {v[0], v[4], v[8]}, {v[1], v[5], v[9]}, frame);
}

Mat3 TiltTo(const Vec3& v) {
  const Vec3 axis{-v.y, v.x, 0};  // Z x v
  const double s = Norm(axis);
  if (s < 1e-15) return v.z >= 0 ? Mat3{} : RotationX(180);
  return RotationAbout(axis * (1 / s), std::atan2(s, v.z) * kDegPerRad);
}

Vec3 SpatialAngles(const Mat3& r) {
  const double cb = std::hypot(r.m[0][0], r.m[1][0]);
  if (cb < 1e-12) {
    // B at +-90: only a + c or a - c is defined; a takes 0.
    return {0, Degrees(-r.m[2][0], cb), Degrees(-r.m[0][1], r.m[1][1])};
  }
  return {Degrees(r.m[2][1], r.m[2][2]), Degrees(-r.m[2][0], cb), Degrees(r.m[1][0], r.m[0][0])};
}

Vec3 EulerZxz(const Mat3& r) {
  const double sb = std::hypot(r.m[0][2], r.m[1][2]);
  if (sb < 1e-12) {
    // Nutation 0 or 180: the two turns about Z add up; the first takes it all.
    return {Degrees(r.m[1][0], r.m[0][0]), Degrees(sb, r.m[2][2]), 0};
  }
  return {Degrees(r.m[0][2], -r.m[1][2]), Degrees(sb, r.m[2][2]), Degrees(r.m[2][0], r.m[2][1])};
}

}  // namespace ordalis::kinematics
