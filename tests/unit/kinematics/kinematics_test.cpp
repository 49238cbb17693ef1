#include "core/kinematics/kinematics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "core/app/context.h"
#include "core/app/message_log.h"
#include "core/app/user_prompt.h"

namespace ordalis::kinematics {
namespace {

using iso::Vec3;

constexpr double kRad = 3.14159265358979323846 / 180;

Vec3 Rx(double deg, Vec3 v) {
  const double c = std::cos(deg * kRad), s = std::sin(deg * kRad);
  return {v.x, c * v.y - s * v.z, s * v.y + c * v.z};
}
Vec3 Ry(double deg, Vec3 v) {
  const double c = std::cos(deg * kRad), s = std::sin(deg * kRad);
  return {c * v.x + s * v.z, v.y, -s * v.x + c * v.z};
}
Vec3 Rz(double deg, Vec3 v) {
  const double c = std::cos(deg * kRad), s = std::sin(deg * kRad);
  return {c * v.x - s * v.y, s * v.x + c * v.y, v.z};
}
constexpr Vec3 kZ{0, 0, 1};

Vec3 Normalised(Vec3 v) {
  const double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / l, v.y / l, v.z / l};
}

/// Tool axes that cover every octant, the axes themselves and the horizontal plane.
std::vector<Vec3> Axes() {
  std::vector<Vec3> out;
  for (double x : {-0.7, -0.2, 0.0, 0.3, 0.9}) {
    for (double y : {-0.6, 0.0, 0.4}) {
      for (double z : {-0.8, 0.0, 0.5, 1.0}) {
        if (x != 0 || y != 0 || z != 0) out.push_back(Normalised({x, y, z}));
      }
    }
  }
  return out;
}

class KinematicsTest : public ::testing::Test {
 protected:
  void machine(int type) {
    ctx.definition.Cinematique_Machine = static_cast<std::int16_t>(type);
    ctx.state.reset(ctx.definition);
  }
  /// Solves every test axis and rebuilds it from the angles with the machine's model.
  void expectModel(const std::function<Vec3(double, double, double)>& model) {
    for (const Vec3& v : Axes()) {
      double a = 0, b = 0, c = 0;
      SolveAngles(ctx, v, a, b, c);
      const Vec3 back = model(a, b, c);
      EXPECT_NEAR(back.x, v.x, 1e-9) << v.x << "," << v.y << "," << v.z;
      EXPECT_NEAR(back.y, v.y, 1e-9) << v.x << "," << v.y << "," << v.z;
      EXPECT_NEAR(back.z, v.z, 1e-9) << v.x << "," << v.y << "," << v.z;
    }
  }
  app::VectorLog log;
  app::RecordingPrompt prompt;
  app::Context ctx{log, prompt};
};

TEST_F(KinematicsTest, HeadsPointTheToolAlongTheAxis) {
  machine(2);
  expectModel([](double a, double b, double) { return Ry(b, Rx(a, kZ)); });
  double a = 1, b = 1, c = 1;
  SolveAngles(ctx, {0, 1, 0}, a, b, c);
  EXPECT_EQ(a, -90);
  EXPECT_EQ(b, 90);
  SolveAngles(ctx, {0, 0, 1}, a, b, c);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
  EXPECT_FALSE(std::signbit(a));

  machine(3);
  expectModel([](double a, double, double c) { return Rz(c, Rx(a, kZ)); });
  machine(4);
  expectModel([](double, double b, double c) { return Rz(c, Ry(b, kZ)); });
  machine(12);
  expectModel([](double, double b, double c) { return Rz(c, Ry(b, kZ)); });
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(KinematicsTest, HeadsTakeTheNearerOfTwoSolutions) {
  const Vec3 v = Normalised({-0.5, 0.0, 0.8});
  machine(4);
  double a = 0, b = 0, c = 170;
  SolveAngles(ctx, v, a, b, c);  // on the negative x axis: 180 for this head
  EXPECT_EQ(c, 180);
  EXPECT_GT(b, 0);
  c = -10;
  SolveAngles(ctx, v, a, b, c);  // from -10, 180 is half a turn away: 0 with B negated
  EXPECT_EQ(c, 0);
  EXPECT_LT(b, 0);
  const Vec3 back = Rz(c, Ry(b, kZ));
  EXPECT_NEAR(back.x, v.x, 1e-12);
  EXPECT_NEAR(back.z, v.z, 1e-12);

  machine(3);
  c = 0;
  SolveAngles(ctx, {0, -0.6, 0.8}, a, b, c);  // -90 + 90
  EXPECT_NEAR(c, 0, 1e-12);
  EXPECT_NEAR(a, 36.8698976458, 1e-9);
  c = 200;
  SolveAngles(ctx, {0, -0.6, 0.8}, a, b, c);
  EXPECT_NEAR(c, -180, 1e-12);
  EXPECT_NEAR(a, -36.8698976458, 1e-9);
  SolveAngles(ctx, {-0.6, 0, 0.8}, a, b, c = 0);  // on the negative x axis: -180 for this head
  EXPECT_NEAR(c, -90, 1e-12);
}

TEST_F(KinematicsTest, TablesTurnThePartUnderTheTool) {
  machine(8);
  expectModel([](double, double b, double c) { return Rz(-c, Ry(-b, kZ)); });
  machine(7);
  ctx.definition.PP_LIMIT_AB_MINI = -180;
  ctx.definition.PP_LIMIT_AB_MAXI = 180;
  ctx.definition.PP_LIMIT_C_MINI = -720;
  ctx.definition.PP_LIMIT_C_MAXI = 720;
  expectModel([](double a, double, double c) { return Rz(c, Rx(a, kZ)); });
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(KinematicsTest, TableACLimitsChooseTheOtherSolutionOrReset) {
  machine(7);
  auto& def = ctx.definition;
  def.PP_LIMIT_AB_MINI = -110;
  def.PP_LIMIT_AB_MAXI = 10;
  def.PP_LIMIT_C_MINI = -200;
  def.PP_LIMIT_C_MAXI = 200;
  const Vec3 v{0, -0.5, std::sqrt(0.75)};
  double a = 0, b = 0, c = 0;
  SolveAngles(ctx, v, a, b, c);  // A = 30 is out: A = -30, C = 180
  EXPECT_NEAR(a, -30, 1e-9);
  EXPECT_NEAR(c, 180, 1e-9);
  Vec3 back = Rz(c, Rx(a, kZ));
  EXPECT_NEAR(back.y, v.y, 1e-12);
  EXPECT_NEAR(back.z, v.z, 1e-12);

  def.PP_LIMIT_C_MINI = -360;
  def.PP_LIMIT_C_MAXI = 90;  // C' = 180 loses 360
  SolveAngles(ctx, v, a = 0, b, c = 0);
  EXPECT_NEAR(c, -180, 1e-9);
  EXPECT_FALSE(ctx.state.rotaryResetPending);

  def.PP_LIMIT_AB_MINI = -10;  // neither 30 nor -30 fits
  a = 5, b = 6, c = 7;
  SolveAngles(ctx, v, a, b, c);
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 6);
  EXPECT_EQ(c, 7);
  EXPECT_TRUE(ctx.state.rotaryResetPending);
  EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(KinematicsTest, NotationsAndMachinesWithoutSolution) {
  machine(18);
  double a = 0, b = 0, c = 0;
  SolveAngles(ctx, {0.1, 0.2, 0.3}, a, b, c);
  EXPECT_EQ(a, 0.1);
  EXPECT_EQ(c, 0.3);
  machine(16);
  SolveAngles(ctx, {0, 0, 1}, a, b, c);
  EXPECT_EQ(c, 180);

  machine(9);
  a = 1, b = 2, c = 3;
  SolveAngles(ctx, {0.6, 0, 0.8}, a, b, c);
  SolveAngles(ctx, {0, 0.6, 0.8}, a, b, c);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 3);
  EXPECT_EQ(log.lines().size(), 1u);  // once per run
  ctx.state.reset(ctx.definition);
  SolveAngles(ctx, {0.6, 0, 0.8}, a, b, c);
  EXPECT_EQ(log.lines().size(), 2u);

  EXPECT_EQ(Angle(-1, 0, 180), 180);
  EXPECT_EQ(Angle(-1, -0.0, -180), -180);
  EXPECT_EQ(Angle(0, 0), 0);
  EXPECT_NEAR(Angle(0, -2), -90, 1e-12);
}

TEST_F(KinematicsTest, WorkingPlanes) {
  machine(3);
  auto& st = ctx.state;
  SetWorkingPlane(ctx, {0, 0, -1});
  EXPECT_TRUE(st.planeChangePending);
  EXPECT_TRUE(st.planeG17M);
  EXPECT_FALSE(st.planeG17);
  EXPECT_EQ(st.planeCode, -17);
  EXPECT_EQ(st.planeNormal.z, -1);
  EXPECT_TRUE(log.lines().empty());

  SetWorkingPlane(ctx, {0, 0.6, 0.8});
  EXPECT_FALSE(st.planeG17M);
  EXPECT_TRUE(st.inclinedPlane);
  // C = 180 is half a turn from the previous 0: the head takes C = 0 with A negated.
  EXPECT_NEAR(st.firstA, -36.8698976458, 1e-9);
  EXPECT_NEAR(st.firstC, 0, 1e-9);
  EXPECT_EQ(log.lines().size(), 1u);

  SetWorkingPlane(ctx, {1, 0, 0});
  EXPECT_TRUE(st.planeG19);
  EXPECT_FALSE(st.inclinedPlane);
  EXPECT_EQ(st.planeCode, 19);

  // A three-axis machine has no angles for it: no inclined plane, but the plane is reported.
  machine(1);
  SetWorkingPlane(ctx, {0, 0.6, 0.8});
  EXPECT_FALSE(st.inclinedPlane);
  EXPECT_EQ(log.lines().size(), 2u);
}

}  // namespace
}  // namespace ordalis::kinematics
