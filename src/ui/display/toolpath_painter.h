#pragma once
// Drawing a projected toolpath with QPainter: the lines in their colours on black, antialiased, the
// axis triad and the point labels. Shared by the graphics view, its image for tests and the
// benchmark, so that all three draw exactly the same picture.

#include <QPointF>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/display/move_list.h"
#include "core/display/projection.h"
#include "core/display/view_transform.h"

class QPainter;

namespace ordalis::ui {

/// What one picture shows: the world list, its projected end points and the view's own marks.
struct ToolpathPicture {
  const display::MoveList* list = nullptr;
  std::span<const display::Point2> points;  // one per move of `list`, by display::ProjectMoves
  const display::ViewTransform* view = nullptr;
  /// Per statement: its moves are drawn in `selectColour` (Put in front). Empty: none marked.
  const std::vector<bool>* markedStatements = nullptr;
  std::int32_t selectColour = 0;
  std::size_t pickedMove = display::kNoMove;
  bool showRapids = true;
  bool showLabels = true;
  /// Draws every `stride`-th end point only (and the last), joined, and no labels: the picture of
  /// a huge toolpath while the user turns or pans it, redrawn whole when the mouse lets go.
  std::size_t stride = 1;
};

/// The stride that keeps a drag's redraw of `moves` moves near kDragMoves segments.
std::size_t DragStride(std::size_t moves);
inline constexpr std::size_t kDragMoves = 200000;

/// Clears the picture to black and draws the triad, the moves and, when wanted, their labels.
void PaintToolpath(QPainter& painter, const QSize& size, const ToolpathPicture& picture);

/// Whether the move is drawn at all (the rapids toggle; labels have no line).
bool IsDrawn(const ToolpathPicture& picture, std::size_t move);

/// A stored colour (red in the low byte) as a 32-bit Qt colour.
constexpr std::uint32_t ToRgb(std::int32_t colour) {
  const auto c = static_cast<std::uint32_t>(colour);
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

}  // namespace ordalis::ui
