#include "ui/display/display_commands.h"

#include <QAction>

#include "core/app/workspace.h"
#include "core/display/line_match.h"
#include "ui/app/main_actions.h"
#include "ui/app/qt_text_pane.h"
#include "ui/display/graphics_view.h"

namespace ordalis::ui {

namespace {

// Long enough for a drag through the pane to end in one marking, short enough to feel live.
constexpr int kSelectionRestMs = 150;

}  // namespace

DisplayCommands::DisplayCommands(app::Workspace& workspace, MainActions& actions,
                                 QtTextPane& aptPane, QtTextPane& isoPane, QWidget* mainWindow)
    : QObject(mainWindow),
      workspace_(workspace),
      actions_(actions),
      aptPane_(aptPane),
      isoPane_(isoPane),
      mainWindow_(mainWindow),
      view_(new GraphicsView(workspace.app().strings, mainWindow)) {
  connect(actions_.action(Command::kDisplay), &QAction::triggered, this, &DisplayCommands::display);
  connect(actions_.action(Command::kClearDisplay), &QAction::triggered, this,
          &DisplayCommands::clearDisplay);
  connect(actions_.action(Command::kClearLabels), &QAction::triggered, this,
          &DisplayCommands::clearLabels);
  connect(actions_.action(Command::kHighlight), &QAction::triggered, this,
          &DisplayCommands::putInFront);
  connect(view_, &GraphicsView::clearRequested, this, &DisplayCommands::clearDisplay);
  connect(view_, &GraphicsView::movePicked, this, &DisplayCommands::movePicked);
  aptSelection_.setSingleShot(true);
  aptSelection_.setInterval(kSelectionRestMs);
  connect(&aptSelection_, &QTimer::timeout, this, &DisplayCommands::markAptSelection);
  connect(&aptPane_, &QPlainTextEdit::selectionChanged, this, [this] {
    if (!selecting_ && showing()) aptSelection_.start();
  });
}

void DisplayCommands::display() {
  if (workspace_.running()) return;
  discardNext_ = false;
  // Without a worker the toolpath has already come when display() returns.
  displayRunning_ = workspace_.display() && workspace_.running();
}

void DisplayCommands::runFinished() {
  displayRunning_ = false;
  discardNext_ = false;
}

void DisplayCommands::toolpathReady(const std::shared_ptr<const display::MoveList>& moves) {
  displayRunning_ = false;
  if (discardNext_ || !moves) {
    discardNext_ = false;
    return;
  }
  const bool first = !view_->isVisible();
  view_->setSelectColour(workspace_.app().definition.colour(ppdef::Colour::Select));
  view_->setMoveList(moves);
  marks_ = Marks::kNone;
  if (first) {
    view_->placeBeside(mainWindow_);
    view_->show();
    // A toolpath shown afresh is shown whole; later Displays keep the user's view.
    view_->fit();
  }
  view_->raise();
  actions_.setDisplayActive(true);
}

void DisplayCommands::clearDisplay() {
  // A Display still running is stopped, and the moves it built so far are not shown: the user
  // asked for an empty view. A conversion goes on.
  if (displayRunning_) {
    workspace_.stop();
    discardNext_ = true;
  }
  aptSelection_.stop();
  marks_ = Marks::kNone;
  view_->clearDisplay();
  actions_.setDisplayActive(false);
}

void DisplayCommands::clearLabels() { view_->clearLabels(); }

void DisplayCommands::putInFront() {
  const display::MoveList* list = view_->moveList();
  if (!list || !showing()) return;
  const std::vector<std::string> keys = display::SelectedLineKeys(isoPane_);
  mark(display::StatementsOfLines(*list, keys), Marks::kIso);
}

void DisplayCommands::movePicked(qulonglong /*move*/, quint32 statement) {
  const display::MoveList* list = view_->moveList();
  if (!list || workspace_.running()) return;
  selecting_ = true;
  const bool found = display::SelectStatement(aptPane_, *list, statement);
  selecting_ = false;
  if (found) {
    aptPane_.ensureCursorVisible();
    markAptSelection();
  }
}

void DisplayCommands::markAptSelection() {
  const display::MoveList* list = view_->moveList();
  // While a run writes the APT pane its selection is the run's, not the user's.
  if (!list || !showing() || workspace_.running()) return;
  const std::size_t length = aptPane_.selLength();
  if (length == 0) {
    if (marks_ == Marks::kApt) mark({}, Marks::kNone);
    return;
  }
  const std::size_t start = aptPane_.selStart();
  const auto first = static_cast<std::int32_t>(aptPane_.lineOf(start));
  const auto last = static_cast<std::int32_t>(aptPane_.lineOf(start + length - 1));
  mark(display::StatementsInLines(*list, first, last), Marks::kApt);
}

void DisplayCommands::mark(std::vector<bool> statements, Marks source) {
  view_->setSelectColour(workspace_.app().definition.colour(ppdef::Colour::Select));
  view_->markStatements(std::move(statements));
  marks_ = source;
}

bool DisplayCommands::showing() const { return view_->isVisible() && view_->moveList(); }

}  // namespace ordalis::ui
