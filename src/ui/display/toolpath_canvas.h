#pragma once
// The picture of the graphics view: projects the displayed move list and turns the mouse into view
// changes. Shift+click picks the nearest end point (left button) or makes it the centre of rotation
// (another button); a left drag zooms on a rectangle, a middle drag or left and right together
// rotate, a right drag pans, a double click fits and the wheel zooms about the pointer.

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/display/move_list.h"
#include "core/display/projection.h"
#include "core/display/view_transform.h"
#include "ui/display/toolpath_painter.h"

namespace ordalis::ui {

class ToolpathCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit ToolpathCanvas(QWidget* parent = nullptr);

  /// Shows a move list (nullptr: none); marks, the picked move and cleared labels start afresh,
  /// the view keeps its angles, offsets and scale.
  void setMoveList(std::shared_ptr<const display::MoveList> list);
  const display::MoveList* moveList() const { return list_.get(); }
  /// Empties the picture and puts the view back as at start-up (offsets zero).
  void clear();

  const display::ViewTransform& view() const { return view_; }
  /// Changes the view through `change`, then projects and draws again.
  template <typename Change>
  void changeView(Change change) {
    change(view_);
    reproject();
  }
  void fit();
  void showStandardView(display::StandardView view);

  void setShowRapids(bool show);
  void setShowLabels(bool show);
  bool showsRapids() const { return picture_.showRapids; }
  bool showsLabels() const { return picture_.showLabels; }
  /// Empties the point labels until the next move list (Clear the labels).
  void clearLabels();
  /// Draws the moves of the flagged statements in `colour`; an empty vector unmarks.
  void markStatements(std::vector<bool> statements, std::int32_t colour);
  /// The statements drawn in the selection colour, one flag each; empty when none.
  const std::vector<bool>& markedStatements() const { return marked_; }

  std::size_t pickedMove() const { return picture_.pickedMove; }
  /// Picks the visible move whose end point is nearest to the pixel, as Shift+left click does;
  /// display::kNoMove when there is none.
  std::size_t pickAt(const QPointF& pixel);
  /// Makes the visible end point nearest to the pixel the centre of rotation.
  void centreAt(const QPointF& pixel);

  /// The picture as it would be drawn at `size`.
  QImage render(const QSize& size) const;
  /// Where a world point is drawn in the widget now.
  QPointF pixelOf(const display::Point& world) const;

 signals:
  /// The user picked a move (Shift+left click).
  void movePicked(qulonglong move);
  void viewChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void reproject();
  display::ScreenMapping mapping(const QSize& size) const;
  std::size_t nearestVisible(const QPointF& pixel) const;
  void endZoomRectangle(const QPointF& pixel);

  std::shared_ptr<const display::MoveList> list_;
  display::ViewTransform view_;
  std::vector<display::Point2> points_;  // the view list: projected end points, reused
  std::vector<bool> marked_;
  bool labelsCleared_ = false;
  ToolpathPicture picture_;

  QPointF last_;       // the pointer at the previous mouse event
  QPointF dragStart_;  // where the left button went down
  bool zoomRectangle_ = false;
  bool gestureDone_ = false;  // a Shift+click or a rotation: no rectangle until every button is up
  bool dragging_ = false;     // turning or panning: a huge toolpath is drawn thinned meanwhile
};

}  // namespace ordalis::ui
