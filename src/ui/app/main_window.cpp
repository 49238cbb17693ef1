#include "ui/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMetaObject>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "core/l10n/strings.h"
#include "ui/app/log_pane.h"
#include "ui/app/main_actions.h"
#include "ui/app/qt_text_pane.h"
#include "ui/app/status_band.h"
#include "ui/app/tool_tree_view.h"
#include "ui/common/cp1252.h"
#include "ui/common/dialogs.h"
#include "ui/l10n/about_box.h"
#include "ui/l10n/configuration_dialog.h"
#include "ui/ppdef/editor_dialogs.h"
#include "ui/texttools/search_dialog.h"

namespace ordalis::ui {

namespace {

constexpr int kMainWindowCaption = 4000;
// No pane can be dragged away: below this the user would lose it behind a splitter.
constexpr int kMinimumPane = 20;

}  // namespace

// The context needs its log before the log pane exists (the pane takes the context's texts).
class MainWindow::ForwardLog : public common::MessageLog {
 public:
  void log(int id, std::string_view detail, int level) override {
    if (target != nullptr) target->log(id, detail, level);
  }
  void clear() override {
    if (target != nullptr) target->clear();
  }
  std::uint32_t background() const override {
    return target != nullptr ? target->background() : common::kLogGreen;
  }
  common::MessageLog* target = nullptr;
};

MainWindow::MainWindow(Dialogs& dialogs, const std::string& programFolder, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      forwardLog_(std::make_unique<ForwardLog>()),
      app_(std::make_unique<app::AppContext>(*forwardLog_, *this)) {
  setObjectName("FRM_PRINCIPAL");
  app_->programFolder = programFolder;
  buildPanes();
  forwardLog_->target = log_;
  workspace_ = std::make_unique<app::Workspace>(*app_, *aptPane_, *isoPane_, *this, *this);
  workspace_->setThreaded(true);
  // The wake comes from the worker: only schedule the delivery on this thread.
  workspace_->setWake([this] {
    QMetaObject::invokeMethod(
        this, [this] { workspace_->deliver(); }, Qt::QueuedConnection);
  });
  buildBars();
  search_ =
      new SearchDialog(app_->strings, workspace_->search(), workspace_->stopFlag(), dialogs_, this);
  connectCommands();
  connectPanes();
  setActive(isoPane_);
  setAcceptDrops(true);
  ownEditorDialogs_ = std::make_unique<QtEditorDialogs>();
  editorDialogs_ = ownEditorDialogs_.get();
  resize(1200, 800);
}

MainWindow::~MainWindow() {
  // The worker must be gone before the panes it reports to.
  if (workspace_ && workspace_->running()) {
    workspace_->stop();
    workspace_->finishRun();
  }
  forwardLog_->target = nullptr;
}

void MainWindow::buildPanes() {
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSize(10);
  aptPane_ = new QtTextPane(this);
  aptPane_->setObjectName("ProgrammeApt");
  isoPane_ = new QtTextPane(this);
  isoPane_->setObjectName("ProgrammeISO");
  // Only the APT pane stops a conversion at a marked line; the ISO pane keeps the usual menu.
  isoPane_->setLineMarking(false);
  for (QtTextPane* pane : {aptPane_, isoPane_}) {
    pane->setFont(fixed);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setMinimumSize(kMinimumPane, kMinimumPane);
    pane->viewport()->installEventFilter(this);
  }
  log_ = new LogPane(app_->strings, this);
  log_->setObjectName("MessageLOG");
  toolTree_ = new ToolTreeView(app_->strings, this);
  toolTree_->setObjectName("TreeViewTOOL");
  log_->setMinimumSize(kMinimumPane, kMinimumPane);
  toolTree_->setMinimumSize(kMinimumPane, kMinimumPane);

  panes_ = new QSplitter(Qt::Horizontal);
  panes_->setObjectName("resize_shape_H");
  panes_->addWidget(aptPane_);
  panes_->addWidget(isoPane_);
  bottom_ = new QSplitter(Qt::Horizontal);
  bottom_->setObjectName("Support_BTN");
  bottom_->addWidget(toolTree_);
  bottom_->addWidget(log_);
  band_ = new QSplitter(Qt::Vertical, this);
  band_->setObjectName("resize_shape_V");
  band_->addWidget(panes_);
  band_->addWidget(bottom_);
  for (QSplitter* splitter : {panes_, bottom_, band_}) splitter->setChildrenCollapsible(false);
  // The texts get most of the room: the band keeps about a fifth, the log most of the band.
  band_->setStretchFactor(0, 4);
  band_->setStretchFactor(1, 1);
  band_->setSizes({600, 160});
  bottom_->setStretchFactor(1, 1);
  bottom_->setSizes({260, 900});
  setCentralWidget(band_);
}

void MainWindow::buildBars() {
  actions_ = new MainActions(this, app_->strings);
  BuildMenuBar(menuBar(), *actions_);
  auto* bar = new QToolBar(this);
  bar->setObjectName("Toolbar1");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  BuildToolBar(bar, *actions_);
  addToolBar(Qt::TopToolBarArea, bar);
  status_ = new StatusBand(statusBar(), app_->strings);
  connect(status_, &StatusBand::cancelClicked, this, [this] { workspace_->stop(); });
}

void MainWindow::on(Command command, std::function<void()> handler) {
  QAction* action = actions_->action(command);
  connect(action, &QAction::triggered, this, [this, action, handler = std::move(handler)] {
    dialogTitle_ = action->text().remove('&');
    handler();
    updateTitle();
  });
}

void MainWindow::connectCommands() {
  app::Workspace* w = workspace_.get();
  on(Command::kOpenApt, [w] { w->openApt(); });
  on(Command::kSaveIso, [w] { w->saveIso(); });
  on(Command::kSelectDefinition, [w] { w->selectDefinition(); });
  on(Command::kOpenIso, [w] { w->openIso(); });
  on(Command::kQuit, [this] { close(); });
  on(Command::kConvertText, [w] { w->convertFromText(); });
  on(Command::kConvertFile, [w] { w->convertDirectly(); });
  on(Command::kStop, [w] { w->stop(); });
  on(Command::kLineMark, [this] { toggleLineMark(); });
  on(Command::kRenumber, [this] { runTextTool([this] { workspace_->renumber(); }); });
  on(Command::kSearch, [this] { search_->showSearch(); });
  on(Command::kNext, [this] { search_->findNext(); });
  on(Command::kReplaceAll, [this] { runTextTool([this] { search_->replaceAll(); }); });
  on(Command::kCut, [this] { active_->cut(); });
  on(Command::kCopy, [this] { active_->copy(); });
  on(Command::kPaste, [this] { active_->paste(); });
  on(Command::kDefinitionEditor, [this] { openDefinitionEditor(); });
  on(Command::kConfiguration, [this] { showConfiguration(); });
  on(Command::kExportLog, [this, w] { w->exportLog(log_->plainText()); });
  on(Command::kClearLog, [w] { w->clearLog(); });
  on(Command::kAbout, [this] { showAbout(false); });
  on(Command::kVersion, [this] { showAbout(true); });
  connect(actions_, &MainActions::recentFileChosen, this, [this](const QString& path) {
    workspace_->openRecent(QFile::encodeName(path).toStdString());
    updateTitle();
  });
  connect(actions_, &MainActions::recentFilesCleared, this,
          [this] { workspace_->clearRecentFiles(); });
  connect(search_, &SearchDialog::searchAvailable, actions_, &MainActions::setSearchEnabled);
}

void MainWindow::connectPanes() {
  for (QtTextPane* pane : {aptPane_, isoPane_}) {
    const app::Pane which = pane == aptPane_ ? app::Pane::kApt : app::Pane::kIso;
    // Colouring changes as many characters as it touches; only typing changes the length.
    connect(pane, &QtTextPane::contentsChanged, this, [this, which](int, int removed, int added) {
      if (removed == added) return;
      const bool wasChanged = workspace_->changedByHand(which);
      workspace_->paneEdited(which);
      if (!wasChanged && workspace_->changedByHand(which)) updateTitle();
    });
    connect(pane, &QPlainTextEdit::cursorPositionChanged, this, [this, pane] {
      if (pane == active_) updateCaret();
    });
  }
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now == aptPane_ || now == isoPane_) setActive(static_cast<QtTextPane*>(now));
  });
}

void MainWindow::setActive(QtTextPane* pane) {
  active_ = pane;
  workspace_->setActivePane(pane == aptPane_ ? app::Pane::kApt : app::Pane::kIso);
  search_->setPane(pane);
  updateCaret();
}

void MainWindow::updateCaret() {
  const QTextCursor cursor = active_->textCursor();
  status_->setCaret(cursor.blockNumber() + 1, cursor.positionInBlock() + 1);
}

void MainWindow::toggleLineMark() {
  const std::size_t line = aptPane_->lineOf(aptPane_->selStart());
  aptPane_->setLineMark(line, !aptPane_->lineBullet(line));
}

void MainWindow::runTextTool(const std::function<void()>& tool) {
  if (workspace_->running() || textToolBusy_) return;
  textToolBusy_ = true;
  setBusy(true);
  tool();
  setBusy(false);
  textToolBusy_ = false;
}

void MainWindow::setBusy(bool busy) {
  // While long work goes on only Stop, Copy and the boxes that change nothing stay usable.
  for (int i = 0; i < kCommandCount; ++i) {
    const auto command = static_cast<Command>(i);
    if (command == Command::kStop || command == Command::kCopy || command == Command::kAbout ||
        command == Command::kVersion || command == Command::kClearDisplay ||
        command == Command::kClearLabels || command == Command::kHighlight) {
      continue;
    }
    actions_->action(command)->setEnabled(!busy);
  }
  if (!busy) actions_->setSearchEnabled(!search_->searchText().isEmpty());
  aptPane_->setReadOnly(busy);
  isoPane_->setReadOnly(busy);
  status_->setBusy(busy);
}

void MainWindow::updateTitle() {
  std::string title = workspace_->title();
  if (title.size() > 2 && title.compare(title.size() - 2, 2, " *") == 0)
    title.resize(title.size() - 2);
  QString text = FromCp1252(title);
  if (!workspace_->aptPath().empty()) {
    text += " - " + QFileInfo(QFile::decodeName(workspace_->aptPath().c_str())).fileName();
  }
  if (workspace_->changedByHand(app::Pane::kIso)) text += " *";
  setWindowTitle(text);
  status_->setDefinition(FromCp1252(app_->definitionName));
}

void MainWindow::applyTexts() {
  actions_->applyTexts();
  toolTree_->applyTexts();
  search_->applyTexts();
  status_->applyTexts();
  if (about_) about_->applyTexts();
  setWindowIconText(FromCp1252(app_->strings.get(kMainWindowCaption)));
  updateTitle();
}

void MainWindow::showConfiguration() {
  if (!configuration_) {
    configuration_ = new ConfigurationDialog(app_->strings, workspace_->settingsPathForWriting(),
                                             workspace_->closeAfterRun(), dialogs_, this);
    configuration_->setAttribute(Qt::WA_DeleteOnClose);
    connect(configuration_, &ConfigurationDialog::languageChanged, this, [this] { applyTexts(); });
    connect(configuration_, &ConfigurationDialog::closeAfterRunChanged, this,
            [this](bool on) { workspace_->setCloseAfterRun(on); });
    connect(configuration_, &ConfigurationDialog::aliasesChanged, this,
            [this] { workspace_->reloadAliases(); });
  }
  configuration_->show();
  configuration_->raise();
}

void MainWindow::showAbout(bool version) {
  if (about_) about_->close();
  about_ = new AboutBox(version ? AboutBox::Kind::kVersion : AboutBox::Kind::kAbout, app_->strings,
                        this);
  about_->setAttribute(Qt::WA_DeleteOnClose);
  about_->show();
}

}  // namespace ordalis::ui
