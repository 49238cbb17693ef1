#pragma once
// Arc computation and the vector helpers shared with the toolpath display.

#include "core/iso/run_state.h"

namespace ordalis::iso {

double Length(const Vec3& v);
double Distance(const Vec3& a, const Vec3& b);
double Dot(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);
Vec3 Unit(const Vec3& v);
Vec3 Midpoint(const Vec3& a, const Vec3& b);

/// Derives direction, relative centre, middle point and swept angle of state.arc.
void ComputeArc(RunState& state);

}  // namespace ordalis::iso
