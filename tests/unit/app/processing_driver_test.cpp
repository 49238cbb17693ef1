#include "core/app/processing_driver.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "app_fixture.h"
#include "core/common/memory_text_pane.h"
#include "support/test_support.h"

namespace ordalis::app {
namespace {

using common::MemoryTextPane;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A small definition: numbered blocks, a frame that names the output, a tool change and a cycle.
void UseSmallDefinition(ppdef::PostProcessorDefinition& def) {
  def.PP_SPACE = " ";
  def.FORMAT_PP_N = "N#0";
  def.NUM_INCR = 10;
  def.NUM_MAX = 9999;
  def.OPTION_SORTIE_N = true;
  def.OPTION_COMPR = true;
  def.PP_G00 = "G0";
  def.PP_G01 = "G1";
  def.PP_F = "F#0";
  def.FORMAT_PP_X = "X#0.0";
  def.FORMAT_PP_Y = "Y#0.0";
  def.FORMAT_PP_Z = "Z#0.0";
  def.PP_DEBUT = "%\r\n(&(PP_FILE,) &(PP_NCFILE,))";
  def.PP_FIN = "M30\r\n%";
  def.CHANGE_OUTIL = "T&(PP_TOOL,0) M6";
  def.PREMIER_POINT = "G0 X&(PP_FIRST_X,0.0) Y&(PP_FIRST_Y,0.0) Z&(PP_FIRST_Z,0.0)";
  def.PP_CYCLE_DRILL = "G81 X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0)";
  def.PP_CYCLE = "X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0)";
  def.PP_CYCLE_OFF = "G80";
  def.colours[static_cast<int>(ppdef::Colour::Goto)] = 100;
  def.colours[static_cast<int>(ppdef::Colour::Loadtl)] = 200;
  def.colours[static_cast<int>(ppdef::Colour::FirstPoint)] = 300;
  def.colours[static_cast<int>(ppdef::Colour::Cycle)] = 400;
  def.colours[static_cast<int>(ppdef::Colour::CycleFirstPt)] = 500;
  def.colours[static_cast<int>(ppdef::Colour::CyclePt)] = 600;
}

struct DriverTest : ::testing::Test, AppFixture {
  TempDir dir;
  common::StopFlag stop;
  DriverTest() { UseSmallDefinition(ctx.definition); }
  std::vector<std::string> folderEntries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

std::string ReplaceAllForTest(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t p = text.find(from); p != std::string::npos;
       p = text.find(from, p + to.size())) {
    text.replace(p, from.size(), to);
  }
  return text;
}

constexpr const char* kProgram =
    "LOADTL/1\r\nGOTO/1,2,3\r\nSEQNO/OFF\r\nGOTO/4,2,3\r\nSEQNO/ON\r\nGOTO/4,5,3\r\nFINI\r\n";

TEST_F(DriverTest, FileRoadWritesFrameBlocksAndRestoresNumbering) {
  WriteFile(dir.file("part.apt"), kProgram);
  ASSERT_EQ(ConvertAptFile(ctx, dir.file("part.apt"), dir.file("part1.nc")), RunOutcome::kDone);
  EXPECT_EQ(ReadFile(dir.file("part1.nc")),
            "%\r\n(part1 part1.nc)\r\nT1 M6\r\nN10 G0 X1.0 Y2.0 Z3.0\r\nG1 X4.0\r\n"
            "N20 Y5.0\r\nM30\r\n%\r\n");
  // SEQNO/OFF changed numbering for the run only.
  EXPECT_TRUE(ctx.definition.OPTION_SORTIE_N);
  // A second run gives the same program: nothing is inherited from the first.
  ASSERT_EQ(ConvertAptFile(ctx, dir.file("part.apt"), dir.file("again.nc")), RunOutcome::kDone);
  EXPECT_EQ(ReadFile(dir.file("again.nc")),
            ReplaceAllForTest(ReadFile(dir.file("part1.nc")), "part1", "again"));
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"again.nc", "part.apt", "part1.nc"}));
}

TEST_F(DriverTest, MissingInputWritesNothing) {
  WriteFile(dir.file("old.nc"), "OLD\r\n");
  EXPECT_EQ(ConvertAptFile(ctx, dir.file("missing.apt"), dir.file("old.nc")), RunOutcome::kRefused);
  EXPECT_EQ(ConvertAptFile(ctx, "", dir.file("new.nc")), RunOutcome::kRefused);
  EXPECT_EQ(ReadFile(dir.file("old.nc")), "OLD\r\n");
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"old.nc"}));
}

TEST_F(DriverTest, InterruptKeepsPartialOutputWithoutEndTemplate) {
  WriteFile(dir.file("part.apt"), "LOADTL/1\r\nGOTO/1,2,3\r\nCYCLE/THREAD\r\nGOTO/4,5,6\r\n");
  WriteFile(dir.file("part.nc"), "OLD\r\n");
  ctx.definition.OPTION_SORTIE_N = false;
  ASSERT_EQ(ConvertAptFile(ctx, dir.file("part.apt"), dir.file("part.nc")),
            RunOutcome::kInterrupted);
  EXPECT_EQ(ReadFile(dir.file("part.nc")), "%\r\n(part part.nc)\r\nT1 M6\r\nG0 X1.0 Y2.0 Z3.0\r\n");
  EXPECT_FALSE(ctx.definition.OPTION_SORTIE_N);
}

// A full disk: the file size limit makes every write past it fail, as ENOSPC would.
TEST_F(DriverTest, FailedWriteIsReportedAndKeepsTheEarlierProgram) {
  std::string big = "LOADTL/1\r\n";
  for (int i = 0; i < 200000; ++i) big += "GOTO/" + std::to_string(i) + ",2,3\r\n";
  WriteFile(dir.file("part.apt"), big);
  WriteFile(dir.file("part.nc"), "EARLIER PROGRAM\r\n");
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 64 * 1024;
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  const RunOutcome outcome = ConvertAptFile(ctx, dir.file("part.apt"), dir.file("part.nc"));
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(outcome, RunOutcome::kRefused);
  EXPECT_TRUE(log.contains("part.nc"));
  EXPECT_EQ(ReadFile(dir.file("part.nc")), "EARLIER PROGRAM\r\n");
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"part.apt", "part.nc"}));
}

TEST_F(DriverTest, UnwritableFolderAndOutputOverInputAreRefused) {
  WriteFile(dir.file("part.apt"), kProgram);
  EXPECT_EQ(ConvertAptFile(ctx, dir.file("part.apt"), dir.file("no/folder/part.nc")),
            RunOutcome::kRefused);
  EXPECT_TRUE(log.contains("no/folder/part.nc"));
  EXPECT_EQ(ConvertAptFile(ctx, dir.file("part.apt"), dir.file("part.apt")), RunOutcome::kRefused);
  EXPECT_EQ(ReadFile(dir.file("part.apt")), kProgram);
}

TEST(DriverNames, OutputNamesAndElapsedTime) {
  const RunOptions names = FileRoadOptions("C:\\nc\\part1.nc", nullptr);
  EXPECT_EQ(names.fileBase, "part1");
  EXPECT_EQ(names.ncFile, "part1.nc");
  EXPECT_EQ(FileRoadOptions("/data/part.a.nc", nullptr).ncFile, "part.a.nc");
  EXPECT_EQ(IsoFileName("part", "nc"), "part.nc");
  EXPECT_EQ(IsoFileName("part", ".nc"), "part.nc");
  EXPECT_EQ(IsoFileName("part", ""), "part");
  EXPECT_EQ(FormatElapsed(std::chrono::seconds(3725)), "01:02:05");
  EXPECT_EQ(TimeOfDay().size(), 8u);
}

TEST_F(DriverTest, TextRoadColoursStatementsAndShowsFirstCyclePointAsCycle) {
  MemoryTextPane apt(
      "LOADTL/1\r\nGOTO/1,2,$\r\n3\r\nCYCLE/DRILL,5,MMPM,100,2\r\nGOTO/4,5,0\r\n"
      "GOTO/6,5,0\r\nCYCLE/OFF");
  MemoryTextPane iso("stale text");
  ctx.definition.EXTENSION_ISO_FILE = "nc";
  ASSERT_EQ(ConvertAptText(ctx, "/cam/part7.apt", apt, iso, stop), RunOutcome::kDone);
  EXPECT_EQ(iso.text(),
            "%\r\n(part7 part7.nc)\r\nT1 M6\r\nN10 G0 X1.0 Y2.0 Z3.0\r\nN20 G81 X4.0 Y5.0\r\n"
            "N30 X6.0 Y5.0\r\nN40 G80\r\nM30\r\n%\r\n");
  EXPECT_EQ(apt.selStart(), apt.length());
  // The APT pane: each statement in its colour, the continued GOTO over both its lines.
  EXPECT_EQ(apt.colourAt(0), 200u);
  EXPECT_EQ(apt.colourAt(apt.view().find("GOTO/1")), 300u);
  EXPECT_EQ(apt.colourAt(apt.view().find("3\r\nCYCLE")), 300u);
  EXPECT_EQ(apt.colourAt(apt.view().find("CYCLE/DRILL")), 400u);
  EXPECT_EQ(apt.colourAt(apt.view().find("GOTO/4")), 500u);
  EXPECT_EQ(apt.colourAt(apt.view().find("GOTO/6")), 600u);
  // The ISO pane shows the first cycle point in the cycle colour.
  EXPECT_EQ(iso.colourAt(iso.view().find("N20")), 400u);
  EXPECT_EQ(iso.colourAt(iso.view().find("N30")), 600u);
}

TEST_F(DriverTest, TextRoadStopsAtMarkedLineAndStartsAtTheCaret) {
  MemoryTextPane apt("LOADTL/1\r\nRAPID\r\nGOTO/1,2,3\r\nGOTO/4,2,3\r\nGOTO/4,5,3");
  MemoryTextPane iso;
  apt.select(apt.view().find("GOTO/4,2"), 0);
  apt.setSelBullet(true);
  apt.setSelStart(apt.view().find("RAPID") + 3);
  EXPECT_EQ(ConvertAptText(ctx, "", apt, iso, stop), RunOutcome::kMarkedLine);
  EXPECT_TRUE(log.contains(ctx.strings.get(2112)));
  EXPECT_EQ(apt.selText(), "GOTO/4,2,3");
  // Started at the caret's line: no tool change; stopped before the marked line, no end template.
  EXPECT_EQ(iso.text(), "%\r\n( )\r\nN10 G0 X1.0 Y2.0 Z3.0\r\n");
  EXPECT_TRUE(ctx.definition.OPTION_SORTIE_N);

  MemoryTextPane empty;
  ctx.definition.PP_DEBUT.clear();
  EXPECT_EQ(ConvertAptText(ctx, "", empty, iso, stop), RunOutcome::kDone);
  EXPECT_EQ(iso.text(), "M30\r\n%\r\n");
}

}  // namespace
}  // namespace ordalis::app
