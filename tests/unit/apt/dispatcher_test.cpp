#include "core/apt/dispatcher.h"

#include <string>
#include <string_view>

#include "apt_fixture.h"

namespace ordalis::apt {
namespace {

using ppdef::Colour;

TEST_F(AptTest, WholeStatementWordsWinByPrecedenceNotPosition) {
  // PARTNO is tested before PPRINT: the print becomes the part name.
  EXPECT_EQ(run("PPRINT PARTNO 12"), colour(Colour::Partno));
  EXPECT_EQ(st.partName, "PARTNO 12");
  EXPECT_TRUE(st.partnoPending);
  EXPECT_FALSE(st.printPending);

  // A print that mentions RAPID is a rapid.
  EXPECT_EQ(run("PPRINT CHECK RAPID FEED"), colour(Colour::Rapid));
  EXPECT_EQ(st.motionCode, 1001);
  EXPECT_FALSE(st.printPending);

  // Without "/" a print is still recognised, and so is an insert.
  EXPECT_EQ(run("PPRINT ROUGHING"), colour(Colour::Pprint));
  EXPECT_EQ(st.comment, "ROUGHING");
  EXPECT_EQ(run("INSERT/[HOLDER=C40-M12EM2] 20MM CRB"), colour(Colour::Insert));
  EXPECT_EQ(st.insertText, "[HOLDER=C40-M12EM2] 20MM CRB");
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(AptTest, WholeStatementWordsAreFoundAtAnyOffset) {
  // The scan passes over digits and separators by windows of eight bytes: the word and the "$$"
  // are put at every offset of a window and of the statement's last bytes, after either filler.
  for (const std::string_view filler : {"0123456789+-.,/:;<",
                                        "*= \xE9\x80"
                                        "ABDEFGHJ"}) {
    for (std::size_t k = 0; k <= filler.size(); ++k) {
      const std::string before = "PPRINT " + std::string(filler.substr(0, k));
      EXPECT_EQ(run(before + "RAPID"), colour(Colour::Rapid)) << k;
      EXPECT_EQ(run(before + "RAPI"), colour(Colour::Pprint)) << k;
      EXPECT_EQ(run(before + "$$ RAPID"), colour(Colour::Pprint)) << k;
    }
  }
  EXPECT_EQ(run("RAPID"), colour(Colour::Rapid));
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(AptTest, UnknownWordsAreLoggedOnlyWithParameters) {
  EXPECT_EQ(run("XYZ/1"), colour(Colour::Unknown));
  EXPECT_EQ(logged("XYZ"), 1);
  EXPECT_EQ(run("XYZ"), 0);
  EXPECT_EQ(run("XYZ/"), 0);
  EXPECT_EQ(run("XYZ/   "), 0);
  EXPECT_EQ(log.lines().size(), 1u);

  // Words are compared with case.
  EXPECT_EQ(run("goto/1,2,3"), colour(Colour::Unknown));
  EXPECT_EQ(logged("goto"), 1);
  EXPECT_FALSE(st.pointPending);

  // Real CAM words outside the vocabulary: logged by their major word, blanks removed.
  EXPECT_EQ(run("MACHIN / UNCX01, 1"), colour(Colour::Unknown));
  EXPECT_EQ(logged("MACHIN"), 1);
  EXPECT_EQ(run("UNIT/MM"), colour(Colour::Unknown));
  EXPECT_EQ(logged("UNIT"), 1);
  // A major word longer than a window of the "/" search.
  EXPECT_EQ(run("  MACHINEWORD  /1"), colour(Colour::Unknown));
  EXPECT_EQ(logged("MACHINEWORD"), 1);
  EXPECT_EQ(run(""), 0);
  EXPECT_EQ(log.lines().size(), 5u);
}

TEST_F(AptTest, TrailingCommentKeepsTheMove) {
  EXPECT_EQ(run("GOTO/10,20,30 $$ note"), colour(Colour::Goto));
  EXPECT_TRUE(st.pointPending);
  EXPECT_DOUBLE_EQ(st.Z, 30);
  EXPECT_FALSE(st.commentPending);
  EXPECT_EQ(run("PPRINT/FIRST $$ second"), colour(Colour::Pprint));
  EXPECT_EQ(st.comment, "FIRST");
  // A word after the "$$" is only a note.
  EXPECT_EQ(run("GOTO/1,2,3 $$ PARTNO X"), colour(Colour::Goto));
  EXPECT_FALSE(st.partnoPending);
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(AptTest, CommentLinesAreComments) {
  EXPECT_EQ(run("$$ a note"), colour(Colour::Comment));
  EXPECT_EQ(st.comment, " a note");
  EXPECT_TRUE(st.commentPending);
  // An indented comment line that names a word does not run it.
  EXPECT_EQ(run("  $$-> CUTTER / 3.000000"), colour(Colour::Comment));
  EXPECT_EQ(st.comment, "-> CUTTER / 3.000000");
  EXPECT_EQ(ctx.tools.count(), 0);
  EXPECT_EQ(run("$$"), colour(Colour::Comment));
  EXPECT_EQ(st.comment, "");
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(AptTest, FirstMoveAfterToolLoad) {
  EXPECT_EQ(run("LOADTL / 1"), colour(Colour::Loadtl));
  EXPECT_EQ(st.requestedTool, 1);
  EXPECT_EQ(st.toolChangeCounter, 1);
  EXPECT_EQ(run("GOTO / -7.25, -23.0, 2.0"), colour(Colour::FirstPoint));
  EXPECT_TRUE(st.firstPointPending);
  EXPECT_DOUBLE_EQ(st.firstX, -7.25);
  EXPECT_DOUBLE_EQ(st.firstZ, 2.0);
  EXPECT_EQ(run("GOTO/1,2,3"), colour(Colour::Goto));
  EXPECT_DOUBLE_EQ(st.firstX, -7.25);

  // LOAD loads only a TOOL.
  EXPECT_EQ(run("LOAD/ABC,1"), 0);
  EXPECT_EQ(st.toolChangeCounter, 1);
  EXPECT_FALSE(st.toolJustLoaded);
  EXPECT_TRUE(log.contains("ABC"));
  EXPECT_EQ(log.lines().size(), 1u);
  EXPECT_EQ(run("LOAD/TOOL,20"), colour(Colour::Load));
  EXPECT_EQ(st.requestedTool, 20);
  EXPECT_EQ(st.toolChangeCounter, 2);
  EXPECT_EQ(run("GOTO/4,5,6"), colour(Colour::FirstPoint));
  EXPECT_DOUBLE_EQ(st.firstX, 4);
}

TEST_F(AptTest, CycleModeColoursStatementThenFirstPointThenPoints) {
  // What the CYCLE handler leaves: cycle mode on, nothing coloured yet.
  st.cycleMode = true;
  st.motionCode = 83;
  EXPECT_EQ(run("CYCLE/DEEP,5,1,100"), colour(Colour::Cycle));
  EXPECT_EQ(run("GOTO/1,2,3"), colour(Colour::CycleFirstPt));
  EXPECT_EQ(run("GOTO/4,5,6"), colour(Colour::CyclePt));
  EXPECT_EQ(run("$$ between holes"), colour(Colour::CyclePt));
  st.cycleMode = false;
  EXPECT_EQ(run("GOTO/7,8,9"), colour(Colour::Goto));
}

TEST_F(AptTest, WordsTreatedByTheDispatcher) {
  EXPECT_EQ(run("OPSTOP"), colour(Colour::Opstop));
  EXPECT_EQ(run("STOP"), colour(Colour::Stop));
  EXPECT_EQ(run("END"), colour(Colour::End));
  EXPECT_EQ(run("FINI "), colour(Colour::Fini));
  EXPECT_TRUE(st.opstopPending && st.stopPending && st.endPending && st.finiPending);
  EXPECT_EQ(run("INTOL/0.01"), colour(Colour::Deftol));
  EXPECT_EQ(run("OUTTOL/0.01"), colour(Colour::Deftol));
  EXPECT_EQ(run("DELAY/2.5,REV"), colour(Colour::Delay));
  EXPECT_FLOAT_EQ(st.dwell, 2.5f);
  EXPECT_TRUE(st.delayPending);
  EXPECT_EQ(run("TMARK/ 7 "), colour(Colour::Tmark));
  EXPECT_EQ(st.tmark, "7");
  EXPECT_EQ(run("COOLNT/FLOOD"), colour(Colour::Coolnt));
  EXPECT_EQ(st.coolant, "M7");
  EXPECT_TRUE(st.coolantPending);
  EXPECT_EQ(run("AIR/OFF"), colour(Colour::Air));
  EXPECT_EQ(st.air, "M52");
  EXPECT_TRUE(log.lines().empty());
  // The one major word that holds a comma.
  EXPECT_EQ(run("TLON,GOFWD/C1,ON,L1"), colour(Colour::TlonGofwd));
}

TEST_F(AptTest, NamedGeometryIsStored) {
  EXPECT_EQ(run("C1=CIRCLE/10,0,0,5"), colour(Colour::TlonGofwd));
  EXPECT_EQ(st.circleName, "C1");
  EXPECT_EQ(st.circleDefinition, "CIRCLE/10,0,0,5");
  EXPECT_EQ(run("  L1=LINE/0,0,0,20,0,0"), colour(Colour::TlonGofwd));
  EXPECT_EQ(st.lineName, "L1");
  EXPECT_EQ(st.lineDefinition, "LINE/0,0,0,20,0,0");
}

TEST_F(AptTest, GotoDuringACircleIsTheCircleEnd) {
  st.circleMark = true;
  EXPECT_EQ(run("GOTO/1,2,3"), colour(Colour::Circle));
}

}  // namespace
}  // namespace ordalis::apt
