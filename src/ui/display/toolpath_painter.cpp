#include "ui/display/toolpath_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <string_view>

#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

using display::Point2;
using display::ScreenMapping;

// Points further out than this are clipped by hand: the raster engine works in fixed point.
constexpr double kGuardPixels = 16384;
// A run is drawn in pieces of this many points so that the buffer stays in cache.
constexpr std::size_t kPieceSize = 4096;
// Up to this many labels in sight are all drawn; beyond, one per cell of a line's height.
constexpr std::size_t kReadableLabels = 2000;

/// Collects consecutive moves of one colour into a polyline. A point within one pixel of the last
/// one kept is held back until the path leaves that pixel or the run ends: a million moves of a
/// fine surface become far fewer segments, and the picture differs by less than a pixel.
class PolylineBatch {
 public:
  explicit PolylineBatch(QPainter& painter) : painter_(painter) {
    points_.reserve(kPieceSize + 1);
    pen_.setWidth(0);
    pen_.setCosmetic(true);
  }
  ~PolylineBatch() { breakChain(); }

  void segment(const QPointF& from, const QPointF& to, QRgb colour) {
    if (!open_ || colour != colour_) {
      breakChain();
      open_ = true;
      colour_ = colour;
      keep(from);
    }
    if (std::fabs(to.x() - last_.x()) < 1 && std::fabs(to.y() - last_.y()) < 1) {
      pending_ = to;
      hasPending_ = true;
      return;
    }
    keep(to);
    if (points_.size() >= kPieceSize) flush(true);
  }

  /// Ends the current run: the next segment starts a new polyline at its own start.
  void breakChain() {
    flush(false);
    open_ = false;
  }

 private:
  void keep(const QPointF& p) {
    points_.push_back(p);
    last_ = p;
    hasPending_ = false;
  }

  void flush(bool continuing) {
    if (hasPending_) keep(pending_);
    if (points_.size() >= 2) {
      if (colour_ != penColour_ || !penSet_) {
        pen_.setColor(QColor::fromRgb(colour_));
        painter_.setPen(pen_);
        penColour_ = colour_;
        penSet_ = true;
      }
      painter_.drawPolyline(points_.data(), static_cast<int>(points_.size()));
    }
    const QPointF end = last_;
    points_.clear();
    if (continuing) points_.push_back(end);
  }

  QPainter& painter_;
  QPen pen_;
  std::vector<QPointF> points_;
  QRgb colour_ = 0, penColour_ = 0;
  bool penSet_ = false, open_ = false, hasPending_ = false;
  QPointF last_, pending_;
};

/// Liang-Barsky: clips the segment to `r`; false when nothing of it is inside.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    if (p[i] > 0) t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const QPointF start = a;
  a = start + QPointF(dx * t0, dy * t0);
  b = start + QPointF(dx * t1, dy * t1);
  return true;
}

QRgb MoveColour(const ToolpathPicture& picture, std::size_t move) {
  const display::MoveList& list = *picture.list;
  if (move == picture.pickedMove) return ToRgb(display::kPickedColour);
  const std::vector<bool>* marked = picture.markedStatements;
  const std::uint32_t statement = list.statement(move);
  if (marked && statement < marked->size() && (*marked)[statement]) {
    return ToRgb(picture.selectColour);
  }
  const std::int32_t colour = list.colour(move);
  return ToRgb(colour != 0 ? colour : list.defaultColour());
}

QPointF ToPixel(const ScreenMapping& map, const Point2& p) {
  return {map.toPixelX(p.x), map.toPixelY(p.y)};
}

void DrawMoves(QPainter& painter, const QSize& size, const ScreenMapping& map,
               const ToolpathPicture& picture) {
  const QRectF safe(-kGuardPixels, -kGuardPixels, size.width() + 2 * kGuardPixels,
                    size.height() + 2 * kGuardPixels);
  const QRectF visible(-2, -2, size.width() + 4, size.height() + 4);
  PolylineBatch batch(painter);
  QPointF from;
  const std::size_t count = picture.points.size();
  const std::size_t stride = std::max<std::size_t>(1, picture.stride);
  const auto next = [&](std::size_t i) {
    if (i + 1 >= count) return count;
    return std::min(i + stride, count - 1);  // the path always ends at its last point
  };
  for (std::size_t i = 0; i < count; i = next(i)) {
    if (picture.list->kind(i) == display::MoveKind::Label) continue;  // the tool stays
    const QPointF to = ToPixel(map, picture.points[i]);
    if (i == 0 || !IsDrawn(picture, i)) {
      batch.breakChain();
    } else if (safe.contains(from) && safe.contains(to)) {
      batch.segment(from, to, MoveColour(picture, i));
    } else {
      batch.breakChain();
      QPointF a = from, b = to;
      if (ClipSegment(a, b, visible)) batch.segment(a, b, MoveColour(picture, i));
      batch.breakChain();
    }
    from = to;
  }
}

/// The lines of a label, empty ones left out.
std::vector<QString> LabelLines(std::string_view text) {
  std::vector<QString> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (!line.empty()) lines.push_back(FromCp1252(line));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1));
  }
  return lines;
}

/// Where labels already stand, by rows of one text line: a label that would cover another goes
/// down below it, so that the texts of a hole or of a tool change at one point stay readable.
class LabelSpace {
 public:
  LabelSpace(double top, int rows, int lineHeight)
      : top_(top), lineHeight_(std::max(1, lineHeight)), rows_(static_cast<std::size_t>(rows)) {}

  /// The row (of the first line) that a label wanting `row` gets, or -1 when the rows below are
  /// taken too; the label's rows are then taken.
  int place(int row, int lineCount, double left, double right) {
    for (int r = std::max(row, 0); r <= row + kMaxShift; ++r) {
      if (isFree(r, lineCount, left, right)) {
        for (int i = 0; i < lineCount; ++i) rows_[r + i].push_back({left, right});
        return r;
      }
    }
    return -1;
  }
  int rowOf(double y) const { return static_cast<int>(std::floor((y - top_) / lineHeight_)); }
  double yOf(int row) const { return top_ + row * lineHeight_; }

 private:
  static constexpr int kMaxShift = 12;

  bool isFree(int row, int lineCount, double left, double right) const {
    if (row + lineCount > static_cast<int>(rows_.size())) return false;
    for (int i = 0; i < lineCount; ++i) {
      for (const auto& [l, r] : rows_[row + i]) {
        if (left < r && l < right) return false;
      }
    }
    return true;
  }

  double top_;
  int lineHeight_;
  std::vector<std::vector<std::pair<double, double>>> rows_;
};

void DrawLines(QPainter& painter, double x, double baseline, const std::vector<QString>& lines,
               QRgb colour, int lineHeight) {
  painter.setPen(QColor::fromRgb(colour));
  for (const QString& line : lines) {
    painter.drawText(QPointF(x, baseline), line);
    baseline += lineHeight;
  }
}

/// Keeps one label per cell of a grid once labels are too many to read: a program that changes
/// its feed on every move would otherwise print a million texts on a few square centimetres.
class LabelGrid {
 public:
  LabelGrid(const QSize& size, int cell, bool crowded)
      : cell_(std::max(1, cell)),
        columns_(size.width() / cell_ + 1),
        taken_(crowded ? static_cast<std::size_t>(columns_) * (size.height() / cell_ + 1) : 0) {}

  bool take(const QPointF& at) {
    if (taken_.empty()) return true;
    const int column = static_cast<int>(at.x()) / cell_, row = static_cast<int>(at.y()) / cell_;
    if (at.x() < 0 || at.y() < 0 || column >= columns_) return false;
    const std::size_t index = static_cast<std::size_t>(row) * columns_ + column;
    if (index >= taken_.size() || taken_[index]) return false;
    taken_[index] = true;
    return true;
  }

 private:
  int cell_, columns_;
  std::vector<bool> taken_;
};

bool LabelShown(const ToolpathPicture& picture, std::size_t move) {
  if (move >= picture.points.size()) return false;
  return picture.list->kind(move) == display::MoveKind::Label || move == 0 ||
         IsDrawn(picture, move);
}

void DrawLabels(QPainter& painter, const QSize& size, const ScreenMapping& map,
                const ToolpathPicture& picture) {
  const display::MoveList& list = *picture.list;
  const QRectF visible(0, 0, size.width(), size.height());
  std::size_t shown = 0;
  for (std::size_t k = 0; k < list.infoCount() && shown <= kReadableLabels; ++k) {
    const std::size_t move = list.infoMove(k);
    shown += LabelShown(picture, move) && visible.contains(ToPixel(map, picture.points[move]));
  }
  const QFontMetrics metrics = painter.fontMetrics();
  const int lineHeight = metrics.height();
  const bool crowded = shown > kReadableLabels;
  LabelGrid grid(size, lineHeight, crowded);
  const QRectF near(-200, -50, size.width() + 250, size.height() + 400);
  LabelSpace space(near.top(), static_cast<int>(near.height()) / std::max(1, lineHeight) + 1,
                   lineHeight);
  for (std::size_t k = 0; k < list.infoCount(); ++k) {
    const std::size_t move = list.infoMove(k);
    if (!LabelShown(picture, move)) continue;
    const QPointF at = ToPixel(map, picture.points[move]);
    if (!near.contains(at) || !grid.take(at)) continue;
    const std::vector<QString> lines = LabelLines(list.infoText(k));
    if (lines.empty()) continue;
    const double x = at.x() + 4;
    // The first line's box as the text was always placed: its baseline 4 pixels above the point.
    double top = at.y() - 4 - metrics.ascent();
    if (!crowded) {
      double width = 0;
      for (const QString& line : lines)
        width = std::max<double>(width, metrics.horizontalAdvance(line));
      const int row = space.place(space.rowOf(top), static_cast<int>(lines.size()), x, x + width);
      if (row < 0) continue;
      top = space.yOf(row);
    }
    DrawLines(painter, x, top + metrics.ascent(), lines, MoveColour(picture, move), lineHeight);
  }
}

void DrawTriad(QPainter& painter, const ScreenMapping& map, const display::ViewTransform& view) {
  const display::Point o = view.project({});
  const QPointF origin(map.toPixelX(o.x), map.toPixelY(o.y));
  for (const display::TriadAxis& axis : display::kAxisTriad) {
    const display::Point e = view.project(axis.end);
    const QPointF end(map.toPixelX(e.x), map.toPixelY(e.y));
    QPen pen(QColor::fromRgb(ToRgb(axis.colour)), 0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawLine(origin, end);
    painter.drawText(end + QPointF(3, -3),
                     QString::fromLatin1(axis.label.data(), static_cast<int>(axis.label.size())));
  }
}

void DrawPicked(QPainter& painter, const ScreenMapping& map, const ToolpathPicture& picture) {
  if (picture.pickedMove >= picture.points.size()) return;
  const QPointF at = ToPixel(map, picture.points[picture.pickedMove]);
  QPen pen(QColor::fromRgb(ToRgb(display::kPickedColour)), 0);
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(at.x() - 4, at.y() - 4, 8, 8));
}

}  // namespace

std::size_t DragStride(std::size_t moves) {
  return moves > kDragMoves ? moves / kDragMoves + 1 : 1;
}

bool IsDrawn(const ToolpathPicture& picture, std::size_t move) {
  const display::MoveKind kind = picture.list->kind(move);
  if (kind == display::MoveKind::Label || kind == display::MoveKind::Origin) return false;
  return picture.showRapids || !display::IsRapid(kind);
}

void PaintToolpath(QPainter& painter, const QSize& size, const ToolpathPicture& picture) {
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::black);
  if (!picture.view) return;
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  const ScreenMapping map(size.width(), size.height(), picture.view->halfRange());
  DrawTriad(painter, map, *picture.view);
  if (!picture.list || picture.points.size() != picture.list->size()) return;
  DrawMoves(painter, size, map, picture);
  if (picture.showLabels && picture.stride <= 1) DrawLabels(painter, size, map, picture);
  DrawPicked(painter, map, picture);
}

}  // namespace ordalis::ui
