// The program's commands end to end on memory panes: what the user would see in the panes, the
// log, the message boxes, the settings file and the title.
#include "core/app/workspace.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "core/common/profile_file.h"
#include "workspace_fixture.h"

namespace ordalis::app {
namespace {

using Choice = WorkspacePrompt::SaveChoice;

struct WorkspaceTest : ::testing::Test, WorkspaceFixture {};

TEST_F(WorkspaceTest, StartsWithTheSettingsDefinition) {
  EXPECT_EQ(events.title, "Ordalis (ISO Fanuc 3 axes)");
  EXPECT_EQ(ctx.definitionPath, dir.file("Default.ppc"));
}

TEST_F(WorkspaceTest, ConvertFromTextFillsTheIsoPaneAndTimesTheRun) {
  EXPECT_FALSE(workspace.convertFromText());  // no APT file yet
  EXPECT_TRUE(log.containsId(2002));
  ASSERT_TRUE(workspace.openAptFile(example("04_drilling_cycles.apt")));
  EXPECT_EQ(events.recent.front(), dir.file("04_drilling_cycles.apt"));
  ASSERT_TRUE(workspace.convertFromText());
  ASSERT_EQ(events.finished.size(), 1u);
  EXPECT_EQ(events.finished[0], std::make_pair(Road::kText, RunOutcome::kDone));
  EXPECT_NE(isoPane.text().find("N360 T6 M6"), std::string::npos);
  EXPECT_NE(aptPane.colourAt(0), 0u);  // the statements are coloured
  EXPECT_TRUE(log.containsId(3009));
  EXPECT_TRUE(log.containsId(3011));
  EXPECT_FALSE(workspace.changedByHand(Pane::kIso));  // output nobody edited
  EXPECT_EQ(events.toolRoot, " 3 Outil(s)");
}

TEST_F(WorkspaceTest, ConvertDirectlyProposesTheNameAndShowsTheFile) {
  ASSERT_TRUE(workspace.openAptFile(example("01_pocket_two_tools.apt")));
  dialogs.paths = {dir.file("out.nc")};
  ASSERT_TRUE(workspace.convertDirectly());
  EXPECT_EQ(dialogs.proposals.back(), "01_pocket_two_tools.nc");
  EXPECT_EQ(dialogs.filters.back(), "ISO Fanuc 3 axes (*.nc)|*.nc|Tous les fichiers (*.*)|*.*");
  EXPECT_EQ(isoPane.text(), test::ReadFile(dir.file("out.nc")));
  EXPECT_EQ(workspace.isoPath(), dir.file("out.nc"));
  dialogs.paths = {""};  // cancelled: nothing happens
  EXPECT_FALSE(workspace.convertDirectly());
  EXPECT_EQ(events.finished.size(), 1u);
}

TEST_F(WorkspaceTest, AMarkedLineStopsTheTextRoad) {
  ASSERT_TRUE(workspace.openAptFile(example("01_pocket_two_tools.apt")));
  const std::size_t line = 6;
  aptPane.setLineMark(line, true);
  ASSERT_TRUE(workspace.convertFromText());
  EXPECT_EQ(events.finished.back().second, RunOutcome::kMarkedLine);
  EXPECT_TRUE(log.containsId(2112));
  EXPECT_EQ(aptPane.lineOf(aptPane.selStart()), line);       // the marked line is selected
  EXPECT_EQ(isoPane.text().find("M30"), std::string::npos);  // no end template
}

// The worker blocks in its first batch until the test thread has asked it to stop.
TEST_F(WorkspaceTest, StopFromAnotherThreadKeepsWhatTheTextRoadMade) {
  std::string big = "LOADTL/1\r\nFEDRAT/100\r\n";
  for (int i = 0; i < 50000; ++i) big += "GOTO/" + std::to_string(i % 100) + ",1,2\r\n";
  test::WriteFile(dir.file("big.apt"), big);
  ASSERT_TRUE(workspace.openAptFile(dir.file("big.apt")));
  std::mutex m;
  std::condition_variable cv;
  bool stopped = false;
  std::atomic<int> wakes{0};
  workspace.setThreaded(true);
  workspace.setWake([&] {
    if (wakes++ > 0) return;
    std::unique_lock<std::mutex> lock(m);
    cv.wait(lock, [&] { return stopped; });
  });
  ASSERT_TRUE(workspace.convertFromText());
  EXPECT_TRUE(workspace.running());
  std::thread window([&] {
    workspace.stop();
    std::lock_guard<std::mutex> lock(m);
    stopped = true;
    cv.notify_all();
  });
  window.join();
  workspace.finishRun();
  ASSERT_EQ(events.finished.size(), 1u);
  EXPECT_EQ(events.finished[0].second, RunOutcome::kStopped);
  EXPECT_TRUE(log.containsId(2112));
  // What was converted stays, framed by the end template; the rest was never converted.
  EXPECT_NE(isoPane.text().find("M30"), std::string::npos);
  EXPECT_LT(isoPane.lineCount(), 40000u);
  EXPECT_GT(isoPane.lineCount(), 3u);
}

TEST_F(WorkspaceTest, AStoppedFileConversionKeepsTheEarlierFile) {
  std::string big = "LOADTL/1\r\nFEDRAT/100\r\n";
  for (int i = 0; i < 50000; ++i) big += "GOTO/" + std::to_string(i % 100) + ",1,2\r\n";
  test::WriteFile(dir.file("big.apt"), big);
  ASSERT_TRUE(workspace.openAptFile(dir.file("big.apt")));
  test::WriteFile(dir.file("out.nc"), "EARLIER\r\n");
  workspace.setThreaded(true);
  std::atomic<bool> asked{false};
  // The first batch comes while the run goes on: the stop is asked from the worker's wake.
  workspace.setWake([&] {
    if (!asked.exchange(true)) workspace.stop();
  });
  workspace.stop();  // a stop asked before the run does not count: each run clears it
  ASSERT_TRUE(workspace.convertDirectlyTo(dir.file("out.nc")));
  workspace.finishRun();
  ASSERT_EQ(events.finished.size(), 1u);
  EXPECT_EQ(events.finished[0].second, RunOutcome::kStopped);
  EXPECT_EQ(test::ReadFile(dir.file("out.nc")), "EARLIER\r\n");
  EXPECT_TRUE(log.containsId(2112));
  EXPECT_EQ(isoPane.text(), "");  // the pane is not loaded from a run that wrote nothing
}

TEST_F(WorkspaceTest, RenumberAndReplaceAll) {
  isoPane.setText("N5 G0 X1\r\nG1 X2\r\nN70 X3\r\n");
  ASSERT_TRUE(workspace.renumber());
  EXPECT_EQ(isoPane.text(), "N1 G0 X1\r\nN2 G1 X2\r\nN3 X3\r\n");
  EXPECT_TRUE(workspace.changedByHand(Pane::kIso));
  EXPECT_EQ(events.title, "Ordalis (ISO Fanuc 3 axes) *");

  workspace.setActivePane(Pane::kIso);
  isoPane.select(0, 0);
  EXPECT_EQ(workspace.replaceAll("X", "Y"), 3u);
  EXPECT_EQ(isoPane.text(), "N1 G0 Y1\r\nN2 G1 Y2\r\nN3 Y3\r\n");
  ASSERT_FALSE(dialogs.informed.empty());
  EXPECT_EQ(dialogs.informed.back(), (common::LogRecord{604, "3", 0, false}));
}

TEST_F(WorkspaceTest, SelectingADefinitionWritesTheSettings) {
  dialogs.paths = {dir.file("ppc/fanuc_mill.ppc")};
  ASSERT_TRUE(workspace.selectDefinition());
  const common::ProfileFile ini = common::ProfileFile::load(dir.file("Ordalis.ini"));
  EXPECT_EQ(ini.get("POSTPROCESSEUR", "Nom"), "fanuc_mill");
  EXPECT_EQ(ini.get("POSTPROCESSEUR", "Fichier"), dir.file("ppc/fanuc_mill.ppc"));
  EXPECT_EQ(events.title, "Ordalis (" + ctx.definition.PP_NOM + ")");
  // The current one again does nothing; a file in the program's folder is written with ".\".
  EXPECT_FALSE(workspace.selectDefinitionFile(dir.file("ppc/fanuc_mill.ppc")));
  ASSERT_TRUE(workspace.selectDefinitionFile(dir.file("Default.ppc")));
  EXPECT_EQ(common::ProfileFile::load(dir.file("Ordalis.ini")).get("POSTPROCESSEUR", "Fichier"),
            ".\\Default.ppc");
}

TEST_F(WorkspaceTest, HandEditsAreAskedAboutEachWay) {
  ASSERT_TRUE(workspace.openAptFile(example("02_drilling.apt")));
  isoPane.setText("MY EDITS\r\n");
  workspace.paneEdited(Pane::kIso);

  dialogs.choices = {Choice::kCancel};
  EXPECT_FALSE(workspace.convertFromText());
  EXPECT_EQ(isoPane.text(), "MY EDITS\r\n");
  EXPECT_EQ(events.started, 0);

  dialogs.choices = {Choice::kSave};
  dialogs.paths = {dir.file("kept.nc")};
  ASSERT_TRUE(workspace.convertFromText());
  EXPECT_EQ(test::ReadFile(dir.file("kept.nc")), "MY EDITS\r\n");

  isoPane.setText("AGAIN\r\n");
  workspace.paneEdited(Pane::kIso);
  dialogs.choices = {Choice::kDiscard};
  ASSERT_TRUE(workspace.convertFromText());
  EXPECT_EQ(isoPane.text().find("AGAIN"), std::string::npos);
  EXPECT_EQ(dialogs.asked.size(), 3u);

  // Output the workspace wrote is not asked about, and neither is quitting without edits.
  ASSERT_TRUE(workspace.convertFromText());
  EXPECT_EQ(dialogs.asked.size(), 3u);
  EXPECT_TRUE(workspace.mayClose());
}

TEST_F(WorkspaceTest, DisplayBuildsTheToolpathOfTheSelectedLines) {
  ASSERT_TRUE(workspace.openAptFile(example("02_drilling.apt")));
  ASSERT_TRUE(workspace.display());
  ASSERT_TRUE(events.moves);
  const std::size_t whole = events.moves->size();
  EXPECT_GT(whole, 5u);
  aptPane.select(aptPane.lineStart(2), aptPane.lineStart(5) - aptPane.lineStart(2));
  ASSERT_TRUE(workspace.display());
  EXPECT_LT(events.moves->size(), whole);
}

TEST_F(WorkspaceTest, ConfigurationValuesAreWrittenAndUsed) {
  ASSERT_TRUE(workspace.setLanguage(l10n::kFrench));
  EXPECT_EQ(ctx.strings.languageId(), l10n::kFrench);
  ASSERT_TRUE(workspace.saveAliases({{"DEEP2", "DEEPCL"}}));
  const common::ProfileFile ini = common::ProfileFile::load(dir.file("Ordalis.ini"));
  EXPECT_EQ(ini.get("CONFIG", "LangId"), "1036");
  EXPECT_EQ(ini.get("APT_ALIAS", "DEEP2"), "DEEPCL");
  // The next run reads the alias: the peck cycle is no unknown cycle any more.
  test::WriteFile(dir.file("peck.apt"),
                  "LOADTL/1\r\nCYCLE/DEEP2,FEDTO,10.,MMPM,100,RTRCTO,5.\r\n"
                  "GOTO/1,2,0\r\nCYCLE/OFF\r\n");
  ASSERT_TRUE(workspace.openAptFile(dir.file("peck.apt")));
  ASSERT_TRUE(workspace.convertFromText());
  EXPECT_EQ(events.finished.back().second, RunOutcome::kDone);
  EXPECT_TRUE(dialogs.informed.empty());
}

TEST_F(WorkspaceTest, CommandLineConvertsAndClosesAfterTheRun) {
  std::string ini;
  const auto words = Workspace::takeIniOption({"--ini", "x.ini", example("02_drilling.apt")}, ini);
  EXPECT_EQ(ini, "x.ini");
  ASSERT_EQ(words.size(), 1u);
  ASSERT_TRUE(workspace.setCloseAfterRun(true));
  workspace.treatCommandLine(words);
  EXPECT_EQ(events.closeStatus, 0);
  EXPECT_EQ(isoPane.text(), test::ReadFile(dir.file("02_drilling.nc")));
  EXPECT_EQ(common::ProfileFile::load(dir.file("Ordalis.ini")).get("CONFIG", "CloseAfterPP"), "1");
}

TEST(SettingsFile, AnUnwritableProgramFolderUsesAUserCopy) {
  test::TempDir dir;
  test::WriteFile(dir.file("Ordalis.ini"), "[CONFIG]\r\nLangId=1036\r\n");
  const auto readOnly = [](const std::string&) { return false; };
  SettingsFile file = SettingsFile::locate(dir.path() + "/", "", dir.file("config"), readOnly);
  EXPECT_EQ(file.path(), dir.file("Ordalis.ini"));  // read where it is until the first write
  EXPECT_TRUE(file.addRecentFile("/cam/a.apt"));
  EXPECT_EQ(file.path(), dir.file("config/Ordalis/Ordalis.ini"));
  EXPECT_EQ(common::ProfileFile::load(file.path()).get("CONFIG", "LangId"), "1036");
  EXPECT_EQ(test::ReadFile(dir.file("Ordalis.ini")), "[CONFIG]\r\nLangId=1036\r\n");
  // Read first from then on.
  const SettingsFile again =
      SettingsFile::locate(dir.path() + "/", "", dir.file("config"), readOnly);
  EXPECT_EQ(again.path(), file.path());
  EXPECT_EQ(again.recentFiles(), (std::vector<std::string>{"/cam/a.apt"}));
}

}  // namespace
}  // namespace ordalis::app
