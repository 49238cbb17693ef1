#include "core/kinematics/machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace ordalis::kinematics {
namespace {

constexpr Vec3 kZ{0, 0, 1};
const double kS = std::sqrt(0.5);

Vec3 Rx(double a, Vec3 v) { return RotationX(a) * v; }
Vec3 Ry(double a, Vec3 v) { return RotationY(a) * v; }
Vec3 Rz(double a, Vec3 v) { return RotationZ(a) * v; }
Vec3 Rn(const Vec3& n, double a, Vec3 v) { return RotationAbout(n, a) * v; }

/// Tool axes over every octant, the axes themselves and the horizontal plane.
std::vector<Vec3> Grid() {
  std::vector<Vec3> out;
  for (double x : {-0.7, -0.2, 0.0, 0.3, 0.9}) {
    for (double y : {-0.6, 0.0, 0.4}) {
      for (double z : {-1.0, -0.8, 0.0, 0.5, 1.0}) {
        if (x != 0 || y != 0 || z != 0) out.push_back(Normalized({x, y, z}));
      }
    }
  }
  return out;
}

Machine MachineOfType(int type, double headAngle = 0) {
  MachineSetup setup;
  setup.type = type;
  setup.headAngle = headAngle;
  return Machine(setup);
}

MachineSetup Limited(int type, double abMin, double abMax, double cMin, double cMax) {
  MachineSetup s;
  s.type = type;
  s.abMin = abMin, s.abMax = abMax, s.cMin = cMin, s.cMax = cMax;
  return s;
}

using Model = std::function<Vec3(const Angles&)>;

struct TypeModel {
  int type;
  Model model;      // the model of docs/kinematics.md, written apart from the solver
  double minimumZ;  // tool axes below this cannot be reached
};

const std::vector<TypeModel>& Models() {
  static const Vec3 nA{kS, 0, kS}, nB{0, kS, kS};
  static const std::vector<TypeModel> models = {
      {2, [](const Angles& a) { return Ry(a[1], Rx(a[0], kZ)); }, -1},
      {3, [](const Angles& a) { return Rz(a[2], Rx(a[0], kZ)); }, -1},
      {4, [](const Angles& a) { return Rz(a[2], Ry(a[1], kZ)); }, -1},
      {5, [](const Angles& a) { return Rz(a[2], Rn(nA, a[0], kZ)); }, 0},
      {6, [](const Angles& a) { return Rz(a[2], Rn(nB, a[1], kZ)); }, 0},
      {7, [](const Angles& a) { return Rz(a[2], Rx(a[0], kZ)); }, -1},
      {8, [](const Angles& a) { return Rz(-a[2], Ry(-a[1], kZ)); }, -1},
      {9, [](const Angles& a) { return Rz(a[2], Rn(nA, a[0], kZ)); }, 0},
      {10, [](const Angles& a) { return Rz(a[2], Rn(nB, a[1], kZ)); }, 0},
      {11, [](const Angles& a) { return Rz(a[2], Rx(a[0], kZ)); }, -1},
      {12, [](const Angles& a) { return Rz(a[2], Ry(a[1], kZ)); }, -1},
      {13, [](const Angles& a) { return Rz(a[2], Rn(nA, a[0], kZ)); }, 0},
      {14, [](const Angles& a) { return Rz(a[2], Rn(nB, a[1], kZ)); }, 0},
      {15, [](const Angles& a) { return Rz(a[0], Rx(a[1], kZ)); }, -1},
      {16, [](const Angles& a) { return Rz(a[0], Ry(a[1], Rx(a[2], kZ))) * -1; }, -1},
      {17, [](const Angles& a) { return Rz(a[2], Ry(a[1], kZ)); }, -1},
      {19, [](const Angles& a) { return Rz(a[2], Rn(nA, a[0], kZ)); }, 0},
      {20, [](const Angles& a) { return Rz(a[2], Rn(nB, a[1], kZ)); }, 0},
  };
  return models;
}

void ExpectNear(const Vec3& a, const Vec3& b, double tol, const std::string& what) {
  EXPECT_NEAR(a.x, b.x, tol) << what;
  EXPECT_NEAR(a.y, b.y, tol) << what;
  EXPECT_NEAR(a.z, b.z, tol) << what;
}

std::string Describe(int type, const Vec3& v) {
  return "type " + std::to_string(type) + " axis " + std::to_string(v.x) + "," +
         std::to_string(v.y) + "," + std::to_string(v.z);
}

TEST(Machine, EveryTypeRebuildsEveryReachableAxis) {
  for (const TypeModel& t : Models()) {
    const Machine m = MachineOfType(t.type, 45);
    for (const Angles& previous : {Angles{0, 0, 0}, Angles{-30, 20, 170}, Angles{40, -50, -250}}) {
      for (const Vec3& v : Grid()) {
        const Solution s = m.solve(v, previous);
        const std::string what = Describe(t.type, v);
        ASSERT_EQ(s.reached, v.z >= t.minimumZ - 1e-12) << what;
        if (!s.reached) continue;
        ExpectNear(t.model(s.angles), v, 1e-9, what);
        ExpectNear(m.toolAxis(s.angles), v, 1e-9, what);
      }
    }
  }
}

TEST(Machine, IjkNotationAndMachinesWithoutSolution) {
  const Solution s = MachineOfType(18).solve({0.1, 0.2, 0.3}, {});
  EXPECT_TRUE(s.reached);
  EXPECT_EQ(s.angles, (Angles{0.1, 0.2, 0.3}));
  for (int type : {1, 0, 21, -5}) {
    const Machine m = MachineOfType(type);
    EXPECT_FALSE(m.hasSolution()) << type;
    EXPECT_FALSE(m.solve({0, 0.6, 0.8}, {1, 2, 3}).reached);
  }
  EXPECT_FALSE(MachineOfType(16).hasMachineCoordinates());
  EXPECT_TRUE(MachineOfType(7).hasMachineCoordinates());
  // The robot's upright tool: the flange turned half a turn about X, as first built.
  const Solution robot = MachineOfType(16).solve(kZ, {});
  EXPECT_NEAR(robot.angles[kA], 0, 1e-12);
  EXPECT_NEAR(robot.angles[kB], 0, 1e-12);
  EXPECT_NEAR(robot.angles[kC], 180, 1e-12);
}

TEST(Machine, UniversalHeadsTakeTheirHeadAngle) {
  // 30 degrees: the tool reaches 60 degrees below the horizontal (z down to -0.5).
  for (int type : {19, 20}) {
    const Machine m = MachineOfType(type, 30);
    EXPECT_TRUE(m.solve(Normalized({0.8, 0, -0.45}), {}).reached) << type;
    EXPECT_FALSE(m.solve(Normalized({0.8, 0, -0.65}), {}).reached) << type;
  }
  // A head angle of 0 is the plain A/C head.
  const Solution plain = MachineOfType(19, 0).solve({0, -0.6, 0.8}, {});
  EXPECT_NEAR(plain.angles[kA], 36.8698976458, 1e-9);
  EXPECT_NEAR(plain.angles[kC], 0, 1e-12);
}

TEST(Machine, SingularPositionKeepsTheFreeAxis) {
  struct Case {
    int type;
    Vec3 axis;
    int freeAxis;
  };
  const Case cases[] = {{3, kZ, kC},
                        {7, kZ, kC},
                        {4, kZ, kC},
                        {8, kZ, kC},
                        {12, kZ, kC},
                        {5, kZ, kC},
                        {2, {0, 1, 0}, kB},
                        {2, {0, -1, 0}, kB},
                        {15, kZ, kA},
                        {3, {0, 0, -1}, kC},
                        {3, Normalized({1e-7, -1e-7, 1}), kC}};  // noise below 0.001 degree
  for (const Case& c : cases) {
    const Machine m = MachineOfType(c.type);
    const Angles previous{12, 34, 56};
    const Solution s = m.solve(c.axis, previous);
    ASSERT_TRUE(s.reached) << c.type;
    EXPECT_EQ(s.angles[c.freeAxis], previous[c.freeAxis]) << c.type;
    ExpectNear(m.toolAxis(s.angles), Normalized(c.axis), 1e-6, Describe(c.type, c.axis));
  }
  // Head A/B along +Y: A is -90 and B stays.
  const Solution ab = MachineOfType(2).solve({0, 1, 0}, {0, 7, 0});
  EXPECT_NEAR(ab.angles[kA], -90, 1e-12);
  EXPECT_EQ(ab.angles[kB], 7);
}

TEST(Machine, NearestSolutionInsideTheLimits) {
  struct Case {
    const char* what;
    MachineSetup setup;
    Vec3 axis;
    Angles previous;
    Angles expected;
    bool rewind;
  };
  const Vec3 lean40 = Normalized({0.454519, 0.454519, 0.766044});
  const Vec3 lean20y = Normalized({0, 0.342020, 0.939693});
  const Vec3 lean30x = Normalized({0.5, 0, 0.866025});
  const Vec3 past360 = Normalized({-0.043578, 0.498097, 0.866025});  // A -30 C 365
  const Case cases[] = {
      {"a 1 degree change never flips the head",
       Limited(3, -110, 110, -360, 360),
       Normalized({0.0175, -0.9998, 0.2}),
       {78, 0, 0},
       {78.7, 0, 1.0},
       false},
      {"the limit sends the table to the other solution",
       Limited(7, -120, 30, -360, 360),
       lean40,
       {20, 0, 90},
       {-40, 0, -45},
       true},
      {"then back the short way",
       Limited(7, -120, 30, -360, 360),
       lean20y,
       {-40, 0, -45},
       {-20, 0, 0},
       false},
      {"past +360 the other solution, with a rewind",
       Limited(7, -120, 30, -360, 360),
       past360,
       {-30, 0, 355},
       {30, 0, 185},
       true},
      {"a winding inside the limits",
       Limited(7, -120, 30, -720, 720),
       past360,
       {-30, 0, 355},
       {-30, 0, 365},
       false},
      {"the other solution when it is nearer",
       Limited(7, -120, 30, -360, 360),
       lean30x,
       {-30, 0, 355},
       {-30, 0, 270},
       false},
      {"no limits: the nearest winding",
       Limited(3, 0, 0, 0, 0),
       Normalized({0, -0.6, 0.8}),
       {0, 0, 200},
       {-36.87, 0, 180},
       false},
      {"B/C head from 170 keeps the half turn",
       Limited(4, 0, 0, 0, 0),
       Normalized({-0.5, 0, 0.8}),
       {0, 0, 170},
       {0, 32.0, 180},
       false},
      {"B/C head from -10 negates B",
       Limited(4, 0, 0, 0, 0),
       Normalized({-0.5, 0, 0.8}),
       {0, 0, -10},
       {0, -32.0, 0},
       false},
  };
  for (const Case& c : cases) {
    const Solution s = Machine(c.setup).solve(c.axis, c.previous);
    ASSERT_TRUE(s.reached) << c.what;
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(s.angles[i], c.expected[i], 0.05) << c.what << " " << i;
    EXPECT_EQ(s.rewind, c.rewind) << c.what;
    if (s.rewind) EXPECT_EQ(s.home, Machine(c.setup).solve(c.axis, {}).angles) << c.what;
  }
}

TEST(Machine, OrientationsNoSolutionReaches) {
  const Machine table(Limited(7, -10, 10, -360, 360));
  const Solution s = table.solve(Normalized({0, -0.5, 0.8}), {5, 6, 7});
  EXPECT_FALSE(s.reached);
  EXPECT_EQ(s.angles, (Angles{5, 6, 7}));
  EXPECT_FALSE(MachineOfType(5).solve({0, 0, -1}, {}).reached);  // a 45 degree head pointing up
}

TEST(Machine, RolloverAndModuloAxesWrapTheShortWay) {
  for (int axisType : {kAxisRollover, kAxisModulo}) {
    MachineSetup setup = Limited(7, -120, 30, -10, 10);  // C limits do not hold on a rotary axis
    setup.cAxisType = axisType;
    const Machine m(setup);
    const Solution s = m.solve(Normalized({-0.1, 0.5, 0.86}), {20, 0, 350});
    ASSERT_TRUE(s.reached);
    EXPECT_GE(s.angles[kC], 0);
    EXPECT_LT(s.angles[kC], 360);
    EXPECT_NEAR(s.angles[kC], 11.31, 0.01);  // 350 to 11.31: 21.3 degrees the short way
    EXPECT_NEAR(m.travel(kC, 350, 10), 20, 1e-12);
    EXPECT_NEAR(m.interpolate({0, 0, 350}, {0, 0, 10}, 0.75)[kC], 5, 1e-9);
  }
}

TEST(Machine, PathsNeverJumpMoreThanTheAxisNeeds) {
  // The tool axis leans 30 degrees and turns round one and a half times, then swings through
  // the vertical to the other side: the angles follow without a jump unless a limit forces one.
  std::vector<Vec3> path;
  for (int i = 0; i <= 540; i += 5) {
    const double r = i / kDegPerRad;
    path.push_back(Normalized({0.5 * std::cos(r), 0.5 * std::sin(r), 0.866}));
  }
  for (int i = 0; i <= 40; ++i) path.push_back(Normalized({0.5 - i * 0.025, 0, 0.866}));
  for (int type : {3, 4, 7, 8, 11, 12, 5, 9, 13}) {
    const Machine m(Limited(type, -120, 120, -400, 400));
    Angles previous = m.solve(path.front(), {}).angles;
    Vec3 before = path.front();
    int rewinds = 0;
    for (const Vec3& v : path) {
      Solution s = m.solve(v, previous);
      ASSERT_TRUE(s.reached) << type;
      // A rewind homes the axes: the move re-enters with the solution nearest home.
      if (s.rewind) {
        EXPECT_EQ(s.home, m.solve(v, {}).angles) << type;
        s.angles = s.home;
      }
      const double axisChange = std::acos(std::min(1.0, Dot(v, before))) * kDegPerRad;
      for (int i = 0; i < 3; ++i) {
        const double jump = std::fabs(s.angles[i] - previous[i]);
        // Near the vertical the angles turn faster than the axis, never by a half turn.
        if (!s.rewind) {
          EXPECT_LT(jump, std::max(20.0, 6 * axisChange)) << type << " axis " << i;
        }
      }
      rewinds += s.rewind;
      previous = s.angles;
      before = v;
    }
    EXPECT_EQ(rewinds, 1) << type;  // C passes 400 degrees once
  }
}

}  // namespace
}  // namespace ordalis::kinematics
