#include "core/display/view_transform.h"

#include <algorithm>
#include <cmath>

namespace ordalis::display {

namespace {

// Beyond these a pixel would be smaller than a double can tell apart, or the toolpath a dot.
constexpr double kMinHalfRange = 1e-6;
constexpr double kMaxHalfRange = 1e9;

Point Add(const Point& a, const Point& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point Sub(const Point& a, const Point& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Matrix3 Rows(const Point& right, const Point& up, const Point& towardsViewer) {
  Matrix3 r;
  r.m[0] = {right.x, right.y, right.z};
  r.m[1] = {up.x, up.y, up.z};
  r.m[2] = {towardsViewer.x, towardsViewer.y, towardsViewer.z};
  return r;
}

}  // namespace

Matrix3 Matrix3::identity() { return Rows({1, 0, 0}, {0, 1, 0}, {0, 0, 1}); }

Point Matrix3::apply(const Point& p) const {
  return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z,
          m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
          m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
}

Matrix3 Matrix3::operator*(const Matrix3& other) const {
  Matrix3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      r.m[i][j] = m[i][0] * other.m[0][j] + m[i][1] * other.m[1][j] + m[i][2] * other.m[2][j];
    }
  }
  return r;
}

Matrix3 RotationMatrix(double a, double b) {
  const double sA = std::sin(a), cA = std::cos(a), sB = std::sin(b), cB = std::cos(b);
  return Rows({cB, 0, -sB}, {sA * sB, cA, sA * cB}, {cA * sB, -sA, cA * cB});
}

Matrix3 StandardViewMatrix(StandardView view) {
  const double r2 = 1 / std::sqrt(2.0), r3 = 1 / std::sqrt(3.0), r6 = 1 / std::sqrt(6.0);
  switch (view) {
    case StandardView::Front:
      return Rows({1, 0, 0}, {0, 0, 1}, {0, -1, 0});
    case StandardView::Right:
      return Rows({0, 1, 0}, {0, 0, 1}, {1, 0, 0});
    case StandardView::Isometric:
      // Seen from +X, -Y, +Z: X runs down to the right, Y up to the right, Z straight up.
      return Rows({r2, r2, 0}, {-r6, r6, 2 * r6}, {r3, -r3, r3});
    case StandardView::Top:
      break;
  }
  return Matrix3::identity();
}

void ViewTransform::reset() {
  a_ = b_ = 0;
  base_ = Matrix3::identity();
  t1_ = t2_ = t3_ = {};
  halfRange_ = kDefaultHalfRange;
  update();
}

Point ViewTransform::project(const Point& world) const {
  return Add(Add(rotation_.apply(Add(world, t1_)), t2_), t3_);
}

void ViewTransform::rotate(double right, double down) {
  if (!std::isfinite(right) || !std::isfinite(down)) return;
  a_ += down / kUnitsPerRadian;
  b_ += right / kUnitsPerRadian;
  update();
}

void ViewTransform::pan(double dx, double dy) {
  if (!std::isfinite(dx) || !std::isfinite(dy)) return;
  t2_.x += dx;
  t2_.y += dy;
}

bool ViewTransform::zoomToRectangle(const Point2& a, const Point2& b) {
  const double d = std::hypot(b.x - a.x, b.y - a.y);
  if (!(d > 0) || !std::isfinite(d)) return false;
  halfRange_ = std::clamp(d / 2, kMinHalfRange, kMaxHalfRange);
  t2_.x -= (a.x + b.x) / 2;
  t2_.y -= (a.y + b.y) / 2;
  return true;
}

void ViewTransform::zoomAbout(const Point2& at, double factor) {
  if (!(factor > 0) || !std::isfinite(factor) || !std::isfinite(at.x) || !std::isfinite(at.y)) {
    return;
  }
  const double next = std::clamp(halfRange_ * factor, kMinHalfRange, kMaxHalfRange);
  factor = next / halfRange_;
  halfRange_ = next;
  t2_.x += at.x * (factor - 1);
  t2_.y += at.y * (factor - 1);
}

void ViewTransform::setRotationCentre(const Point& world) {
  // With T1 = -P the point sits at the centre of the rotation, and T3 puts it back where it was
  // drawn: every other point keeps its place too, and later turns leave P still.
  const Point seen = project(world);
  t1_ = {-world.x, -world.y, -world.z};
  t3_ = Sub(seen, t2_);
}

void ViewTransform::setStandardView(StandardView view) {
  a_ = b_ = 0;
  base_ = StandardViewMatrix(view);
  update();
}

}  // namespace ordalis::display
