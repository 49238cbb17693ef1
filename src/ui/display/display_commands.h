#pragma once
// The Visualisation menu's commands over the graphics view: Display runs the display road and
// shows its toolpath beside the main window, Clear the display and Clear the labels, Put in front
// marks the moves of the selected ISO lines. A pick selects its statement in the APT pane, and the
// lines selected in the APT pane mark their moves as the selection changes. The main window passes
// on the workspace's toolpathReady; the matching of lines and moves is the core's.

#include <QObject>
#include <QTimer>
#include <memory>

#include "core/display/move_list.h"

namespace ordalis::app {
class Workspace;
}

namespace ordalis::ui {

class GraphicsView;
class MainActions;
class QtTextPane;

class DisplayCommands : public QObject {
  Q_OBJECT

 public:
  /// Connects the display actions of `actions`; the view is a window of its own, owned by
  /// `mainWindow` and placed beside it. Everything given must outlive the object.
  DisplayCommands(app::Workspace& workspace, MainActions& actions, QtTextPane& aptPane,
                  QtTextPane& isoPane, QWidget* mainWindow);

  GraphicsView* view() { return view_; }

 public slots:
  /// Display built a toolpath: show it and the follow-up commands.
  void toolpathReady(const std::shared_ptr<const display::MoveList>& moves);
  /// A run ended; the toolpath, if any, came with toolpathReady.
  void runFinished();

  /// mnuVisu: the lines of the APT selection (2 characters or more), else the whole APT text.
  void display();
  /// mnuNoVisu, Escape in the view, closing it: the toolpath goes and the follow-ups hide.
  void clearDisplay();
  /// mnuNoInfo.
  void clearLabels();
  /// mnuhighlight: the moves of the ISO lines the selection touches take COULEUR_SELECT.
  void putInFront();

 private:
  enum class Marks { kNone, kApt, kIso };

  void movePicked(qulonglong move, quint32 statement);
  void markAptSelection();
  void mark(std::vector<bool> statements, Marks source);
  bool showing() const;

  app::Workspace& workspace_;
  MainActions& actions_;
  QtTextPane& aptPane_;
  QtTextPane& isoPane_;
  QWidget* mainWindow_;
  GraphicsView* view_;
  QTimer aptSelection_;  // a drag through the APT pane marks once it rests
  Marks marks_ = Marks::kNone;
  bool selecting_ = false;       // the pick itself is selecting in the APT pane
  bool displayRunning_ = false;  // a Display goes on on the workspace's worker
  bool discardNext_ = false;     // cleared while it ran: its toolpath is not wanted
};

}  // namespace ordalis::ui
