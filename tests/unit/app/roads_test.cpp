// The three roads share one loop: the same program gives the same ISO text on the file road and on
// the text road, the display road sees the moves the generator writes, and what each road keeps
// when a run ends early is the table of EndingOf.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "core/app/processing_driver.h"
#include "core/common/memory_text_pane.h"
#include "core/display/toolpath_builder.h"
#include "core/ppdef/definition_file.h"
#include "support/test_support.h"

namespace ordalis::app {
namespace {

class RoadsTest : public ::testing::TestWithParam<std::string>, public AppFixture {};

TEST_P(RoadsTest, TextRoadAndFileRoadWriteTheSameProgram) {
  test::TempDir dir;
  const std::filesystem::path example(test::SourcePath("data/examples/" + GetParam()));
  const std::string apt = test::ReadFile(example.string());
  for (const char* definition : {"data/Default.ppc", "data/ppc/head_ac_5axis.ppc"}) {
    ppdef::LoadDefinition(test::SourcePath(definition), ctx.definition, prompt);
    ctx.definition.Repertoire_ISO.clear();
    const std::string aptPath = dir.file(example.filename().string());
    test::WriteFile(aptPath, apt);
    const std::string isoPath = dir.file(example.stem().string() + ".nc");
    ctx.definition.EXTENSION_ISO_FILE = "nc";

    const RunOutcome fileRoad = ConvertAptFile(ctx, aptPath, isoPath);
    common::MemoryTextPane aptPane(apt);
    common::MemoryTextPane isoPane;
    const common::StopFlag stop;
    const RunOutcome textRoad = ConvertAptText(ctx, aptPath, aptPane, isoPane, stop);

    EXPECT_EQ(fileRoad, textRoad) << definition;
    const std::string fileText = test::ReadFile(isoPath);
    if (fileRoad == RunOutcome::kDone) {
      EXPECT_EQ(isoPane.text(), fileText) << GetParam() << " with " << definition;
    } else {
      // Interrupted: the text road shows the same blocks, then frames them; the file road
      // keeps them without an end so that the program is never taken for a whole one (D27).
      EXPECT_EQ(isoPane.text().substr(0, fileText.size()), fileText) << GetParam();
      EXPECT_GT(isoPane.text().size(), fileText.size()) << GetParam();
    }
  }
}

std::vector<std::string> Examples() {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(test::SourcePath("data/examples"))) {
    if (e.path().extension() == ".apt") names.push_back(e.path().filename().string());
  }
  return names;
}

INSTANTIATE_TEST_SUITE_P(Examples, RoadsTest, ::testing::ValuesIn(Examples()),
                         [](const auto& info) {
                           std::string name = info.param.substr(0, info.param.find('.'));
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

TEST(RoadEnding, EachRoadKeepsWhatItShould) {
  struct Case {
    Road road;
    RunOutcome outcome;
    bool endTemplate, keepOutput;
  };
  const Case cases[] = {
      {Road::kFile, RunOutcome::kDone, true, true},
      {Road::kFile, RunOutcome::kStopped, false, false},     // D35: the earlier file stays
      {Road::kFile, RunOutcome::kInterrupted, false, true},  // D27: kept, without its end
      {Road::kText, RunOutcome::kDone, true, true},
      {Road::kText, RunOutcome::kStopped, true, true},
      {Road::kText, RunOutcome::kInterrupted, true, true},
      {Road::kText, RunOutcome::kMarkedLine, false, true},
      {Road::kDisplay, RunOutcome::kStopped, false, true},
      {Road::kFile, RunOutcome::kRefused, false, false},
  };
  for (const Case& c : cases) {
    const RunEnding ending = EndingOf(c.road, c.outcome);
    EXPECT_EQ(ending.endTemplate, c.endTemplate) << int(c.road) << " " << int(c.outcome);
    EXPECT_EQ(ending.keepOutput, c.keepOutput) << int(c.road) << " " << int(c.outcome);
  }
}

/// Records the display road's events as text.
class RecordedMoves : public display::MoveEvents {
 public:
  void beginStatement(std::string_view text, std::int32_t line) override {
    events.push_back(std::to_string(line) + " " + std::string(text));
  }
  void addLinear(display::LinearMotion motion, const display::Point& end) override {
    events.push_back(std::string(motion == display::LinearMotion::Rapid ? "rapid " : "feed ") +
                     Point(end));
  }
  void addArc(const display::ArcGeometry& arc, int motionCode) override {
    events.push_back("arc " + std::to_string(motionCode) + " " + Point(arc.end) + " about " +
                     Point(arc.centre));
  }
  void addCycleHole(const display::Point& hole, const display::CycleHole& cycle,
                    int motionCode) override {
    events.push_back("hole " + std::to_string(motionCode) + " " + Point(hole) + " depth " +
                     std::to_string(static_cast<int>(cycle.depth)));
  }
  void addPartName(std::string_view name) override {
    events.push_back("part " + std::string(name));
  }
  void appendInfo(std::string_view line) override { events.push_back("  " + std::string(line)); }

  std::vector<std::string> events;

 private:
  static std::string Point(const display::Point& p) {
    return std::to_string(static_cast<int>(p.x)) + "," + std::to_string(static_cast<int>(p.y)) +
           "," + std::to_string(static_cast<int>(p.z));
  }
};

TEST(DisplayRoad, StatementsBecomeMovesWithTheirIsoText) {
  AppFixture app;
  ppdef::LoadDefinition(test::SourcePath("data/ppc/linuxcnc_mill.ppc"), app.ctx.definition,
                        app.prompt);
  const common::StopFlag stop;
  iso::RunContext ctx(app.ctx.definition, app.log, app.prompt, app.ctx.strings, stop);
  PaneSnapshot snapshot;
  snapshot.text =
      "PARTNO/BRACKET\r\nLOADTL/1\r\nRAPID\r\nGOTO/0,0,10\r\nFEDRAT/200\r\nGOTO/10,0,10\r\n"
      "CIRCLE/10,10,10,0,0,1,10\r\nGOTO/20,10,10\r\nCYCLE/DRILL,5,MMPM,100,2\r\nGOTO/30,30,0\r\n"
      "GOTO/40,30,0\r\nCYCLE/OFF\r\n";
  RecordedMoves moves;
  RunObserver quiet;
  ASSERT_EQ(SimulateApt(ctx, snapshot, PaneRoadOptions(Road::kDisplay, "", ctx.definition, nullptr),
                        moves, quiet),
            RunOutcome::kDone);
  const auto has = [&](const std::string& event) {
    return std::find(moves.events.begin(), moves.events.end(), event) != moves.events.end();
  };
  EXPECT_TRUE(has("part BRACKET"));
  EXPECT_TRUE(has("3 GOTO/0,0,10"));
  EXPECT_TRUE(has("rapid 0,0,10"));
  EXPECT_TRUE(has("feed 10,0,10"));
  EXPECT_TRUE(has("arc 3 20,10,10 about 10,10,10") || has("arc 2 20,10,10 about 10,10,10"));
  EXPECT_TRUE(has("hole 81 30,30,0 depth 5"));
  EXPECT_TRUE(has("hole -1 40,30,0 depth 5"));
  // The info text of a move is the ISO text its statement wrote.
  const auto feed = std::find(moves.events.begin(), moves.events.end(), "feed 10,0,10");
  ASSERT_NE(feed, moves.events.end());
  ASSERT_NE(feed + 1, moves.events.end());
  EXPECT_NE(feed[1].find("X10"), std::string::npos) << feed[1];
}

struct HoleCase {
  const char* cycle;
  double retractZ;  // where the approach of each hole and its retract end
  double bottomZ;   // the third move of the hole: where the written cycle's Z sends the tool
};

TEST(DisplayRoad, EveryCycleDrawsFiveMovesPerHoleAfterTheApproachOfTheFirst) {
  AppFixture app;
  ppdef::LoadDefinition(test::SourcePath("data/ppc/fanuc_mill.ppc"), app.ctx.definition,
                        app.prompt);
  // Holes at Z -2; offsets count from there, ABS and RTRCTO retracts are heights. The last hole
  // gives its last move to CYCLE/OFF, whose text joins it: the middle one is counted.
  const HoleCase cases[] = {
      {"CYCLE/DRILL,18,MMPM,150,3", -2, -20},
      {"CYCLE/DEEP,DEPTH,35,STEP,6,MMPM,120,CLEAR,3", -2, -37},
      {"CYCLE/BORE,25,3,MMPM,60", -2, -27},
      {"CYCLE/TAP,10,MMPM,300,2", -2, -12},
      {"CYCLE/DRILL,FEDTO,-5,MMPM,200,RAPTO,3,ABS,40", 40, 3},
      {"CYCLE/DRILL,FEDTO,6.75,MMPM,1183,RAPTO,3.,RTRCTO,25.,DWELL,0", 25, -8.75},
  };
  for (const HoleCase& c : cases) {
    SCOPED_TRACE(c.cycle);
    const common::StopFlag stop;
    iso::RunContext ctx(app.ctx.definition, app.log, app.prompt, app.ctx.strings, stop);
    PaneSnapshot snapshot;
    snapshot.text = "RAPID\r\nGOTO/0,0,50\r\n" + std::string(c.cycle) +
                    "\r\nGOTO/10,10,-2\r\nGOTO/20,10,-2\r\nGOTO/30,10,-2\r\nCYCLE/OFF\r\n";
    display::MoveList list;
    display::ToolpathBuilder builder(list, 0.01, {});
    builder.start();
    RunObserver quiet;
    ASSERT_EQ(
        SimulateApt(ctx, snapshot, PaneRoadOptions(Road::kDisplay, "", ctx.definition, nullptr),
                    builder, quiet),
        RunOutcome::kDone);
    std::vector<std::size_t> first, second;
    for (std::size_t m = 0; m < list.size(); ++m) {
      const std::uint32_t s = list.statement(m);
      if (s >= list.statementCount()) continue;
      if (list.statementText(s) == "GOTO/10,10,-2") first.push_back(m);
      if (list.statementText(s) == "GOTO/20,10,-2") second.push_back(m);
    }
    ASSERT_EQ(first.size(), 6u);
    ASSERT_EQ(second.size(), 5u);
    EXPECT_EQ(list.end(second[0]).z, c.retractZ);
    EXPECT_EQ(list.end(second[1]).z, -2);
    EXPECT_NEAR(list.end(second[2]).z, c.bottomZ, 1e-5);
    EXPECT_EQ(list.end(second[4]).z, c.retractZ);
  }
}

}  // namespace
}  // namespace ordalis::app
