#pragma once
// Work planes (3+2): frames given by CAM matrices or by a tool axis, and the angles that
// controllers use to name them.

#include "core/kinematics/rotation.h"

namespace ordalis::kinematics {

/// A frame: a point given in it is at `rotation * p + origin` in the frame around it.
struct Frame {
  Mat3 rotation;
  Vec3 origin;

  Vec3 toOuter(const Vec3& p) const { return rotation * p + origin; }
  Vec3 toInner(const Vec3& p) const { return common::Transposed(rotation) * (p - origin); }
};

/// True when the frame moves nothing (within rounding of CAM output).
bool IsIdentity(const Frame& f);
/// True when both frames are the same (within rounding of CAM output).
bool SameFrame(const Frame& a, const Frame& b);

/// The APT canonical matrix of 12 values (a11 a12 a13 a14 a21 ... a34: x' = a11 x + a12 y +
/// a13 z + a14): its rotation made orthonormal from its first two columns. False when those do
/// not span a plane.
bool FrameFromMatrix(const double values[12], Frame& frame);
/// A frame from its origin and the directions of its X and Y axes (Y made normal to X).
bool FrameFromAxes(const Vec3& origin, const Vec3& xAxis, const Vec3& yAxis, Frame& frame);

/// The smallest rotation that turns Z onto the unit vector `v`: the frame tilts about a
/// horizontal axis and keeps its X as near the outer X as it can.
Mat3 TiltTo(const Vec3& v);

/// Angles about the fixed X, then Y, then Z axes: r = Rz(c) Ry(b) Rx(a) (Heidenhain PLANE
/// SPATIAL, Siemens CYCLE800 in the X-Y-Z order).
Vec3 SpatialAngles(const Mat3& r);
/// Euler angles: r = Rz(e1) Rx(e2) Rz(e3) (Fanuc G68.2 I J K, Heidenhain PLANE EULER).
Vec3 EulerZxz(const Mat3& r);

}  // namespace ordalis::kinematics
