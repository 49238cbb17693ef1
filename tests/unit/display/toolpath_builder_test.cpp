#include "core/display/toolpath_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/iso/arc.h"
#include "core/ppdef/definition.h"

namespace ordalis::display {
namespace {

constexpr double kPi = 3.14159265358979323846;

void ExpectPoint(const Point& actual, const Point& expected, double eps = 1e-9) {
  EXPECT_NEAR(actual.x, expected.x, eps);
  EXPECT_NEAR(actual.y, expected.y, eps);
  EXPECT_NEAR(actual.z, expected.z, eps);
}

class BuilderTest : public ::testing::Test {
 protected:
  BuilderTest() : builder(list, 0.01, {1, 2, 3, 4, 5}) { builder.start(); }

  /// The end points of the moves from index `from` on.
  std::vector<Point> endsFrom(std::size_t from) const {
    std::vector<Point> ends;
    for (std::size_t i = from; i < list.size(); ++i) ends.push_back(list.end(i));
    return ends;
  }

  MoveList list;
  ToolpathBuilder builder;
};

TEST_F(BuilderTest, AProgramWithoutMotionIsTheOriginAlone) {
  builder.beginStatement("SPINDL/1000,CLW");
  builder.appendInfo("S1000 M3");
  builder.beginStatement("FINI");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.kind(0), MoveKind::Origin);
  EXPECT_EQ(list.colour(0), kWhite);
  ExpectPoint(list.end(0), {0, 0, 0});
  EXPECT_EQ(list.info(0), "S1000 M3\r\n");
  EXPECT_EQ(list.statementText(list.statement(0)), "SPINDL/1000,CLW");
}

TEST_F(BuilderTest, ARapidThenAFeedMoveAreRedThenGreenAndChained) {
  builder.beginStatement("GOTO/10,0,50", 3);
  builder.addLinear(LinearMotion::Rapid, {10, 0, 50});
  builder.beginStatement("GOTO/10,20,0", 5);
  builder.addLinear(LinearMotion::Feed, {10, 20, 0});
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list.colour(1), kRed);
  EXPECT_EQ(list.colour(2), kGreen);
  ExpectPoint(list.start(2), {10, 0, 50});
  EXPECT_EQ(list.statementText(list.statement(2)), "GOTO/10,20,0");
  EXPECT_EQ(list.statementLine(list.statement(2)), 5);
  ExpectPoint(list.bounds().min, {0, 0, 0});
  ExpectPoint(list.bounds().max, {10, 20, 50});
}

TEST_F(BuilderTest, InfoGoesToTheLastMoveWhichThenBelongsToItsStatement) {
  builder.beginStatement("GOTO/1,2,3");
  builder.addLinear(LinearMotion::Feed, {1, 2, 3});
  builder.beginStatement("LOADTL/2");
  builder.appendInfo("T2 M6");
  builder.appendInfo("CLAMP/ON");
  EXPECT_EQ(list.info(1), "T2 M6\r\nCLAMP/ON\r\n");
  EXPECT_EQ(list.statementText(list.statement(1)), "LOADTL/2");
  ASSERT_EQ(list.infoCount(), 1u);
  EXPECT_EQ(list.infoMove(0), 1u);
  EXPECT_EQ(list.info(0), "");
}

TEST_F(BuilderTest, APartNameIsALabelAtTheOriginThatDoesNotMoveTheTool) {
  builder.beginStatement("GOTO/5,5,5");
  builder.addLinear(LinearMotion::Rapid, {5, 5, 5});
  builder.beginStatement("PARTNO BRACKET");
  builder.addPartName("BRACKET");
  builder.beginStatement("GOTO/6,6,6");
  builder.addLinear(LinearMotion::Feed, {6, 6, 6});
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list.kind(2), MoveKind::Label);
  EXPECT_EQ(list.colour(2), kWhite);
  EXPECT_EQ(list.info(2), "PARTNO/BRACKET\r\n");
  ExpectPoint(list.start(2), {0, 0, 0});
  ExpectPoint(list.start(3), {5, 5, 5});
}

TEST_F(BuilderTest, APointThatIsNotANumberIsLeftOut) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  builder.addLinear(LinearMotion::Feed, {nan, 1, 1});
  EXPECT_EQ(list.size(), 1u);
  ExpectPoint(list.bounds().max, {0, 0, 0});
}

TEST(ArcColoursTest, ArcStepsTakeTheColourOfTheirMotionCode) {
  ppdef::PostProcessorDefinition def;
  def.colours[static_cast<int>(ppdef::Colour::Rapid)] = 11;
  def.colours[static_cast<int>(ppdef::Colour::Goto)] = 12;
  def.colours[static_cast<int>(ppdef::Colour::Circle)] = 13;
  def.colours[static_cast<int>(ppdef::Colour::Godlta)] = 14;
  def.colours[static_cast<int>(ppdef::Colour::Unknown)] = 15;
  const ArcColours colours = ArcColoursOf(def);
  const std::vector<std::pair<int, std::int32_t>> cases = {
      {0, 11}, {1, 12}, {2, 13}, {3, 13}, {23, 13}, {91, 14}, {81, 15}, {-1, 15}, {4, 15}};
  for (const auto& [code, colour] : cases) {
    EXPECT_EQ(colours.forMotion(code), colour) << "motion code " << code;
  }
}

// ---- Arcs -----------------------------------------------------------------------------------

TEST(ArcStepTest, TheStepRule) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double tolerance, radius, step;
  };
  const std::vector<Case> cases = {
      {0.01, 10, 5},           // 5.125 degrees
      {0.01, 1000, 1},         // 0.51 rounds up
      {1e-6, 1000, 0.1},       // rounds to 0
      {0, 10, 0.1},            // no tolerance at all
      {nan, 10, 0.1},          // not a number
      {1, 10, 52},             // 51.68
      {10, 10, kMaxArcStep},   // a half turn per chord by the rule
      {25, 10, kMaxArcStep},   // beyond the diameter: the arccosine's argument below -1
      {0.01, 0, kMaxArcStep},  // no radius
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ArcStepDegrees(c.tolerance, c.radius), c.step)
        << "tolerance " << c.tolerance << ", radius " << c.radius;
  }
}

/// The angle of p about the Z axis through `centre`, in degrees within [0, 360).
double AngleOf(const Point& p, const Point& centre) {
  double a = std::atan2(p.y - centre.y, p.x - centre.x) * 180 / kPi;
  return a < -1e-9 ? a + 360 : std::fabs(a);
}

TEST_F(BuilderTest, AFullCircleIsAClosedChainOfFiveDegreeStepsEndingExactlyAtItsEnd) {
  builder.addLinear(LinearMotion::Feed, {12, 2, -1});
  builder.addArc({{12, 2, -1}, {12, 2, -1}, {2, 2, -1}, {0, 0, 1}, false}, 3);
  ASSERT_EQ(list.size(), 2u + 72u);
  for (std::size_t i = 2; i + 1 < list.size(); ++i) {
    EXPECT_NEAR(iso::Distance(list.end(i), {2, 2, -1}), 10, 1e-9);
    EXPECT_NEAR(AngleOf(list.end(i), {2, 2, -1}), 5.0 * static_cast<double>(i - 1), 1e-9);
    EXPECT_EQ(list.kind(i), MoveKind::Arc);
    EXPECT_EQ(list.colour(i), 3);
  }
  const Point& last = list.end(list.size() - 1);
  EXPECT_EQ(last.x, 12);
  EXPECT_EQ(last.y, 2);
  EXPECT_EQ(last.z, -1);
}

TEST_F(BuilderTest, ALargeRadiusStepsByOneDegree) {
  builder.addArc({{1000, 0, 0}, {0, 1000, 0}, {0, 0, 0}, {0, 0, 1}, false}, 3);
  ASSERT_EQ(list.size(), 1u + 90u);
  EXPECT_NEAR(AngleOf(list.end(1), {}), 1, 1e-9);
  EXPECT_NEAR(AngleOf(list.end(89), {}), 89, 1e-9);
}

TEST_F(BuilderTest, TheDirectionFollowsTheMotionCode) {
  // From +X to +Y: a quarter counter-clockwise, three quarters clockwise.
  builder.addArc({{10, 0, 0}, {0, 10, 0}, {0, 0, 0}, {0, 0, 1}, false}, 3);
  const std::size_t ccw = list.size() - 1;
  builder.start();
  builder.addArc({{10, 0, 0}, {0, 10, 0}, {0, 0, 0}, {0, 0, 1}, true}, 2);
  const std::size_t cw = list.size() - 1;
  EXPECT_EQ(ccw, 18u);
  EXPECT_EQ(cw, 54u);
  EXPECT_NEAR(AngleOf(list.end(1), {}), 355, 1e-9);
  EXPECT_EQ(list.colour(1), 3);  // the circle colour for code 2 as for 3
}

TEST_F(BuilderTest, AHelixInterpolatesItsHeightAlongTheAxis) {
  builder.addArc({{10, 0, 0}, {10, 0, -6}, {0, 0, 0}, {0, 0, 1}, false}, 3);
  ASSERT_EQ(list.size(), 1u + 72u);
  EXPECT_NEAR(list.end(36).z, -3, 1e-9);  // half a turn
  EXPECT_NEAR(list.end(36).x, -10, 1e-9);
  ExpectPoint(list.end(72), {10, 0, -6}, 0);
}

TEST_F(BuilderTest, AnArcAboutAnotherAxisStaysInItsPlane) {
  // Counter-clockwise about -Y, +X turns towards +Z: a quarter in the XZ plane.
  builder.addArc({{5, 0, 0}, {0, 0, 5}, {0, 0, 0}, {0, -1, 0}, false}, 3);
  for (std::size_t i = 1; i < list.size(); ++i) {
    EXPECT_NEAR(list.end(i).y, 0, 1e-12);
    EXPECT_GE(list.end(i).z, -1e-12);
    EXPECT_NEAR(iso::Distance(list.end(i), {}), 5, 1e-9);
  }
}

TEST_F(BuilderTest, ATolerancePastTheDiameterStillDrawsTheArcAndItsEnd) {
  ToolpathBuilder coarse(list, 50, {1, 2, 3, 4, 5});
  coarse.start();
  coarse.addArc({{10, 0, 0}, {10, 0, 0}, {0, 0, 0}, {0, 0, 1}, false}, 3);
  ASSERT_EQ(list.size(), 1u + 4u);  // a square rather than nothing
  ExpectPoint(list.end(2), {-10, 0, 0});
  ExpectPoint(list.end(4), {10, 0, 0}, 0);
}

TEST_F(BuilderTest, ADegenerateArcGivesItsEndPointAlone) {
  const double inf = std::numeric_limits<double>::infinity();
  builder.addArc({{0, 0, 0}, {3, 4, 0}, {0, 0, 0}, {0, 0, 1}, false}, 3);  // no radius
  builder.addArc({{3, 4, 0}, {1, 1, 1}, {inf, 0, 0}, {0, 0, 1}, false}, 3);
  ASSERT_EQ(list.size(), 3u);
  ExpectPoint(list.end(1), {3, 4, 0});
  ExpectPoint(list.end(2), {1, 1, 1});
}

// ---- Canned cycles --------------------------------------------------------------------------

struct HoleCase {
  const char* name;
  int motionCode;
  CycleHole cycle;
  std::vector<Point> ends;  // after the move to the previous position (5, 5, 50)
};

TEST_F(BuilderTest, EachHoleIsFiveMovesAfterTheApproachOfTheFirst) {
  const Point hole{10, 20, -2};
  const std::vector<HoleCase> cases = {
      {"first hole, offsets",
       81,
       {3, 10, 8, 0},
       {{10, 20, 8}, {10, 20, 1}, hole, {10, 20, -10}, hole, {10, 20, 1}}},
      {"further hole", -1, {3, 10, 8, 0}, {{10, 20, 1}, hole, {10, 20, -10}, hole, {10, 20, 1}}},
      {"height mode 2",
       83,
       {3, 10, 8, 2},
       {{10, 20, 10}, {10, 20, 3}, hole, {10, 20, -10}, hole, {10, 20, 3}}},
      {"negative depth draws upwards",
       -1,
       {3, 10, -4, 1},
       {{10, 20, 1}, hole, {10, 20, 2}, hole, {10, 20, 1}}},
  };
  for (const HoleCase& c : cases) {
    SCOPED_TRACE(c.name);
    builder.start();
    builder.addLinear(LinearMotion::Rapid, {5, 5, 50});
    builder.beginStatement("GOTO/10,20,-2");
    builder.addCycleHole(hole, c.cycle, c.motionCode);
    const std::vector<Point> ends = endsFrom(2);
    ASSERT_EQ(ends.size(), c.ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i) ExpectPoint(ends[i], c.ends[i]);
    const std::size_t first = list.size() - 5;
    const std::vector<std::int32_t> colours = {kRed, kGreen, kGreen, kGreen, kRed};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(list.colour(first + i), colours[i]);
    EXPECT_EQ(list.colour(2), kRed);
    EXPECT_EQ(list.statementText(list.statement(list.size() - 1)), "GOTO/10,20,-2");
  }
}

// ---- Storage --------------------------------------------------------------------------------

TEST_F(BuilderTest, AMillionStyleProgramStaysUnderAHundredBytesPerMove) {
  constexpr int kMoves = 20000;
  for (int i = 0; i < kMoves; ++i) {
    const std::string text = "GOTO/" + std::to_string(i) + ".1234,-12.5000,3.2500";
    builder.beginStatement(text, i);
    builder.addLinear(LinearMotion::Feed, {i + 0.1234, -12.5, 3.25});
  }
  builder.finish();
  EXPECT_LT(list.memoryBytes() / list.size(), 100u);
  EXPECT_EQ(list.statementText(list.statement(kMoves)), "GOTO/19999.1234,-12.5000,3.2500");
}

TEST_F(BuilderTest, StartingAgainLeavesTheOriginAlone) {
  builder.beginStatement("GOTO/1,1,1");
  builder.addLinear(LinearMotion::Feed, {1, 1, 1});
  builder.appendInfo("G1");
  builder.start();
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(list.statementCount(), 0u);
  EXPECT_EQ(list.infoCount(), 0u);
  ExpectPoint(builder.position(), {0, 0, 0});
  ExpectPoint(list.bounds().max, {0, 0, 0});
}

}  // namespace
}  // namespace ordalis::display
