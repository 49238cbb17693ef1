#pragma once
// The graphics view window: the toolpath picture, buttons for the standard views, fit and the
// rapids and labels toggles, and a status line with the picked move. The main window owns it: it
// gives it move lists, marks the moves of selected lines, and answers its requests (select the
// statement of a picked move, clear the display).

#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/display/move_list.h"
#include "core/display/view_transform.h"

class QAction;
class QLabel;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class ToolpathCanvas;

class GraphicsView : public QWidget {
  Q_OBJECT

 public:
  explicit GraphicsView(const l10n::Strings& strings, QWidget* parent = nullptr);

  /// Shows a built toolpath (Display): marks, the picked move and cleared labels of the previous
  /// one go; the view keeps its angles, offsets and scale.
  void setMoveList(std::shared_ptr<const display::MoveList> list);
  const display::MoveList* moveList() const;
  ToolpathCanvas* canvas() const { return canvas_; }
  /// Puts the window beside `mainWindow`, on the same screen.
  void placeBeside(const QWidget* mainWindow);

 public slots:
  /// Clear the display: the toolpath goes, the view is as at start-up, the window hides.
  void clearDisplay();
  /// Clear the labels: every point label is emptied until the next Display.
  void clearLabels();
  /// Draws the moves of the flagged statements in the selection colour (Put in front, the lines
  /// selected in the APT pane); an empty vector unmarks.
  void markStatements(std::vector<bool> statements);
  /// The selection colour, the definition's COULEUR_SELECT.
  void setSelectColour(std::int32_t colour) { selectColour_ = colour; }
  void showStandardView(display::StandardView view);
  void fit();

 signals:
  /// Shift+left click picked a move; the main window selects its statement in the APT pane.
  void movePicked(qulonglong move, quint32 statement);
  /// Escape or closing the window: the main window performs Clear the display.
  void clearRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* buildToolBar();
  void onPicked(qulonglong move);
  void showStatus();

  const l10n::Strings& strings_;
  ToolpathCanvas* canvas_;
  QLabel* status_;
  QAction* rapids_ = nullptr;
  QAction* labels_ = nullptr;
  std::int32_t selectColour_ = 0;
};

}  // namespace ordalis::ui
