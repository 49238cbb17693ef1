#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/kinematics/linearize.h"
#include "core/kinematics/work_plane.h"

namespace ordalis::kinematics {
namespace {

void ExpectNear(const Vec3& a, const Vec3& b, double tol, const std::string& what = {}) {
  EXPECT_NEAR(a.x, b.x, tol) << what;
  EXPECT_NEAR(a.y, b.y, tol) << what;
  EXPECT_NEAR(a.z, b.z, tol) << what;
}

Machine Physical(int type, Vec3 centre = {}, double pivot = 0) {
  MachineSetup s;
  s.type = type;
  s.headAngle = 45;
  s.tableCentre = centre;
  s.pivotLength = pivot;
  return Machine(s);
}

TEST(MachineCoordinates, HeadsSwingTheTipAboutThePivot) {
  // Head A/C, tool 100 long with the pivot: at A 90 the spindle lies along -Y, so the pivot
  // is 100 from the tip along -Y and 100 lower than for an upright tool.
  const Machine head = Physical(3);
  const Vec3 out = head.toMachine({10, 20, 30}, {90, 0, 0}, 100);
  ExpectNear(out, {10, -80, -70}, 1e-9);
  ExpectNear(head.toMachine({10, 20, 30}, {0, 0, 77}, 100), {10, 20, 30}, 1e-12);
}

TEST(MachineCoordinates, TablesTurnThePointAboutTheirCentre) {
  // Table A/C with its centre at (100, 50, -20): C 90 turns the part so that the tool, fixed
  // along Z, sees the axis the program asks for.
  const Machine table = Physical(7, {100, 50, -20});
  const Vec3 out = table.toMachine({110, 50, -20}, {0, 0, 90}, 250);
  ExpectNear(out, {100, 40, -20}, 1e-9);  // the part turned -90 about Z
  ExpectNear(table.toMachine({3, 4, 5}, {0, 0, 0}, 250), {3, 4, 5}, 1e-12);
}

TEST(MachineCoordinates, TransformedBackGiveTheProgramPoints) {
  const Vec3 tips[] = {{0, 0, 0}, {12.5, -40, 7}, {-300, 220, -55}};
  for (int type : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 19, 20}) {
    const Machine m = Physical(type, {40, -15, -80}, 175);
    for (const Vec3& tip : tips) {
      for (const Vec3& v :
           {Vec3{0, 0, 1}, Normalized({0.3, -0.4, 0.8}), Normalized({-1, 0.2, 0.1})}) {
        const Solution s = m.solve(v, {});
        ASSERT_TRUE(s.reached) << type;
        const Vec3 out = m.toMachine(tip, s.angles, 175 + 60);
        ExpectNear(m.fromMachine(out, s.angles, 235), tip, 1e-9, std::to_string(type));
        // The pivot, one swing length above the compensated position, sits on the tool axis
        // that the program asks for, one swing length from the tip.
        const Vec3 pivot = m.fromMachine(out + Vec3{0, 0, 235}, s.angles, 0);
        ExpectNear(pivot, tip + v * 235, 1e-9, std::to_string(type));
      }
    }
  }
}

/// Runs the controller over the sub-moves: every axis in a straight line of machine coordinates.
/// Returns the largest distance from the tip to the program's line.
double WorstDeviation(const Machine& m, const Pose& from, const std::vector<Pose>& poses,
                      double length) {
  double worst = 0;
  Pose start = from;
  const Vec3 a = from.tip, b = poses.back().tip;
  for (const Pose& end : poses) {
    const Vec3 m0 = m.toMachine(start.tip, start.angles, length);
    const Vec3 m1 = m.toMachine(end.tip, end.angles, length);
    for (int k = 1; k < 16; ++k) {
      const double t = k / 16.0;
      const Angles angles = m.interpolate(start.angles, end.angles, t);
      const Vec3 tip = m.fromMachine(m0 + (m1 - m0) * t, angles, length);
      const Vec3 d = b - a;
      double s = Dot(tip - a, d) / Dot(d, d);
      s = std::max(0.0, std::min(1.0, s));
      worst = std::max(worst, Norm(tip - (a + d * s)));
    }
    start = end;
  }
  return worst;
}

TEST(MachineCoordinates, LinearisedMovesStayWithinTolerance) {
  struct Case {
    int type;
    Pose from, to;
    double length;
  };
  const Case cases[] = {
      {3, {{0, 0, 0}, {0, 0, 0}}, {{50, 0, 0}, {30, 0, 60}}, 250},
      {7, {{100, 0, -10}, {-10, 0, 20}}, {{120, 40, -10}, {-40, 0, 95}}, 0},
      {12, {{0, 0, 0}, {0, 10, 0}}, {{0, 0, 0}, {0, 50, 90}}, 180},  // a turn on the spot
      {5, {{-20, 5, 3}, {0, 0, 0}}, {{30, -5, 3}, {90, 0, 45}}, 200},
  };
  for (const Case& c : cases) {
    const Machine m = Physical(c.type, {20, 10, -50});
    std::vector<Pose> poses;
    LinearizeMove(m, c.from, c.to, c.length, 0.01, poses);
    ASSERT_GT(poses.size(), 1u) << c.type;
    EXPECT_LT(poses.size(), 4096u);
    EXPECT_EQ(poses.back().tip.x, c.to.tip.x);
    EXPECT_EQ(poses.back().angles, c.to.angles);
    EXPECT_LE(WorstDeviation(m, c.from, poses, c.length), 0.0125) << c.type;
    // Without the split the tip would leave the line by far more.
    EXPECT_GT(WorstDeviation(m, c.from, {c.to}, c.length), 0.1) << c.type;
  }
  // No rotation: one move, nothing to split.
  std::vector<Pose> poses;
  LinearizeMove(Physical(7), {{0, 0, 0}, {10, 0, 20}}, {{50, 5, 0}, {10, 0, 20}}, 0, 0.01, poses);
  EXPECT_EQ(poses.size(), 1u);
}

TEST(WorkPlane, FramesAndTheirAngles) {
  for (const Vec3& v : {Vec3{0, 0, 1}, Vec3{1, 0, 0}, Vec3{0, -1, 0}, Vec3{0, 0, -1},
                        Normalized({0.3, -0.5, 0.7}), Normalized({-0.9, 0.1, -0.2})}) {
    const Mat3 r = TiltTo(v);
    ExpectNear(r * Vec3{0, 0, 1}, v, 1e-12);
    const Vec3 spatial = SpatialAngles(r);
    const Mat3 fromSpatial = RotationZ(spatial.z) * RotationY(spatial.y) * RotationX(spatial.x);
    const Vec3 euler = EulerZxz(r);
    const Mat3 fromEuler = RotationZ(euler.x) * RotationX(euler.y) * RotationZ(euler.z);
    for (int j = 0; j < 3; ++j) {
      ExpectNear(common::Column(fromSpatial, j), common::Column(r, j), 1e-9);
      ExpectNear(common::Column(fromEuler, j), common::Column(r, j), 1e-9);
    }
  }
  // The tilt keeps X horizontal when it turns about X: TLAXIS/0,-0.5,0.866 is A 30.
  const Vec3 spatial = SpatialAngles(TiltTo(Normalized({0, -0.5, 0.8660254})));
  EXPECT_NEAR(spatial.x, 30, 1e-6);
  EXPECT_NEAR(spatial.y, 0, 1e-9);
  EXPECT_NEAR(spatial.z, 0, 1e-9);

  // A CAM matrix that rounding left slightly skewed is made a rotation again.
  const double m[12] = {1, 0, 0, 5, 0, 0.0000001, -1, 6, 0, 1, 0, 7};
  Frame f;
  ASSERT_TRUE(FrameFromMatrix(m, f));
  ExpectNear(f.origin, {5, 6, 7}, 0);
  ExpectNear(f.toOuter({0, 0, 1}), {5, 5, 7}, 1e-6);
  ExpectNear(f.toInner(f.toOuter({1, 2, 3})), {1, 2, 3}, 1e-12);
  const double flat[12] = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(FrameFromMatrix(flat, f));
  EXPECT_TRUE(IsIdentity(Frame{}));
}

}  // namespace
}  // namespace ordalis::kinematics
