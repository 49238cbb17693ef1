#pragma once
// A move list seen through the view: its end points projected, the extent that fit uses, the pick
// of the nearest end point, and the mapping between user units and the pixels of a picture.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "core/display/move_list.h"
#include "core/display/view_transform.h"

namespace ordalis::display {

/// The axis triad drawn from the origin: end point, colour, label.
struct TriadAxis {
  Point end;
  std::int32_t colour;
  std::string_view label;
};
/// X light blue, Y light green, Z light red, 10 units long.
extern const std::array<TriadAxis, 3> kAxisTriad;
/// The colour of a picked move (bright white).
inline constexpr std::int32_t kPickedColour = kWhite;

/// Replaces `out` by the view points of the list's end points (reusing its storage).
void ProjectMoves(const MoveList& list, const ViewTransform& view, std::vector<Point2>& out);

struct Extent {
  Point2 min, max;
  bool empty = true;
  void add(const Point2& p);
};

/// The extent of the view points and of the triad's projected end points.
Extent ViewExtent(std::span<const Point2> points, const ViewTransform& view);

inline constexpr std::size_t kNoMove = static_cast<std::size_t>(-1);

/// The index of the point nearest to `at` among those `accept(index)` keeps, kNoMove when none:
/// a later point replaces the best only when strictly nearer, so a tie goes to the first.
template <typename Accept>
std::size_t PickNearest(std::span<const Point2> points, const Point2& at, Accept accept) {
  std::size_t best = kNoMove;
  double bestDistance = 9e99;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double dx = points[i].x - at.x, dy = points[i].y - at.y;
    const double d = dx * dx + dy * dy;
    if (d < bestDistance && accept(i)) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

inline std::size_t PickNearest(std::span<const Point2> points, const Point2& at) {
  return PickNearest(points, at, [](std::size_t) { return true; });
}

/// User units to the pixels of a picture of `width` x `height`: the square -halfRange..halfRange
/// is centred and as large as the smaller side, Y upwards.
class ScreenMapping {
 public:
  ScreenMapping(int width, int height, double halfRange);

  double pixelsPerUnit() const { return scale_; }
  double toPixelX(double x) const { return centreX_ + x * scale_; }
  double toPixelY(double y) const { return centreY_ - y * scale_; }
  Point2 toUser(double px, double py) const {
    return {(px - centreX_) / scale_, (centreY_ - py) / scale_};
  }
  /// Pixels converted to user units of the unzoomed picture (the rotation's units).
  double unzoomedUnits(double pixels) const { return pixels * unzoomedPerPixel_; }

 private:
  double centreX_, centreY_, scale_, unzoomedPerPixel_;
};

}  // namespace ordalis::display
