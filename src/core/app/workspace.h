#pragma once
// The program's commands as one object: what the main window's menus, toolbar and command line
// do, without a widget. The window maps its actions to these calls and these events to widgets;
// it holds no conversion logic.
//
// Threads. Long work (both conversion roads, the display, renumbering, replace all) polls
// stopFlag(); the window's Escape or Cancel calls stop(). With setThreaded(true) a run goes on a
// worker thread over copies of its input (the APT text, the definition, the aliases): the worker
// posts batches (statement colours, ISO text, messages and message boxes as records, progress) and
// calls the wake function given to setWake() when a batch arrives. The wake function runs on the
// worker: it must only schedule a call of deliver() on the window's thread (for Qt,
// QMetaObject::invokeMethod(window, ..., Qt::QueuedConnection)). deliver() applies the batches to
// the panes, the log and the prompt, and ends the run. While a run goes on (running()), the window
// keeps the panes read-only and starts no other run; without setThreaded the run happens inside
// the command and everything is applied before it returns (tests, the batch program).
//
// Panes. The workspace writes the APT and ISO panes, the log and the prompt given at construction
// (QtTextPane, the log pane and the dialogs in the window; MemoryTextPane, VectorLog and a
// recording prompt in tests). The window calls paneEdited() when the user changes a pane's text:
// D34 asks Save, Discard or Cancel before such text would be lost; text the workspace wrote itself
// is never asked about.

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/app/context.h"
#include "core/app/run.h"
#include "core/app/run_batch.h"
#include "core/app/run_job.h"
#include "core/app/settings_file.h"
#include "core/app/settings_store.h"
#include "core/common/progress.h"
#include "core/common/stop_flag.h"
#include "core/common/text_pane.h"
#include "core/display/move_list.h"
#include "core/texttools/search.h"
#include "core/tools/tool_tree.h"

namespace ordalis::app {

enum class Pane { kApt, kIso };

/// What the window does for the commands: message boxes (UserPrompt), the D34 question and the
/// file dialogs. Filters are in the program's form ("Text|*.ext|Other|*.*").
class WorkspacePrompt : public common::UserPrompt {
 public:
  enum class SaveChoice { kSave, kDiscard, kCancel };
  /// Text typed by hand in `pane` would be lost: Save, Discard or Cancel.
  virtual SaveChoice askToSave(Pane pane) = 0;
  /// The file to open, "" when the user cancelled.
  virtual std::string chooseOpenPath(const std::string& folder, const std::string& filter) = 0;
  /// The file to save under, "" when the user cancelled; `proposed` is preset.
  virtual std::string chooseSavePath(const std::string& proposed, const std::string& filter) = 0;
};

/// The workspace's events, on the window's thread. Every one has a default that does nothing.
class WorkspaceObserver {
 public:
  virtual ~WorkspaceObserver() = default;
  /// "Ordalis (" name ")", followed by " *" while the ISO pane holds unsaved hand edits.
  virtual void titleChanged(const std::string& /*title*/) {}
  virtual void recentFilesChanged(const std::vector<std::string>& /*paths*/) {}
  /// A run began: show progress, make the panes read-only, let Escape call stop().
  virtual void runStarted(Road /*road*/) {}
  /// Bytes and statements done, and the seconds since the run began (for a rate).
  virtual void runProgress(const common::Progress& /*progress*/, double /*seconds*/) {}
  /// The run is over and everything it produced is applied.
  virtual void runFinished(Road /*road*/, RunOutcome /*outcome*/) {}
  virtual void toolTreeChanged(const tools::ToolTree& /*tree*/) {}
  /// Display built a toolpath: show it in the graphics view.
  virtual void toolpathReady(const std::shared_ptr<const display::MoveList>& /*moves*/) {}
  /// Renumbering or replace all ended; `done` false when stopped.
  virtual void textToolFinished(bool /*done*/) {}
  /// CloseAfterPP after a command-line conversion: end the program with this status (0, 1, 3).
  virtual void closeRequested(int /*exitStatus*/) {}
};

class Workspace {
 public:
  /// The panes, the log and the prompt must outlive the workspace; `app` holds the settings,
  /// texts, definition and aliases (its log and prompt are where the workspace reports).
  Workspace(AppContext& app, common::TextPane& aptPane, common::TextPane& isoPane,
            WorkspacePrompt& prompt, WorkspaceObserver& observer);
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // --- Start-up ------------------------------------------------------------------------------
  /// Reads the settings (`explicitIni` when not empty, else Ordalis.ini beside the program or the
  /// user's copy) and loads the definition they name; the title follows.
  void start(const std::string& explicitIni = {});
  /// The desktop's command line, treated as ordalis-post treats its words: "--ini FILE" (used
  /// before start()), then .ppc words loaded and APT words converted beside themselves, each APT
  /// file shown in the APT pane and its program in the ISO pane. With CloseAfterPP the window is
  /// asked to close with the batch program's status (0 done, 1 a file error, 3 interrupted).
  void treatCommandLine(const std::vector<std::string>& words);
  /// Splits "--ini FILE" from the other words; returns the words.
  static std::vector<std::string> takeIniOption(const std::vector<std::string>& args,
                                                std::string& ini);

  // --- Files ---------------------------------------------------------------------------------
  /// Open APT file: the dialog in Repertoire_APT (filter 510), then openAptFile.
  bool openApt();
  /// Loads `path` into the APT pane (after D34); it becomes the current APT file and a recent one.
  bool openAptFile(const std::string& path);
  /// Open ISO file: the dialog in Repertoire_ISO (the definition's filter), then openIsoFile.
  bool openIso();
  bool openIsoFile(const std::string& path);
  /// Opens a recent file: an APT file by its extension, else an ISO file.
  bool openRecent(const std::string& path);
  /// A file dropped on the window: a .ppc selects that definition, an APT file opens in the APT
  /// pane, anything else in the ISO pane.
  bool openDropped(const std::string& path);
  void clearRecentFiles();
  /// Save ISO file: the dialog with the proposed name, then the ISO pane's text to that file.
  bool saveIso();
  bool saveIsoTo(const std::string& path);

  /// Select post-processor: the dialog in the program's ppc folder, then selectDefinitionFile.
  bool selectDefinition();
  /// Loads another definition and writes the settings (Nom, Fichier with ".\" for a file in the
  /// program's folder), empties the tool table; the current definition again does nothing.
  bool selectDefinitionFile(const std::string& path);
  /// The definition editor saved the file `path` (OK, or "Save as" when `becomesCurrent`): it is
  /// loaded again so that the next run uses it.
  void definitionSaved(const std::string& path, bool becomesCurrent);

  // --- Runs ----------------------------------------------------------------------------------
  /// Convert from the text pane: the whole APT pane from its first line (2002 without an APT file).
  bool convertFromText();
  /// Convert directly: the save dialog with the proposed ISO name and the definition's filter, the
  /// log cleared, then the file road; the ISO file is shown afterwards.
  bool convertDirectly();
  bool convertDirectlyTo(const std::string& isoPath);
  /// Display: the lines the APT selection touches (2 characters or more), else the whole text.
  bool display();
  /// Asks the work in progress to stop (Escape, Cancel); any thread.
  void stop() { stop_.request(); }
  /// The flag every long command polls (the search dialog's replace all takes it too).
  common::StopFlag& stopFlag() { return stop_; }
  bool running() const { return running_.has_value(); }
  /// Threaded runs: see the top of this file. `wake` runs on the worker thread.
  void setThreaded(bool threaded) { threaded_ = threaded; }
  void setWake(std::function<void()> wake) { queue_.setWake(std::move(wake)); }
  /// Applies what the worker posted (the window's thread).
  void deliver();
  /// Waits for the run in progress to end and applies everything (closing, tests).
  void finishRun();

  // --- Text tools ----------------------------------------------------------------------------
  /// Renumbers the ISO pane in the definition's number format; false when stopped.
  bool renumber();
  /// Search, Next: the pane the user last worked in (setActivePane).
  bool findNext(const std::string& text, const texttools::SearchOptions& options = {});
  /// Replace all: tells the number of replacements (text 604) and returns it.
  std::size_t replaceAll(const std::string& text, const std::string& replacement,
                         const texttools::SearchOptions& options = {});
  void setActivePane(Pane pane) { active_ = pane; }
  texttools::TextSearch& search() { return search_; }

  // --- Log and configuration -----------------------------------------------------------------
  void clearLog();
  /// Export log: the dialog with "Ordalis.log" (filter 513); `plainText` is the log's text.
  bool exportLog(const std::string& plainText);
  /// The configuration dialog's values, written to the settings file at once.
  bool setLanguage(int languageId);
  bool setCloseAfterRun(bool close);
  bool closeAfterRun() const { return closeAfterRun_; }
  /// Writes the CAM aliases (section APT_ALIAS) and uses them from the next run on; false when
  /// the settings file could not be written.
  bool saveAliases(const std::vector<AliasEntry>& entries);
  /// The aliases were edited in the settings file: the next runs read them.
  void reloadAliases();
  const std::string& settingsPath() const { return settings_.path(); }
  /// The settings file to write (the user's copy is made first where needed).
  std::string settingsPathForWriting() { return settings_.forWriting(); }
  /// The window's place and splitters as the settings file remembers them (section FENETRE).
  WindowLayout windowLayout() const { return ReadWindowLayout(settings_.path()); }
  bool saveWindowLayout(const WindowLayout& layout);

  // --- State ---------------------------------------------------------------------------------
  /// The user changed the text of `pane` by hand (ignored while the workspace writes it).
  void paneEdited(Pane pane);
  bool changedByHand(Pane pane) const { return pane == Pane::kApt ? aptChanged_ : isoChanged_; }
  /// Quit or close the window: false when the user cancelled (D34).
  bool mayClose();
  std::string title() const;
  const std::string& aptPath() const { return aptPath_; }
  const std::string& isoPath() const { return isoPath_; }
  const std::string& proposedIsoName() const { return proposedIsoName_; }
  const tools::ToolTree& toolTree() const { return toolTree_; }
  std::vector<std::string> recentFiles() const { return settings_.recentFiles(); }
  AppContext& app() { return app_; }

 private:
  bool keepHandEdits(Pane pane);
  /// True when a conversion may start: no run going on, and an APT file open (else 2002).
  bool readyToConvert();
  bool loadInto(Pane pane, const std::string& path);
  void setIsoChanged(bool changed);
  void noteRecent(const std::string& path);
  std::string isoFilter() const;
  RunRequest request(Road road) const;
  void startRun(Road road, RunRequest request);
  void applyBatch(const RunBatch& batch);
  void endRun(const RunResult& result);
  void showTools(const tools::ToolTable& table);
  RunOutcome convertForCommandLine(const std::string& aptPath, const std::string& isoPath);

  AppContext& app_;
  common::TextPane& aptPane_;
  common::TextPane& isoPane_;
  WorkspacePrompt& prompt_;
  WorkspaceObserver& observer_;
  SettingsFile settings_;
  std::string aptPath_, isoPath_, proposedIsoName_;
  bool aptChanged_ = false, isoChanged_ = false;
  bool writing_ = false;  // the workspace itself changes a pane
  bool closeAfterRun_ = false;
  Pane active_ = Pane::kIso;
  texttools::TextSearch search_;
  tools::ToolTable tools_;
  tools::ToolTree toolTree_;

  common::StopFlag stop_;
  bool threaded_ = false;
  BatchQueue queue_;
  std::thread worker_;
  struct Running {
    Road road;
    std::chrono::steady_clock::time_point started;
  };
  std::optional<Running> running_;
  RunOutcome lastOutcome_ = RunOutcome::kDone;
};

}  // namespace ordalis::app
