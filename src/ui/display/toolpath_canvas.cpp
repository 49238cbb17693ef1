#include "ui/display/toolpath_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace ordalis::ui {

namespace {

// One wheel notch shows this much less of the picture.
constexpr double kWheelZoom = 1.25;

}  // namespace

ToolpathCanvas::ToolpathCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName("FenetreGraphique");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(200, 200);
  picture_.view = &view_;
}

void ToolpathCanvas::setMoveList(std::shared_ptr<const display::MoveList> list) {
  list_ = std::move(list);
  marked_.clear();
  labelsCleared_ = false;
  picture_.pickedMove = display::kNoMove;
  picture_.list = list_.get();
  picture_.markedStatements = nullptr;
  reproject();
}

void ToolpathCanvas::clear() {
  setMoveList(nullptr);
  points_ = {};
  view_.reset();
  reproject();
}

void ToolpathCanvas::reproject() {
  if (list_) {
    display::ProjectMoves(*list_, view_, points_);
  } else {
    points_.clear();
  }
  picture_.points = points_;
  update();
  emit viewChanged();
}

void ToolpathCanvas::fit() {
  const display::Extent e = display::ViewExtent(points_, view_);
  if (!e.empty) changeView([&](display::ViewTransform& v) { v.fit(e.min, e.max); });
}

void ToolpathCanvas::showStandardView(display::StandardView view) {
  view_.setStandardView(view);
  reproject();
  fit();
}

void ToolpathCanvas::setShowRapids(bool show) {
  picture_.showRapids = show;
  update();
}

void ToolpathCanvas::setShowLabels(bool show) {
  picture_.showLabels = show;
  update();
}

void ToolpathCanvas::clearLabels() {
  labelsCleared_ = true;
  update();
}

void ToolpathCanvas::markStatements(std::vector<bool> statements, std::int32_t colour) {
  marked_ = std::move(statements);
  picture_.markedStatements = marked_.empty() ? nullptr : &marked_;
  picture_.selectColour = colour;
  update();
}

display::ScreenMapping ToolpathCanvas::mapping(const QSize& size) const {
  return display::ScreenMapping(size.width(), size.height(), view_.halfRange());
}

std::size_t ToolpathCanvas::nearestVisible(const QPointF& pixel) const {
  if (!list_) return display::kNoMove;
  const display::Point2 at = mapping(size()).toUser(pixel.x(), pixel.y());
  return display::PickNearest(points_, at, [&](std::size_t move) {
    return move == 0 || list_->kind(move) == display::MoveKind::Label || IsDrawn(picture_, move);
  });
}

std::size_t ToolpathCanvas::pickAt(const QPointF& pixel) {
  const std::size_t move = nearestVisible(pixel);
  if (move == display::kNoMove) return move;
  picture_.pickedMove = move;
  update();
  emit movePicked(move);
  return move;
}

void ToolpathCanvas::centreAt(const QPointF& pixel) {
  const std::size_t move = nearestVisible(pixel);
  if (move == display::kNoMove) return;
  picture_.pickedMove = move;
  changeView([&](display::ViewTransform& v) { v.setRotationCentre(list_->end(move)); });
}

QImage ToolpathCanvas::render(const QSize& size) const {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setFont(font());
  ToolpathPicture picture = picture_;
  picture.showLabels = picture_.showLabels && !labelsCleared_;
  PaintToolpath(painter, size, picture);
  return image;
}

QPointF ToolpathCanvas::pixelOf(const display::Point& world) const {
  const display::Point p = view_.project(world);
  const display::ScreenMapping map = mapping(size());
  return {map.toPixelX(p.x), map.toPixelY(p.y)};
}

void ToolpathCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  ToolpathPicture picture = picture_;
  picture.showLabels = picture_.showLabels && !labelsCleared_;
  if (dragging_) picture.stride = DragStride(points_.size());
  PaintToolpath(painter, size(), picture);
  if (zoomRectangle_) {
    QPen pen(Qt::white, 0, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(QRectF(dragStart_, last_).normalized());
  }
}

void ToolpathCanvas::resizeEvent(QResizeEvent*) { update(); }

void ToolpathCanvas::mousePressEvent(QMouseEvent* event) {
  last_ = event->position();
  if (event->modifiers() == Qt::ShiftModifier) {
    gestureDone_ = true;
    if (event->button() == Qt::LeftButton) {
      pickAt(event->position());
    } else {
      centreAt(event->position());
    }
    return;
  }
  if (event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton) {
    dragStart_ = event->position();
  }
}

void ToolpathCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  const Qt::MouseButtons buttons = event->buttons();
  const display::ScreenMapping map = mapping(size());
  const bool bothMain = (buttons & Qt::LeftButton) && (buttons & Qt::RightButton);
  if (gestureDone_ && !(buttons & Qt::MiddleButton) && !bothMain) {
    // What follows a Shift+click belongs to that click.
  } else if ((buttons & Qt::MiddleButton) || bothMain) {
    zoomRectangle_ = false;
    gestureDone_ = true;
    dragging_ = true;
    const double right = map.unzoomedUnits(at.x() - last_.x());
    const double down = map.unzoomedUnits(at.y() - last_.y());
    changeView([&](display::ViewTransform& v) { v.rotate(right, down); });
  } else if (buttons & Qt::LeftButton) {
    zoomRectangle_ = true;
    update();
  } else if (buttons & Qt::RightButton) {
    dragging_ = true;
    const double scale = map.pixelsPerUnit();
    const double dx = (at.x() - last_.x()) / scale, dy = (last_.y() - at.y()) / scale;
    changeView([&](display::ViewTransform& v) { v.pan(dx, dy); });
  }
  last_ = at;
}

void ToolpathCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && zoomRectangle_) endZoomRectangle(event->position());
  if (event->buttons() == Qt::NoButton) {
    gestureDone_ = false;
    if (dragging_) update();  // the whole toolpath again
    dragging_ = false;
  }
  last_ = event->position();
}

void ToolpathCanvas::endZoomRectangle(const QPointF& pixel) {
  zoomRectangle_ = false;
  const display::ScreenMapping map = mapping(size());
  const display::Point2 a = map.toUser(dragStart_.x(), dragStart_.y());
  const display::Point2 b = map.toUser(pixel.x(), pixel.y());
  // A click without a drag leaves the scale as it was.
  if (a.x != b.x || a.y != b.y) {
    changeView([&](display::ViewTransform& v) { v.zoomToRectangle(a, b); });
  } else {
    update();
  }
}

void ToolpathCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->modifiers() == Qt::ShiftModifier) {
    mousePressEvent(event);  // a quick second Shift+click is a pick all the same
    return;
  }
  zoomRectangle_ = false;
  fit();
}

void ToolpathCanvas::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0) return;
  const display::ScreenMapping map = mapping(size());
  const display::Point2 at = map.toUser(event->position().x(), event->position().y());
  changeView([&](display::ViewTransform& v) { v.zoomAbout(at, std::pow(kWheelZoom, -notches)); });
  event->accept();
}

}  // namespace ordalis::ui
