#pragma once
// The graphics view's parallel projection: a world point is translated by T1, rotated, then
// translated by T2 (the pan) and T3; its X and Y are drawn in user units, the picture spanning
// -halfRange..halfRange on both axes with Y upwards. Everything here is plain arithmetic, so the
// mouse rules are tested without a window.

#include <array>

#include "core/display/move_list.h"

namespace ordalis::display {

struct Point2 {
  double x = 0, y = 0;
};

struct Matrix3 {
  std::array<std::array<double, 3>, 3> m{};

  static Matrix3 identity();
  Point apply(const Point& p) const;
  Matrix3 operator*(const Matrix3& other) const;
};

/// The rotation of the view angles (radians), rows (cB, 0, -sB), (sA sB, cA, sA cB),
/// (cA sB, -sA, cA cB): B turns about the vertical axis, then A about the horizontal one.
Matrix3 RotationMatrix(double a, double b);

enum class StandardView { Top, Front, Right, Isometric };

/// The orientation a standard view starts from: rows are the world directions drawn rightwards,
/// upwards and towards the viewer.
Matrix3 StandardViewMatrix(StandardView view);

class ViewTransform {
 public:
  static constexpr double kDefaultHalfRange = 100;
  /// Mouse travel in user units of the unzoomed picture for one radian of rotation.
  static constexpr double kUnitsPerRadian = 14 * 3.14159265358979323846;

  ViewTransform() { reset(); }

  /// Angles, offsets and scale as at start-up: the top view, -100..100.
  void reset();

  Point project(const Point& world) const;
  const Matrix3& rotation() const { return rotation_; }

  double angleA() const { return a_; }
  double angleB() const { return b_; }
  const Point& t1() const { return t1_; }
  const Point& t2() const { return t2_; }
  const Point& t3() const { return t3_; }
  /// The picture spans -halfRange..halfRange user units on both axes.
  double halfRange() const { return halfRange_; }

  /// Mouse travel: A grows by down / kUnitsPerRadian and B by right / kUnitsPerRadian, in user
  /// units of the unzoomed picture, so that a zoomed view turns as fast as a whole one.
  void rotate(double right, double down);
  /// Moves the drawing by (dx, dy) user units.
  void pan(double dx, double dy);
  /// Shows the rectangle of corners a and b (user units) across the picture; false, and nothing
  /// changed, when its diagonal is 0.
  bool zoomToRectangle(const Point2& a, const Point2& b);
  /// The same rule as zoomToRectangle, on the extent of the drawing.
  bool fit(const Point2& min, const Point2& max) { return zoomToRectangle(min, max); }
  /// Scales the picture by `factor` (above 1 shows more) keeping the point `at` where it is.
  void zoomAbout(const Point2& at, double factor);
  /// Makes the world point the centre of rotation; nothing moves on screen.
  void setRotationCentre(const Point& world);
  /// Turns to a standard view (angles back to 0); offsets and scale are the caller's to fit.
  void setStandardView(StandardView view);

 private:
  void update() { rotation_ = RotationMatrix(a_, b_) * base_; }

  double a_ = 0, b_ = 0;
  Matrix3 base_;
  Matrix3 rotation_;
  Point t1_, t2_, t3_;
  double halfRange_ = kDefaultHalfRange;
};

}  // namespace ordalis::display
