#include "core/display/projection.h"

#include <algorithm>
#include <cmath>

namespace ordalis::display {

// Colours 9, 10 and 12 of the basic 16-colour palette, red in the low byte.
const std::array<TriadAxis, 3> kAxisTriad = {{
    {{10, 0, 0}, 0xFF5555, "X"},
    {{0, 10, 0}, 0x55FF55, "Y"},
    {{0, 0, 10}, 0x5555FF, "Z"},
}};

void ProjectMoves(const MoveList& list, const ViewTransform& view, std::vector<Point2>& out) {
  out.resize(list.size());
  const Matrix3& r = view.rotation();
  const Point& t1 = view.t1();
  const double ox = view.t2().x + view.t3().x, oy = view.t2().y + view.t3().y;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const Point& p = list.end(i);
    const double x = p.x + t1.x, y = p.y + t1.y, z = p.z + t1.z;
    out[i] = {r.m[0][0] * x + r.m[0][1] * y + r.m[0][2] * z + ox,
              r.m[1][0] * x + r.m[1][1] * y + r.m[1][2] * z + oy};
  }
}

void Extent::add(const Point2& p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (empty) {
    min = max = p;
    empty = false;
    return;
  }
  min = {std::min(min.x, p.x), std::min(min.y, p.y)};
  max = {std::max(max.x, p.x), std::max(max.y, p.y)};
}

Extent ViewExtent(std::span<const Point2> points, const ViewTransform& view) {
  Extent e;
  for (const TriadAxis& axis : kAxisTriad) {
    const Point p = view.project(axis.end);
    e.add({p.x, p.y});
  }
  for (const Point2& p : points) e.add(p);
  return e;
}

ScreenMapping::ScreenMapping(int width, int height, double halfRange) {
  const double side = std::max(1, std::min(width, height));
  centreX_ = width / 2.0;
  centreY_ = height / 2.0;
  scale_ = side / (2 * halfRange);
  unzoomedPerPixel_ = 2 * ViewTransform::kDefaultHalfRange / side;
}

}  // namespace ordalis::display
