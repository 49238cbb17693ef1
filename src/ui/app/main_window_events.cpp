// The main window's side of the Workspace: its events shown in widgets, its questions asked
// through the dialogs, and what comes from outside (closing, dropped files, the remembered layout).
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QMimeData>
#include <QSplitter>
#include <QTimer>
#include <QUrl>

#include "core/common/progress.h"
#include "core/l10n/strings.h"
#include "ui/app/log_pane.h"
#include "ui/app/main_actions.h"
#include "ui/app/main_window.h"
#include "ui/app/qt_text_pane.h"
#include "ui/app/status_band.h"
#include "ui/app/tool_tree_view.h"
#include "ui/common/cp1252.h"
#include "ui/common/dialogs.h"
#include "ui/l10n/about_box.h"
#include "ui/l10n/configuration_dialog.h"
#include "ui/ppdef/definition_editor.h"
#include "ui/ppdef/editor_dialogs.h"

namespace ordalis::ui {

namespace {

constexpr int kAskApt = 4046, kAskIso = 4047;

QString FromPath(const std::string& path) { return QFile::decodeName(path.c_str()); }
std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::vector<int> Sizes(const QSplitter* splitter) {
  const QList<int> sizes = splitter->sizes();
  return {sizes.begin(), sizes.end()};
}

void SetSizes(QSplitter* splitter, const std::vector<int>& sizes) {
  if (static_cast<int>(sizes.size()) != splitter->count()) return;
  splitter->setSizes(QList<int>(sizes.begin(), sizes.end()));
}

}  // namespace

void MainWindow::start(const std::string& explicitIni) {
  workspace_->start(explicitIni);
  restoreLayout(workspace_->windowLayout());
  applyTexts();
}

DefinitionEditor* MainWindow::definitionEditor() const { return editor_; }

ConfigurationDialog* MainWindow::configurationDialog() const { return configuration_; }

void MainWindow::setEditorDialogs(EditorDialogs* dialogs) {
  editorDialogs_ = dialogs != nullptr ? dialogs : ownEditorDialogs_.get();
}

void MainWindow::openDefinitionEditor() {
  if (!editor_) {
    editor_ = new DefinitionEditor(app_->definition, FromPath(app_->definitionPath), app_->strings,
                                   app_->log, *editorDialogs_, this);
    editor_->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor_, &DefinitionEditor::definitionSaved, this, [this](const QString& path) {
      workspace_->definitionSaved(ToPath(path), false);
      updateTitle();
    });
    connect(editor_, &DefinitionEditor::savedAs, this, [this](const QString& path) {
      workspace_->definitionSaved(ToPath(path), true);
      updateTitle();
    });
  }
  editor_->show();
  editor_->raise();
  editor_->activateWindow();
}

app::WindowLayout MainWindow::currentLayout() const {
  app::WindowLayout layout;
  const QRect place = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
  layout.left = place.x();
  layout.top = place.y();
  layout.width = place.width();
  layout.height = place.height();
  layout.maximized = isMaximized();
  layout.panes = Sizes(panes_);
  layout.band = Sizes(band_);
  layout.bottom = Sizes(bottom_);
  return layout;
}

void MainWindow::restoreLayout(const app::WindowLayout& layout) {
  if (layout.width > 0 && layout.height > 0) {
    setGeometry(layout.left, layout.top, layout.width, layout.height);
    if (layout.maximized) setWindowState(windowState() | Qt::WindowMaximized);
  }
  SetSizes(panes_, layout.panes);
  SetSizes(band_, layout.band);
  SetSizes(bottom_, layout.bottom);
}

// --- WorkspaceObserver ------------------------------------------------------------------------

void MainWindow::titleChanged(const std::string&) { updateTitle(); }

void MainWindow::recentFilesChanged(const std::vector<std::string>& paths) {
  QStringList list;
  for (const std::string& path : paths) list << FromPath(path);
  actions_->setRecentFiles(list);
  // Every file opened passes here, the command line's too: the title names the APT file.
  updateTitle();
}

void MainWindow::runStarted(app::Road) { setBusy(true); }

void MainWindow::runProgress(const common::Progress& progress, double seconds) {
  status_->showProgress(progress, seconds);
  // Renumbering and replace all run on this thread: this is where Escape and Cancel get through.
  if (textToolBusy_) QCoreApplication::processEvents();
}

void MainWindow::runFinished(app::Road, app::RunOutcome) {
  log_->flush();
  setBusy(false);
  updateTitle();
  if (runFinishedHandler_) runFinishedHandler_();
}

void MainWindow::toolTreeChanged(const tools::ToolTree& tree) { toolTree_->showTree(tree); }

void MainWindow::toolpathReady(const std::shared_ptr<const display::MoveList>& moves) {
  if (toolpathHandler_) toolpathHandler_(moves);
}

void MainWindow::textToolFinished(bool) { updateTitle(); }

void MainWindow::closeRequested(int exitStatus) { emit exitRequested(exitStatus); }

// --- WorkspacePrompt --------------------------------------------------------------------------

void MainWindow::inform(int id, std::string_view detail) {
  dialogs_.inform(this, FromCp1252(common::ComposeMessage(&app_->strings, id, detail)));
}

app::WorkspacePrompt::SaveChoice MainWindow::askToSave(app::Pane pane) {
  const int id = pane == app::Pane::kApt ? kAskApt : kAskIso;
  switch (dialogs_.askToSave(this, FromCp1252(app_->strings.get(id)))) {
    case Dialogs::SaveChoice::kSave:
      return SaveChoice::kSave;
    case Dialogs::SaveChoice::kDiscard:
      return SaveChoice::kDiscard;
    case Dialogs::SaveChoice::kCancel:
      break;
  }
  return SaveChoice::kCancel;
}

std::string MainWindow::chooseOpenPath(const std::string& folder, const std::string& filter) {
  return ToPath(dialogs_.chooseOpenPath(this, dialogTitle_, FromPath(folder),
                                        QtFileFilter(FromCp1252(filter))));
}

std::string MainWindow::chooseSavePath(const std::string& proposed, const std::string& filter) {
  return ToPath(dialogs_.chooseSavePath(this, dialogTitle_, FromPath(proposed),
                                        QtFileFilter(FromCp1252(filter))));
}

// --- From outside -----------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
  if (textToolBusy_) {
    // A renumbering or replace all is still on the stack below this event: stop it, and close
    // once it has returned.
    workspace_->stop();
    event->ignore();
    QTimer::singleShot(0, this, &QWidget::close);
    return;
  }
  if (workspace_->running()) {
    workspace_->stop();
    workspace_->finishRun();
  }
  if (!workspace_->mayClose()) {
    event->ignore();
    return;
  }
  workspace_->saveWindowLayout(currentLayout());
  if (editor_) editor_->close();
  event->accept();
}

bool MainWindow::acceptsDrop(const QDropEvent* event) const {
  return event->mimeData()->hasUrls() && !event->mimeData()->urls().isEmpty() &&
         event->mimeData()->urls().front().isLocalFile() && !workspace_->running();
}

void MainWindow::openDropped(const QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) workspace_->openDropped(ToPath(url.toLocalFile()));
  }
  updateTitle();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (acceptsDrop(event)) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (!acceptsDrop(event)) return;
  event->acceptProposedAction();
  openDropped(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Files dropped on a pane are opened, not pasted in as their names; dragged text stays text.
  const auto type = event->type();
  if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (drop->mimeData()->hasUrls()) {
      if (!acceptsDrop(drop)) return true;
      drop->acceptProposedAction();
      if (type == QEvent::Drop) openDropped(drop);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace ordalis::ui
