// Placeholder until the arc computation lands.
#include "core/iso/arc.h"

#include <cmath>

namespace ordalis::iso {
double Length(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
double Distance(const Vec3& a, const Vec3& b) { return Length({b.x - a.x, b.y - a.y, b.z - a.z}); }
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Unit(const Vec3& v) {
  const double l = Length(v);
  return l == 0 ? Vec3{} : Vec3{v.x / l, v.y / l, v.z / l};
}
Vec3 Midpoint(const Vec3& a, const Vec3& b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2}; }
void ComputeArc(RunState&) {}
}  // namespace ordalis::iso
