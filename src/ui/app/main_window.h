#pragma once
// The main window: a thin view over the core's Workspace. It assembles the APT and ISO panes side
// by side, the band below them with the tool tree and the log, the menus, toolbar and status bar;
// every action is one Workspace call and every Workspace event updates a widget. Runs go on a
// worker thread: the window stays responsive and Escape or Cancel stops them.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "core/app/workspace.h"
#include "ui/app/command.h"

class QSplitter;

namespace ordalis::display {
class MoveList;
}

namespace ordalis::ui {

class AboutBox;
class ConfigurationDialog;
class DefinitionEditor;
class Dialogs;
class EditorDialogs;
class LogPane;
class MainActions;
class QtTextPane;
class SearchDialog;
class StatusBand;
class ToolTreeView;

class MainWindow : public QMainWindow, public app::WorkspaceObserver, public app::WorkspacePrompt {
  Q_OBJECT

 public:
  using ToolpathHandler = std::function<void(const std::shared_ptr<const display::MoveList>&)>;

  /// `dialogs` answers every question the window asks (message boxes, Save or Discard before hand
  /// edits are lost, file dialogs); `programFolder` is the executable's folder with a trailing "/".
  MainWindow(Dialogs& dialogs, const std::string& programFolder, QWidget* parent = nullptr);
  ~MainWindow() override;

  /// Reads the settings (`explicitIni` when not empty), loads the definition, restores the
  /// remembered layout and applies the captions.
  void start(const std::string& explicitIni = {});
  /// The questions of the definition editor (the platform's dialogs by default).
  void setEditorDialogs(EditorDialogs* dialogs);

  app::Workspace& workspace() { return *workspace_; }
  app::AppContext& context() { return *app_; }
  MainActions& actions() { return *actions_; }
  QtTextPane& aptPane() { return *aptPane_; }
  QtTextPane& isoPane() { return *isoPane_; }
  LogPane& logPane() { return *log_; }
  ToolTreeView& toolTree() { return *toolTree_; }
  StatusBand& statusBand() { return *status_; }
  SearchDialog& searchDialog() { return *search_; }
  DefinitionEditor* definitionEditor() const;
  ConfigurationDialog* configurationDialog() const;
  QSplitter* paneSplitter() const { return panes_; }
  QSplitter* bandSplitter() const { return band_; }
  QSplitter* bottomSplitter() const { return bottom_; }

  /// Where a built toolpath and the end of every run go (the display commands plug in here).
  void setToolpathHandler(ToolpathHandler handler) { toolpathHandler_ = std::move(handler); }
  void setRunFinishedHandler(std::function<void()> handler) {
    runFinishedHandler_ = std::move(handler);
  }

  /// Langue: every caption again in the current language.
  void applyTexts();
  /// Opens the definition editor on the selected definition, or brings it to the front.
  void openDefinitionEditor();
  /// The layout to remember and the one remembered.
  app::WindowLayout currentLayout() const;
  void restoreLayout(const app::WindowLayout& layout);

  // WorkspaceObserver
  void titleChanged(const std::string& title) override;
  void recentFilesChanged(const std::vector<std::string>& paths) override;
  void runStarted(app::Road road) override;
  void runProgress(const common::Progress& progress, double seconds) override;
  void runFinished(app::Road road, app::RunOutcome outcome) override;
  void toolTreeChanged(const tools::ToolTree& tree) override;
  void toolpathReady(const std::shared_ptr<const display::MoveList>& moves) override;
  void textToolFinished(bool done) override;
  void closeRequested(int exitStatus) override;

  // WorkspacePrompt
  void inform(int id, std::string_view detail = {}) override;
  SaveChoice askToSave(app::Pane pane) override;
  std::string chooseOpenPath(const std::string& folder, const std::string& filter) override;
  std::string chooseSavePath(const std::string& proposed, const std::string& filter) override;

 signals:
  /// CloseAfterPP after a command-line conversion: the program ends with this status.
  void exitRequested(int exitStatus);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class ForwardLog;

  void buildPanes();
  void buildBars();
  void connectCommands();
  void connectPanes();
  void on(Command command, std::function<void()> handler);
  /// Synchronous text tools (renumber, replace all): every other command waits for them.
  void runTextTool(const std::function<void()>& tool);
  void setBusy(bool busy);
  void updateTitle();
  void updateCaret();
  void setActive(QtTextPane* pane);
  QtTextPane* activePane() const { return active_; }
  void toggleLineMark();
  void showConfiguration();
  void showAbout(bool version);
  bool acceptsDrop(const QDropEvent* event) const;
  void openDropped(const QDropEvent* event);

  Dialogs& dialogs_;
  std::unique_ptr<ForwardLog> forwardLog_;
  std::unique_ptr<app::AppContext> app_;
  QtTextPane* aptPane_ = nullptr;
  QtTextPane* isoPane_ = nullptr;
  QtTextPane* active_ = nullptr;
  LogPane* log_ = nullptr;
  ToolTreeView* toolTree_ = nullptr;
  QSplitter* panes_ = nullptr;
  QSplitter* band_ = nullptr;
  QSplitter* bottom_ = nullptr;
  MainActions* actions_ = nullptr;
  StatusBand* status_ = nullptr;
  SearchDialog* search_ = nullptr;
  std::unique_ptr<app::Workspace> workspace_;
  std::unique_ptr<EditorDialogs> ownEditorDialogs_;
  EditorDialogs* editorDialogs_ = nullptr;
  QPointer<DefinitionEditor> editor_;
  QPointer<ConfigurationDialog> configuration_;
  QPointer<AboutBox> about_;
  QString dialogTitle_;  // the caption of the command that opens a file dialog
  bool textToolBusy_ = false;
  ToolpathHandler toolpathHandler_;
  std::function<void()> runFinishedHandler_;
};

}  // namespace ordalis::ui
