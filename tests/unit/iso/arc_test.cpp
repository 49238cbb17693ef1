#include "core/iso/arc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/ppdef/definition.h"

namespace ordalis::iso {
namespace {

constexpr double kEps = 1e-9;

void ExpectNear(const Vec3& actual, const Vec3& expected, double eps = 1e-6) {
  EXPECT_NEAR(actual.x, expected.x, eps);
  EXPECT_NEAR(actual.y, expected.y, eps);
  EXPECT_NEAR(actual.z, expected.z, eps);
}

bool Finite(const ArcState& a) {
  for (double v : {a.middle.x, a.middle.y, a.middle.z, a.relativeCentre.x, a.relativeCentre.y,
                   a.relativeCentre.z, a.sweptAngle, a.radius}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

class ArcTest : public ::testing::Test {
 protected:
  ArcTest() {
    def.PP_ARC_L = "G3";
    def.PP_ARC_R = "G2";
  }
  /// A quarter arc of radius 10 about the origin, from +X to +Y, with the given axis.
  void quarter(Vec3 axis) {
    st.arc = ArcState{};
    st.arc.start = {10, 0, 0};
    st.arc.end = {0, 10, 0};
    st.arc.radius = 10;
    st.arc.axis = axis;
  }
  ppdef::PostProcessorDefinition def;
  RunState st;
};

TEST_F(ArcTest, DirectionFollowsTheAxisAgainstTheWorkingPlane) {
  const double h = 10 / std::sqrt(2.0);
  quarter({0, 0, 1});
  EXPECT_TRUE(ComputeArcChecked(st, def));
  EXPECT_EQ(st.arc.codeNumber, 3);
  EXPECT_EQ(st.arc.codeText, "G3");
  ExpectNear(st.arc.relativeCentre, {-10, 0, 0});
  ExpectNear(st.arc.middle, {h, h, 0});
  EXPECT_NEAR(st.arc.sweptAngle, 90, kEps);

  // The same end points about -Z: the long way round, clockwise seen from +Z.
  quarter({0, 0, -1});
  ComputeArcChecked(st, def);
  EXPECT_EQ(st.arc.codeNumber, 2);
  EXPECT_EQ(st.arc.codeText, "G2");
  ExpectNear(st.arc.middle, {-h, -h, 0});
  EXPECT_NEAR(st.arc.sweptAngle, 270, kEps);

  // In the G17-minus plane the +Z axis turns clockwise for the controller.
  quarter({0, 0, 1});
  st.planeNormal = {0, 0, -1};
  ComputeArcChecked(st, def);
  EXPECT_EQ(st.arc.codeNumber, 2);
  ExpectNear(st.arc.middle, {h, h, 0});
  EXPECT_NEAR(st.arc.sweptAngle, 90, kEps);
}

TEST_F(ArcTest, IndirvOverridesTheAxisForOneArcOnly) {
  quarter({0, 0, 1});
  st.arc.indirv = {0, -1, 0};  // leaving +X downwards: clockwise
  ComputeArcChecked(st, def);
  EXPECT_EQ(st.arc.codeNumber, 2);
  EXPECT_NEAR(st.arc.sweptAngle, 270, kEps);
  EXPECT_EQ(Length(st.arc.indirv), 0);

  ComputeArcChecked(st, def);
  EXPECT_EQ(st.arc.codeNumber, 3);

  st.arc.indirv = {0, 1, 0};
  ComputeArcChecked(st, def);
  EXPECT_EQ(st.arc.codeNumber, 3);
}

TEST_F(ArcTest, DegenerateArcsGiveNumbers) {
  quarter({0, 0, 1});
  st.arc.end = st.arc.start;  // full circle
  EXPECT_TRUE(ComputeArcChecked(st, def));
  EXPECT_EQ(st.arc.sweptAngle, 0);
  ExpectNear(st.arc.middle, {-10, 0, 0});

  quarter({0, 0, 1});
  st.arc.end = st.arc.centre;
  ComputeArcChecked(st, def);
  EXPECT_EQ(st.arc.sweptAngle, 180);
  EXPECT_TRUE(Finite(st.arc));

  quarter({0, 0, 1});
  st.arc.start = st.arc.centre;  // zero radius
  st.arc.radius = 0;
  ComputeArcChecked(st, def);
  EXPECT_EQ(st.arc.sweptAngle, 0);
  EXPECT_TRUE(Finite(st.arc));

  quarter({0, 0, 0});  // no axis: the working-plane normal
  ComputeArcChecked(st, def);
  EXPECT_EQ(st.arc.codeNumber, 3);
  EXPECT_NEAR(st.arc.sweptAngle, 90, kEps);

  // Coordinates whose difference overflows: reported, and written as 0.
  quarter({0, 0, 1});
  st.arc.centre = {-1e308, 0, 0};
  st.arc.start = {1e308, 0, 0};
  EXPECT_FALSE(ComputeArcChecked(st, def));
  EXPECT_TRUE(Finite(st.arc));

  EXPECT_EQ(ArcCosine(1.0000001), 0);
  EXPECT_NEAR(ArcCosine(-1.0000001), std::acos(-1.0), kEps);
  EXPECT_EQ(ArcCosine(std::nan("")), 0);
}

TEST_F(ArcTest, AxisParallelToThePlaneNormalEitherWay) {
  const Vec3 g17{0, 0, 1};
  quarter({0, 0, -2});
  EXPECT_TRUE(ArcInWorkingPlane(st.arc, g17));
  quarter({1e-9, 0, 1});
  EXPECT_TRUE(ArcInWorkingPlane(st.arc, g17));
  quarter({0, 0, 0});
  EXPECT_TRUE(ArcInWorkingPlane(st.arc, g17));
  quarter({1, 0, 0});
  EXPECT_FALSE(ArcInWorkingPlane(st.arc, g17));
  quarter({0, 0.01, 1});
  EXPECT_FALSE(ArcInWorkingPlane(st.arc, g17));
  EXPECT_TRUE(ArcInWorkingPlane(st.arc, {0, 0.01, 1}));
}

TEST_F(ArcTest, RadiusIsMeasuredInTheArcPlane) {
  st.arc.centre = {0, 0, 0};
  st.arc.start = {3, 4, 12};
  st.arc.axis = {0, 0, 1};
  EXPECT_NEAR(RadiusInArcPlane(st.arc, {0, 0, 1}), 5, kEps);
  st.arc.axis = {0, 0, 0};
  EXPECT_NEAR(RadiusInArcPlane(st.arc, {1, 0, 0}), std::hypot(4.0, 12.0), kEps);
}

/// Largest distance from a chord midpoint to the circle of radius r about `axis` through `c`.
double WorstChordDeviation(const std::vector<Vec3>& pts, const Vec3& first, const Vec3& c,
                           const Vec3& axis, double r) {
  double worst = 0;
  Vec3 prev = first;
  for (const Vec3& p : pts) {
    const Vec3 m = Midpoint(prev, p);
    const Vec3 rel{m.x - c.x, m.y - c.y, m.z - c.z};
    const Vec3 radial = Minus(rel, axis, Dot(rel, axis));
    worst = std::max(worst, std::fabs(r - Length(radial)));
    prev = p;
  }
  return worst;
}

TEST_F(ArcTest, ChordsStayWithinTheTolerance) {
  // A quarter about +X, from +Y to +Z, seen in G17: it must become lines.
  st.arc = ArcState{};
  st.arc.centre = {5, 0, 0};
  st.arc.start = {5, 10, 0};
  st.arc.end = {5, 0, 10};
  st.arc.axis = {1, 0, 0};
  st.arc.radius = 10;
  ComputeArcChecked(st, def);
  std::vector<Vec3> pts;
  LinearizeArc(st.arc, st.planeNormal, 0.01, pts);
  ASSERT_GT(pts.size(), 3u);
  EXPECT_LT(pts.size(), 50u);
  EXPECT_EQ(pts.back().x, 5);
  EXPECT_EQ(pts.back().y, 0);
  EXPECT_EQ(pts.back().z, 10);
  for (const Vec3& p : pts) {
    EXPECT_NEAR(p.x, 5, kEps);
    EXPECT_GE(p.y, -kEps);  // the short way, from +Y to +Z
    EXPECT_GE(p.z, -kEps);
    EXPECT_NEAR(std::hypot(p.y, p.z), 10, 1e-9);
  }
  EXPECT_LE(WorstChordDeviation(pts, st.arc.start, st.arc.centre, {1, 0, 0}, 10), 0.01);

  // A full helical turn about -Y rising along the axis, with a negative tolerance.
  st.arc = ArcState{};
  st.arc.start = {10, 0, 0};
  st.arc.end = {10, -4, 0};
  st.arc.axis = {0, -1, 0};
  st.arc.radius = 10;
  ComputeArcChecked(st, def);
  LinearizeArc(st.arc, st.planeNormal, -0.001, pts);
  ASSERT_GT(pts.size(), 100u);
  EXPECT_EQ(pts.back().y, -4);
  EXPECT_LE(WorstChordDeviation(pts, st.arc.start, st.arc.centre, {0, 1, 0}, 10), 0.001);
  // Turning about -Y from +X leads through +Z.
  EXPECT_GT(pts[pts.size() / 4].z, 0);
}

}  // namespace
}  // namespace ordalis::iso
