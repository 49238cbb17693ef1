#include "core/display/view_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/display/projection.h"
#include "core/iso/arc.h"

namespace ordalis::display {
namespace {

constexpr double kPi = 3.14159265358979323846;

void ExpectPoint(const Point& actual, const Point& expected, double eps = 1e-9) {
  EXPECT_NEAR(actual.x, expected.x, eps);
  EXPECT_NEAR(actual.y, expected.y, eps);
  EXPECT_NEAR(actual.z, expected.z, eps);
}

TEST(RotationMatrixTest, RowsFollowTheAnglesAndStayARotation) {
  const double a = 0.3, b = -1.1;
  const Matrix3 r = RotationMatrix(a, b);
  const double sA = std::sin(a), cA = std::cos(a), sB = std::sin(b), cB = std::cos(b);
  const double expected[3][3] = {{cB, 0, -sB}, {sA * sB, cA, sA * cB}, {cA * sB, -sA, cA * cB}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) EXPECT_DOUBLE_EQ(r.m[i][j], expected[i][j]);
  }
  const Matrix3 rt = [&] {
    Matrix3 t;
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) t.m[i][j] = r.m[j][i];
    }
    return t;
  }();
  const Matrix3 identity = r * rt;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(identity.m[i][j], i == j ? 1 : 0, 1e-12);
  }
}

TEST(StandardViewTest, EachViewShowsTheAxesWhereADrawingWould) {
  struct Case {
    StandardView view;
    Point x, y, z;  // where the world axes go: right, up, towards the viewer
  };
  const double r2 = 1 / std::sqrt(2.0), r3 = 1 / std::sqrt(3.0), r6 = 1 / std::sqrt(6.0);
  const std::vector<Case> cases = {
      {StandardView::Top, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {StandardView::Front, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
      {StandardView::Right, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
      {StandardView::Isometric, {r2, -r6, r3}, {r2, r6, -r3}, {0, 2 * r6, r3}},
  };
  for (const Case& c : cases) {
    ViewTransform view;
    view.setStandardView(c.view);
    SCOPED_TRACE(static_cast<int>(c.view));
    ExpectPoint(view.project({1, 0, 0}), c.x);
    ExpectPoint(view.project({0, 1, 0}), c.y);
    ExpectPoint(view.project({0, 0, 1}), c.z);
  }
}

TEST(ViewTransformTest, FourteenPiUnitsOfMouseTravelTurnOneRadian) {
  ViewTransform view;
  view.rotate(0, 14 * kPi);
  EXPECT_NEAR(view.angleA(), 1, 1e-15);
  EXPECT_EQ(view.angleB(), 0);
  view.rotate(-7 * kPi, 0);
  EXPECT_NEAR(view.angleB(), -0.5, 1e-15);
  ExpectPoint(view.project({0, 0, 1}),
              {-std::sin(-0.5), std::sin(1) * std::cos(-0.5), std::cos(1) * std::cos(-0.5)});
}

TEST(ViewTransformTest, AZeroSizeRectangleChangesNothing) {
  ViewTransform view;
  view.pan(3, 4);
  EXPECT_FALSE(view.zoomToRectangle({5, 5}, {5, 5}));
  EXPECT_EQ(view.halfRange(), ViewTransform::kDefaultHalfRange);
  ExpectPoint(view.t2(), {3, 4, 0});
}

TEST(ViewTransformTest, ARectangleFillsThePictureByItsDiagonal) {
  ViewTransform view;
  EXPECT_TRUE(view.zoomToRectangle({10, 20}, {40, 60}));
  EXPECT_DOUBLE_EQ(view.halfRange(), 25);
  ExpectPoint(view.project({25, 40, 0}), {0, 0, 0});
}

TEST(ViewTransformTest, FitCentresTheExtentOfToolpathAndTriad) {
  ViewTransform view;
  const std::vector<Point2> points = {{-50, 30}, {70, -10}};
  const Extent e = ViewExtent(points, view);
  ExpectPoint({e.min.x, e.min.y, 0}, {-50, -10, 0});
  ExpectPoint({e.max.x, e.max.y, 0}, {70, 30, 0});
  EXPECT_TRUE(view.fit(e.min, e.max));
  EXPECT_DOUBLE_EQ(view.halfRange(), std::hypot(120, 40) / 2);
  ExpectPoint(view.project({10, 10, 0}), {0, 0, 0});
}

TEST(ViewTransformTest, TheWheelZoomKeepsThePointUnderThePointer) {
  ViewTransform view;
  view.pan(7, -3);
  const Point before = view.project({20, 30, 5});
  const ScreenMapping map0(800, 600, view.halfRange());
  const double px = map0.toPixelX(before.x), py = map0.toPixelY(before.y);
  view.zoomAbout({before.x, before.y}, 0.5);
  EXPECT_DOUBLE_EQ(view.halfRange(), 50);
  const Point after = view.project({20, 30, 5});
  const ScreenMapping map1(800, 600, view.halfRange());
  EXPECT_NEAR(map1.toPixelX(after.x), px, 1e-9);
  EXPECT_NEAR(map1.toPixelY(after.y), py, 1e-9);
}

TEST(ViewTransformTest, ACentreOfRotationStaysStillOnScreen) {
  ViewTransform view;
  view.rotate(12, -30);
  view.pan(15, 8);
  const Point centre{40, -20, 10}, other{-5, 60, 3};
  const Point centreSeen = view.project(centre), otherSeen = view.project(other);
  view.setRotationCentre(centre);
  ExpectPoint(view.project(other), otherSeen);  // nothing jumps
  view.rotate(40, 25);
  const Point after = view.project(centre);
  EXPECT_NEAR(after.x, centreSeen.x, 1e-9);
  EXPECT_NEAR(after.y, centreSeen.y, 1e-9);
  EXPECT_GT(iso::Distance(view.project(other), otherSeen), 1);
}

TEST(ViewTransformTest, ResetZeroesTheOffsetsAndTheAngles) {
  ViewTransform view;
  view.rotate(5, 6);
  view.pan(1, 2);
  view.setRotationCentre({3, 4, 5});
  view.zoomToRectangle({0, 0}, {1, 1});
  view.setStandardView(StandardView::Isometric);
  view.reset();
  for (const Point& t : {view.t1(), view.t2(), view.t3()}) ExpectPoint(t, {0, 0, 0}, 0);
  EXPECT_EQ(view.angleA(), 0);
  EXPECT_EQ(view.angleB(), 0);
  EXPECT_EQ(view.halfRange(), ViewTransform::kDefaultHalfRange);
  ExpectPoint(view.project({1, 2, 3}), {1, 2, 3}, 0);
}

// ---- Projection and pick --------------------------------------------------------------------

TEST(PickTest, TheNearestEndPointWinsAndATieGoesToTheFirst) {
  const std::vector<Point2> points = {{0, 0}, {10, 0}, {0, 10}, {10, 0}, {-10, 0}};
  EXPECT_EQ(PickNearest(points, {9, 1}), 1u);
  EXPECT_EQ(PickNearest(points, {5, 0}), 0u);  // 0, 1, 3 at 5: the first
  EXPECT_EQ(PickNearest(points, {5, 0}, [](std::size_t i) { return i != 0; }), 1u);
  EXPECT_EQ(PickNearest(std::vector<Point2>{}, {0, 0}), kNoMove);
}

TEST(ProjectionTest, MovesAreProjectedAsSinglePointsAreAndMappedToPixels) {
  MoveList list;
  list.append(MoveKind::Feed, {10, -4, 7}, kGreen, kNoStatement);
  ViewTransform view;
  view.rotate(20, 10);
  view.pan(2, 3);
  view.setRotationCentre({1, 1, 1});
  std::vector<Point2> out;
  ProjectMoves(list, view, out);
  ASSERT_EQ(out.size(), 2u);
  const Point p = view.project({10, -4, 7});
  EXPECT_NEAR(out[1].x, p.x, 1e-12);
  EXPECT_NEAR(out[1].y, p.y, 1e-12);

  const ScreenMapping map(1000, 800, 100);  // the square is 800 pixels: 4 per unit
  EXPECT_DOUBLE_EQ(map.toPixelX(0), 500);
  EXPECT_DOUBLE_EQ(map.toPixelY(100), 0);
  EXPECT_DOUBLE_EQ(map.toPixelX(-100), 100);
  const Point2 back = map.toUser(map.toPixelX(12.5), map.toPixelY(-3));
  EXPECT_DOUBLE_EQ(back.x, 12.5);
  EXPECT_DOUBLE_EQ(back.y, -3);
  EXPECT_DOUBLE_EQ(map.unzoomedUnits(400), 100);
}

}  // namespace
}  // namespace ordalis::display
