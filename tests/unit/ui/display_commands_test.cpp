// The Visualisation menu's commands on real panes and the real display road: Display shows the
// program's moves, a pick selects its statement's line, Put in front and the APT selection mark
// moves, Clear hides the view and its follow-ups. Also the screenshots of shipped programs.
#include "ui/display/display_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

#include "core/display/line_match.h"
#include "core/texttools/line_key.h"
#include "ui/app/main_actions.h"
#include "ui/app/qt_text_pane.h"
#include "ui/display/graphics_view.h"
#include "ui/display/toolpath_canvas.h"
#include "unit/app/workspace_fixture.h"
#include "unit/ui/main_window_fixture.h"

namespace ordalis::ui {
namespace {

/// Passes the workspace's toolpath on, as the main window does.
class ForwardingObserver : public app::RecordingObserver {
 public:
  void toolpathReady(const std::shared_ptr<const display::MoveList>& list) override {
    app::RecordingObserver::toolpathReady(list);
    if (commands) commands->toolpathReady(list);
  }
  void runFinished(app::Road road, app::RunOutcome outcome) override {
    app::RecordingObserver::runFinished(road, outcome);
    if (commands) commands->runFinished();
  }
  DisplayCommands* commands = nullptr;
};

// GOTO/0,0,50 twice: the pick must find the line of its own move, not the first like it.
constexpr const char* kProgram =
    "PARTNO PICK\r\n"      // 0
    "LOADTL/1\r\n"         // 1
    "RAPID\r\n"            // 2
    "GOTO/0,0,50\r\n"      // 3
    "FEDRAT/500,MMPM\r\n"  // 4
    "GOTO/40,0,0\r\n"      // 5
    "GOTO/40,30,0\r\n"     // 6
    "GOTO/0,30,0\r\n"      // 7
    "RAPID\r\n"            // 8
    "GOTO/0,0,50\r\n"      // 9
    "GOTO/-30,-30,50\r\n"  // 10
    "GOTO/-30,-30,80\r\n"  // 11: END's text joins this move, not the one above
    "END\r\n";

class DisplayCommandsTest : public ::testing::Test, public app::AppFixture {
 protected:
  void SetUp() override {
    ctx.programFolder = dir.path() + "/";
    test::WriteFile(dir.file("Ordalis.ini"),
                    "[POSTPROCESSEUR]\r\nFichier=.\\Default.ppc\r\nNom=Default\r\n"
                    "[CONFIG]\r\nLangId=1033\r\nCloseAfterPP=0\r\n");
    test::WriteFile(dir.file("Default.ppc"), test::ReadFile(test::SourcePath("data/Default.ppc")));
    workspace.start();
    actions = new MainActions(&window, ctx.strings);
    window.resize(600, 500);
    window.show();
    commands = new DisplayCommands(workspace, *actions, aptPane, isoPane, &window);
    observer.commands = commands;
  }

  void TearDown() override { commands->view()->hide(); }

  /// Opens `text` as an APT file and converts it, so that the ISO pane holds its program.
  void open(const std::string& text) {
    const std::string path = dir.file("part.apt");
    test::WriteFile(path, text);
    ASSERT_TRUE(workspace.openAptFile(path));
    ASSERT_TRUE(workspace.convertFromText());
  }

  void trigger(Command command) { actions->action(command)->trigger(); }

  const display::MoveList& moves() {
    const display::MoveList* list = commands->view()->moveList();
    EXPECT_NE(list, nullptr);
    return *list;
  }

  /// The move that ends at `p` last, and its statement.
  std::size_t lastMoveAt(const display::Point& p) {
    for (std::size_t m = moves().size(); m-- > 0;) {
      const display::Point& e = moves().end(m);
      if (e.x == p.x && e.y == p.y && e.z == p.z) return m;
    }
    ADD_FAILURE() << "no move ends at " << p.x << "," << p.y << "," << p.z;
    return 0;
  }

  std::string selectedAptKey() { return texttools::LineKey(aptPane.selText()); }

  test::TempDir dir;
  QtTextPane aptPane, isoPane;
  app::ScriptedPrompt dialogs;
  ForwardingObserver observer;
  app::Workspace workspace{ctx, aptPane, isoPane, dialogs, observer};
  QWidget window;
  MainActions* actions = nullptr;
  DisplayCommands* commands = nullptr;
};

TEST_F(DisplayCommandsTest, DisplayShowsTheMovesAndClearHidesThemWithTheFollowUps) {
  open(kProgram);
  const QAction* follow[] = {actions->action(Command::kClearDisplay),
                             actions->action(Command::kClearLabels),
                             actions->action(Command::kHighlight)};
  for (const QAction* a : follow) EXPECT_FALSE(a->isVisible());

  trigger(Command::kDisplay);
  GraphicsView* view = commands->view();
  ASSERT_TRUE(view->isVisible());
  // The origin, the part name's label, then one move per GOTO.
  EXPECT_EQ(moves().size(), 9u);
  EXPECT_EQ(moves().end(8).z, 80);
  for (const QAction* a : follow) EXPECT_TRUE(a->isVisible() && a->isEnabled());
  // The whole toolpath is in the picture.
  const QPointF far = view->canvas()->pixelOf({-30, -30, 80});
  EXPECT_TRUE(view->canvas()->rect().contains(far.toPoint())) << far.x() << "," << far.y();

  trigger(Command::kClearDisplay);
  EXPECT_FALSE(view->isVisible());
  EXPECT_EQ(view->moveList(), nullptr);
  for (const QAction* a : follow) EXPECT_FALSE(a->isVisible() || a->isEnabled());

  // Escape in the view acts as Clear the display too.
  trigger(Command::kDisplay);
  ASSERT_TRUE(view->isVisible());
  QTest::keyClick(view->canvas(), Qt::Key_Escape);
  EXPECT_FALSE(view->isVisible());
  EXPECT_FALSE(actions->action(Command::kHighlight)->isVisible());
}

TEST_F(DisplayCommandsTest, AClearWhileADisplayRunsKeepsTheViewEmpty) {
  open(kProgram);
  workspace.setThreaded(true);
  trigger(Command::kDisplay);
  commands->clearDisplay();
  workspace.finishRun();
  EXPECT_FALSE(commands->view()->isVisible());
  EXPECT_FALSE(actions->action(Command::kHighlight)->isVisible());
  // The next Display is shown as usual.
  trigger(Command::kDisplay);
  workspace.finishRun();
  EXPECT_TRUE(commands->view()->isVisible());
  EXPECT_EQ(moves().size(), 9u);
}

TEST_F(DisplayCommandsTest, DisplayOfASelectionShowsOnlyItsLines) {
  open(kProgram);
  // From inside line 5 to inside line 6: both whole lines, nothing else.
  aptPane.select(aptPane.lineStart(5) + 3, aptPane.lineStart(6) + 4 - aptPane.lineStart(5) - 3);
  trigger(Command::kDisplay);
  ASSERT_EQ(moves().size(), 3u);
  EXPECT_EQ(moves().statementLine(moves().statement(2)), 6);
}

TEST_F(DisplayCommandsTest, APickSelectsTheLineOfItsOwnStatement) {
  open(kProgram);
  trigger(Command::kDisplay);
  ToolpathCanvas* canvas = commands->view()->canvas();
  // The last move to (0,0,50) came from line 9; its earlier twin from line 3.
  const std::size_t move = lastMoveAt({0, 0, 50});
  // A tie on the end point goes to the first move: pick the twin that stands alone instead.
  const std::size_t far = lastMoveAt({-30, -30, 50});
  QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier,
                    canvas->pixelOf({-30, -30, 50}).toPoint());
  EXPECT_EQ(canvas->pickedMove(), far);
  EXPECT_EQ(aptPane.lineOf(aptPane.selStart()), 10u);
  EXPECT_EQ(selectedAptKey(), "GOTO/-30,-30,50");
  EXPECT_EQ(aptPane.selLength(), aptPane.lineStart(11) - aptPane.lineStart(10));

  // The statement of line 9 is found on its own line although line 3 reads the same.
  display::SelectStatement(aptPane, moves(), moves().statement(move));
  EXPECT_EQ(aptPane.lineOf(aptPane.selStart()), 9u);

  // Edited since: the line moved down, its text is found where it is now.
  aptPane.select(0, 0);
  aptPane.setSelText("$$ A NEW FIRST LINE\r\n");
  ASSERT_TRUE(display::SelectStatement(aptPane, moves(), moves().statement(far)));
  EXPECT_EQ(aptPane.lineOf(aptPane.selStart()), 11u);
}

TEST_F(DisplayCommandsTest, PutInFrontMarksTheMovesOfTheSelectedIsoLines) {
  open(kProgram);
  trigger(Command::kDisplay);
  const std::string iso = isoPane.text();
  const std::size_t at = iso.find("X40.");
  ASSERT_NE(at, std::string::npos) << iso;
  // One character of the block of GOTO/40,0,0 is enough: its whole line counts.
  isoPane.select(at, 1);
  trigger(Command::kHighlight);
  const std::vector<bool>& marked = commands->view()->canvas()->markedStatements();
  const std::uint32_t statement = moves().statement(lastMoveAt({40, 0, 0}));
  ASSERT_EQ(marked.size(), moves().statementCount());
  for (std::uint32_t s = 0; s < marked.size(); ++s) EXPECT_EQ(marked[s], s == statement) << s;
  // The ISO selection is as the user left it.
  EXPECT_EQ(isoPane.selStart(), at);
  EXPECT_EQ(isoPane.selLength(), 1u);
}

TEST_F(DisplayCommandsTest, SelectingAptLinesMarksTheirMovesOnceTheSelectionRests) {
  open(kProgram);
  trigger(Command::kDisplay);
  const ToolpathCanvas* canvas = commands->view()->canvas();
  aptPane.select(aptPane.lineStart(6), aptPane.lineStart(8) - aptPane.lineStart(6));
  QTRY_VERIFY(!canvas->markedStatements().empty());
  const std::vector<bool>& marked = canvas->markedStatements();
  for (std::uint32_t s = 0; s < marked.size(); ++s) {
    const std::int32_t line = moves().statementLine(s);
    EXPECT_EQ(marked[s], line == 6 || line == 7) << s;
  }
  // A caret without a selection takes the marks away again.
  aptPane.select(0, 0);
  QTRY_VERIFY(canvas->markedStatements().empty());
}

/// Shipped programs through the display road with the definitions they are written for, as a
/// reviewer would look at them: isometric, fitted, rapids and labels shown.
TEST_F(DisplayCommandsTest, Screenshots) {
  const struct {
    const char* apt;
    const char* ppc;
    const char* png;
  } cases[] = {
      {"data/examples/05_five_axis.apt", "data/ppc/table_ac_5axis.ppc", "display_example5"},
      {"data/examples/04_drilling_cycles.apt", "data/ppc/fanuc_mill.ppc", "display_drilling"}};
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  GraphicsView* view = commands->view();
  for (const auto& c : cases) {
    const std::string ppc = dir.file(std::string(c.png) + ".ppc");
    test::WriteFile(ppc, test::ReadFile(test::SourcePath(c.ppc)));
    ASSERT_TRUE(workspace.selectDefinitionFile(ppc));
    open(test::ReadFile(test::SourcePath(c.apt)));
    trigger(Command::kDisplay);
    ASSERT_TRUE(view->isVisible()) << c.apt;
    EXPECT_GT(moves().size(), 10u) << c.apt;
    view->resize(800, 860);
    view->showStandardView(display::StandardView::Isometric);
    QApplication::processEvents();
    EXPECT_TRUE(view->grab().save(QString(ORDALIS_SCREENSHOT_DIR) + "/" + c.png + ".png"));
    trigger(Command::kClearDisplay);
  }
}

/// The commands plugged into the real main window, whose runs go on a worker.
using MainWindowDisplayTest = test::MainWindowTest;

TEST_F(MainWindowDisplayTest, TheMainWindowsDisplayShowsTheToolpathAndAPickFindsItsLine) {
  open();
  DisplayCommands commands(window->workspace(), window->actions(), window->aptPane(),
                           window->isoPane(), window.get());
  window->setToolpathHandler([&](const auto& moves) { commands.toolpathReady(moves); });
  window->setRunFinishedHandler([&] { commands.runFinished(); });
  openExample("03_arc_contour.apt");
  window->actions().action(Command::kDisplay)->trigger();
  ASSERT_TRUE(waitForRun());
  GraphicsView* view = commands.view();
  ASSERT_TRUE(test::WaitUntil([&] { return view->isVisible(); }));
  const display::MoveList& list = *view->moveList();
  ASSERT_GT(list.size(), 20u);
  // An arc step in the middle of the program: its statement's line is selected.
  std::size_t move = list.size() / 2;
  while (move < list.size() && list.kind(move) != display::MoveKind::Arc) ++move;
  ASSERT_LT(move, list.size());
  ToolpathCanvas* canvas = view->canvas();
  QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier,
                    canvas->pixelOf(list.end(move)).toPoint());
  ASSERT_NE(canvas->pickedMove(), display::kNoMove);
  const std::uint32_t statement = list.statement(canvas->pickedMove());
  QtTextPane& apt = window->aptPane();
  EXPECT_EQ(static_cast<std::int32_t>(apt.lineOf(apt.selStart())), list.statementLine(statement));
  EXPECT_EQ(texttools::LineKey(apt.selText()), texttools::LineKey(list.statementText(statement)));
  commands.view()->hide();
}

}  // namespace
}  // namespace ordalis::ui
