#include "core/apt/frame_handlers.h"

#include <cmath>

#include "apt_fixture.h"

namespace ordalis::apt {
namespace {

class FrameTest : public AptTest {
 protected:
  void fiveAxis(bool planeCode) {
    auto& d = def;
    d.Cinematique_Machine = 3;  // head A/C
    d.RotaryAxisInUse = {true, false, true};
    d.FORMAT_PP_A = "A#0.000";
    d.FORMAT_PP_C = "C#0.000";
    d.PP_ACTIVATION_PLAN_INCLINE = planeCode ? "G68.2" : "";
  }
  void expectPoint(double x, double y, double z) {
    EXPECT_NEAR(st.X, x, 1e-9);
    EXPECT_NEAR(st.Y, y, 1e-9);
    EXPECT_NEAR(st.Z, z, 1e-9);
  }
};

// Z of the frame along -Y, origin (0, -30, 20): the front face of a part.
constexpr const char* kFront = "CSYS/1.,0,0,0,0,0,-1.,-30.,0,1.,0,20.";

TEST_F(FrameTest, FramesOnAThreeAxisMachine) {
  // An identity frame, as SolidWorks CAM writes before every operation, changes nothing.
  run("TRNTYP/WORLD,0,0,0");
  run("CSYS/1.,0,0,0,0,1.,0,0,0,0,1.,0");
  run("GOTO/30.049078,-5.763818,25.");
  expectPoint(30.049078, -5.763818, 25);
  EXPECT_TRUE(log.lines().empty());
  // CSYS names the frame of an operation, in the part, and the points stay in the part: an
  // upright frame changes nothing on three axes.
  run("CSYS/0,-1,0,100,1,0,0,50,0,0,1,-10");
  run("GOTO/10,0,5");
  expectPoint(10, 0, 5);
  EXPECT_FALSE(ctx.stopping());
  // A flipped or tilted one is a setup the machine cannot cut as it stands: the run stops there.
  for (const char* frame : {"CSYS/-1.,0,0,0,0,1.,0,0,0,0,-1.,0", kFront}) {
    ctx.clearStop();
    run(frame);
    EXPECT_TRUE(ctx.stopping()) << frame;
    EXPECT_EQ(logged(frame), 1) << frame;
  }
  ctx.clearStop();
  // TRACUT gives the points in its frame: they go into the part through it.
  run("TRACUT/0,-1,0,100,1,0,0,50,0,0,1,-10");
  run("GOTO/10,0,5");
  expectPoint(100, 60, -5);
  run("TRACUT/NOMORE");
  run("GOTO/10,0,5");
  expectPoint(10, 0, 5);
}

TEST_F(FrameTest, FrameWordsAndTheirForms) {
  run("MSYS/0,-30,20,1,0,0,0,0,1");  // origin, X axis, Y axis: the front face again
  const kinematics::Frame msys = st.multiAxis.workFrame;
  run(kFront);
  EXPECT_TRUE(kinematics::SameFrame(msys, st.multiAxis.workFrame));
  run("TRACUT/M1");
  run("TRNTYP/LOCAL,1,2,3");
  run("CSYS/1,0,0");
  EXPECT_EQ(logged("TRACUT/M1"), 1);
  EXPECT_EQ(logged("TRNTYP/LOCAL,1,2,3"), 1);
  EXPECT_EQ(logged("CSYS/1,0,0"), 1);
}

TEST_F(FrameTest, WorkFrameBecomesTheInclinedPlane) {
  fiveAxis(true);
  run(kFront);
  const iso::MultiAxisState& m = st.multiAxis;
  EXPECT_TRUE(m.plane.requested);
  EXPECT_TRUE(kinematics::SameFrame(m.plane.frame, m.workFrame));
  EXPECT_NEAR(st.A, 90, 1e-9);  // the tool along -Y
  // The points and the tool axis are the part's, as SolidWorks CAM writes them.
  run("GOTO/-20,-70,10,0,-1,0");
  expectPoint(-20, -10, 40);
  EXPECT_TRUE(m.plane.requested);
  EXPECT_NEAR(st.A, 90, 1e-9);
  run("CSYS/1.,0,0,0,0,1.,0,0,0,0,1.,0");
  EXPECT_FALSE(m.plane.requested);
  EXPECT_NEAR(st.A, 0, 1e-9);
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(FrameTest, AFrameTheMachineCannotTurnToIsASetupOfItsOwn) {
  fiveAxis(true);
  def.PP_LIMIT_AB_MINI = -110;
  def.PP_LIMIT_AB_MAXI = 110;
  // The part turned upside down (Sacrifice-Board.apt): no head reaches a tool pointing up.
  constexpr const char* kFlipped = "CSYS/-1.,0,0,0,0,1.,0,0,0,0,-1.,0";
  run(kFlipped);
  EXPECT_FALSE(ctx.stopping());
  EXPECT_EQ(logged(kFlipped), 1);
  EXPECT_FALSE(st.multiAxis.plane.requested);
  run("GOTO/390,145,-27.5,0,0,-1");
  expectPoint(-390, 145, 27.5);
  EXPECT_NEAR(st.A, 0, 1e-9);
  EXPECT_FALSE(ctx.stopping());
}

TEST_F(FrameTest, TiltedToolAxisWithoutPlaneCode) {
  fiveAxis(false);
  run("TLAXIS/0,-0.5,0.866025");
  EXPECT_TRUE(ctx.stopping());
  EXPECT_EQ(logged("TLAXIS/0,-0.5,0.866025"), 1);
  // Machine coordinates need no plane from the controller: the points stay in the part.
  ctx.clearStop();
  def.OPTION_COORDONNEES_MACHINE = true;
  run("TLAXIS/0,-0.5,0.866025");
  EXPECT_FALSE(ctx.stopping());
  EXPECT_FALSE(st.multiAxis.plane.requested);
  EXPECT_NEAR(st.A, 30, 1e-4);
  run("GOTO/1,2,3");
  expectPoint(1, 2, 3);
}

TEST_F(FrameTest, TlaxisPlaneIsNotOverwrittenByTheFirstPoint) {
  fiveAxis(true);
  run("LOADTL/1");
  run("TLAXIS/0,-0.5,0.866025");
  run("GOTO/0,-5,8.660254");
  EXPECT_TRUE(st.firstPointPending);
  EXPECT_NEAR(st.firstA, 30, 1e-4);
  EXPECT_NEAR(st.firstZ, 10, 1e-5);  // the CAM's six decimals of cos 30
  EXPECT_NEAR(st.firstY, 0, 1e-5);
  // The same axis with the point keeps the plane; another axis ends it.
  run("GOTO/0,-5,8.660254,0,-0.5,0.866025");
  EXPECT_TRUE(st.multiAxis.plane.requested);
  run("GOTO/0,-5,8.660254,0,0,1");
  EXPECT_FALSE(st.multiAxis.plane.requested);
  expectPoint(0, -5, 8.660254);
}

}  // namespace
}  // namespace ordalis::apt
