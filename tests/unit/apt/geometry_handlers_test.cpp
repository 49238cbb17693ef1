#include "core/apt/geometry_handlers.h"

#include <cmath>

#include "apt_fixture.h"
#include "core/iso/arc.h"

namespace ordalis::apt {
namespace {

class GeometryTest : public AptTest {
 protected:
  GeometryTest() {
    def.PP_ARC_L = "G3";
    def.PP_ARC_R = "G2";
    def.ToleranceCalcul = 0.01;
  }
  /// Where the last block left the machine (the generator's job, done by hand here).
  void at(double x, double y, double z) {
    st.prevX = x;
    st.prevY = y;
    st.prevZ = z;
    st.prevKnown = true;
  }
};

TEST_F(GeometryTest, CircleThenGotoMakesAnArcFromThePreviousPosition) {
  at(10, 0, 0);
  run("CIRCLE/0,0,0,0,0,1,10");
  EXPECT_TRUE(st.circleMark);
  EXPECT_EQ(run("GOTO/0,10,0"), colour(ppdef::Colour::Circle));
  EXPECT_FALSE(st.circleMark);
  EXPECT_TRUE(st.circlePending);
  EXPECT_FALSE(st.pointPending);
  EXPECT_EQ(st.arc.codeText, "G3");
  EXPECT_EQ(st.arc.relativeCentre.x, -10);
  EXPECT_NEAR(st.arc.sweptAngle, 90, 1e-9);
  EXPECT_EQ(st.Y, 10);

  st.circlePending = false;
  at(0, 10, 0);
  run("CIRCLE/0,0,0,0,0,-1.,10");
  run("GOTO/-10,0,0");
  EXPECT_EQ(st.arc.codeText, "G2");
  EXPECT_NEAR(st.arc.sweptAngle, 270, 1e-9);
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(GeometryTest, SixValueCircleTakesItsRadiusFromTheStart) {
  // As CAM systems write it. The start lies 0.1 above the centre: the radius is measured in the
  // arc's plane all the same.
  at(79.997829, 145.104167, -17.4);
  run("CIRCLE/77.5,145.,-17.5,0,0,1.");
  run("GOTO/75.,145.,-17.5");
  EXPECT_TRUE(st.circlePending);
  EXPECT_NEAR(st.arc.radius, std::hypot(2.497829, 0.104167), 1e-9);
  EXPECT_FALSE(st.arc.radiusFromStart);
  EXPECT_TRUE(log.lines().empty());

  // The first move of a run: the start is the stored position, and every value is a number.
  st.reset(ctx.definition);
  run("CIRCLE/5,0,0,0,0,1");
  run("GOTO/10,0,0");
  EXPECT_NEAR(st.arc.radius, 5, 1e-12);
  EXPECT_TRUE(std::isfinite(st.arc.sweptAngle));
  EXPECT_TRUE(std::isfinite(st.arc.middle.x));
}

TEST_F(GeometryTest, MissingValuesAreReported) {
  at(10, 0, 0);
  run("CIRCLE/0,0,0,0,0");
  EXPECT_EQ(logged("CIRCLE/0,0,0,0,0"), 1);
  EXPECT_EQ(st.arc.radius, 0);

  run("GOTO/1,2");  // an arc without its end is dropped
  EXPECT_EQ(logged(" GOTO/1,2"), 1);
  EXPECT_FALSE(st.circlePending);
  EXPECT_FALSE(st.circleMark);

  // The source form centre and radius turns about the working-plane normal.
  run("CIRCLE/0,0,0,10");
  run("GOTO/0,10,0");
  EXPECT_EQ(st.arc.radius, 10);
  EXPECT_EQ(st.arc.codeText, "G3");
  EXPECT_EQ(log.lines().size(), 2u);
}

TEST_F(GeometryTest, ArcOutsideTheWorkingPlaneBecomesChords) {
  at(5, 10, 0);
  run("CIRCLE/5,0,0,1.,0,0,10");
  run("GOTO/5,0,10");
  EXPECT_FALSE(st.circlePending);
  ASSERT_GT(st.chordPoints.size(), 3u);
  const iso::Vec3 end = st.chordPoints.back();
  EXPECT_EQ(end.x, 5);
  EXPECT_EQ(end.y, 0);
  EXPECT_EQ(end.z, 10);
  iso::Vec3 prev{5, 10, 0};
  for (const iso::Vec3& p : st.chordPoints) {
    const iso::Vec3 m = iso::Midpoint(prev, p);
    EXPECT_LE(10 - std::hypot(m.y, m.z), 0.01);
    prev = p;
  }
  EXPECT_EQ(logged(" GOTO/5,0,10"), 1);
  EXPECT_EQ(log.lines().size(), 1u);

  // In the G19 plane the same arc is an arc.
  st.chordPoints.clear();
  run("TLAXIS/1,0,0");
  at(5, 10, 0);
  run("CIRCLE/5,0,0,1.,0,0,10");
  run("GOTO/5,0,10");
  EXPECT_TRUE(st.circlePending);
  EXPECT_TRUE(st.chordPoints.empty());
}

TEST_F(GeometryTest, IndirvSetsTheDirectionOfOneArc) {
  at(10, 0, 0);
  run("INDIRV/0,-1,0");
  run("CIRCLE/0,0,0,0,0,1,10");
  run("GOTO/0,10,0");
  EXPECT_EQ(st.arc.codeText, "G2");
  at(10, 0, 0);
  run("CIRCLE/0,0,0,0,0,1,10");
  run("GOTO/0,10,0");
  EXPECT_EQ(st.arc.codeText, "G3");
}

TEST_F(GeometryTest, TlonGofwdWithNamedAndInlineGeometry) {
  at(5, 0, 0);
  run("C1=CIRCLE/0,0,0,5");
  run("L1=LINE/0,0,0,0,5,0");
  EXPECT_EQ(run("TLON,GOFWD/C1,ON,L1"), colour(ppdef::Colour::TlonGofwd));
  EXPECT_TRUE(st.circlePending);
  EXPECT_EQ(st.arc.radius, 5);
  EXPECT_EQ(st.arc.end.y, 5);
  EXPECT_EQ(st.arc.codeText, "G3");
  EXPECT_TRUE(st.circleName.empty());
  EXPECT_TRUE(st.lineName.empty());
  EXPECT_FALSE(st.circleDefinition.empty());

  st.circlePending = false;
  run("TLON,GOFWD/(CIRCLE/1,2,3,4),ON,(LINE/0,0,0,5,6,7)");
  EXPECT_TRUE(st.circlePending);
  EXPECT_EQ(st.arc.centre.y, 2);
  EXPECT_EQ(st.arc.radius, 4);
  EXPECT_EQ(st.arc.end.z, 7);
  EXPECT_TRUE(log.lines().empty());

  // Names that the statement does not use: reported, and no stale arc is written again.
  st.circlePending = false;
  run("C2=CIRCLE/0,0,0,5");
  run("L2=LINE/0,0,0,0,5,0");
  run("TLON,GOFWD/C9,ON,L9");
  EXPECT_FALSE(st.circlePending);
  EXPECT_EQ(logged("TLON,GOFWD/C9,ON,L9"), 1);

  run("TLON,GOFWD/(CYLNDR/0,0,0,0,0,1,5),ON,L2");
  EXPECT_FALSE(st.circlePending);
  EXPECT_EQ(logged("TLON,GOFWD/(CYLNDR/0,0,0,0,0,1,5),ON,L2"), 1);
}

TEST_F(GeometryTest, TlaxisSetsTheWorkingPlaneOfAThreeAxisMachine) {
  def.Cinematique_Machine = 1;
  run("TLAXIS/0,0,-1");
  EXPECT_TRUE(st.planeChangePending);
  EXPECT_TRUE(st.planeG17M);
  EXPECT_EQ(st.K, -1);
  EXPECT_TRUE(log.lines().empty());

  // No rotary axis to tilt the tool: the plane is reported, nothing is tilted.
  run("TLAXIS/0,0.6,0.8");
  EXPECT_FALSE(st.inclinedPlane);
  EXPECT_FALSE(st.planeG17M);
  EXPECT_EQ(log.lines().size(), 1u);

  run("TLAXIS/0,0,2");  // read as a direction
  EXPECT_TRUE(st.planeG17);

  st.planeChangePending = false;
  run("TLAXIS/0,0,0");
  EXPECT_FALSE(st.planeChangePending);
  EXPECT_EQ(logged("TLAXIS/0,0,0"), 1);
}

TEST_F(GeometryTest, MultaxAsksForTheToolCentreControl) {
  st.motionCode = 81;  // a cycle's first hole keeps its code
  run("MULTAX/ON");
  EXPECT_EQ(st.motionCode, 81);
  EXPECT_TRUE(st.gWordPending);
  EXPECT_TRUE(st.multiAxis.rtcpRequested);
  run("MULTAX/ OFF");
  EXPECT_FALSE(st.multiAxis.rtcpRequested);
  st.gWordPending = false;
  run("MULTAX/SOMETIMES");
  EXPECT_EQ(st.motionCode, 81);
  EXPECT_TRUE(st.gWordPending);
}

}  // namespace
}  // namespace ordalis::apt
