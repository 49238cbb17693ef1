// make bench: redrawing the toolpath display offscreen, as every mouse move of a rotation does
// (projection and painting), in a 1000 x 1000 view of the isometric fit; then the same while a
// drag turns the view, when a huge toolpath is drawn thinned.
//   bench_display_redraw [MOVES...]
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/display_bench_moves.h"
#include "core/display/projection.h"
#include "ui/display/toolpath_painter.h"

namespace {

double RedrawMilliseconds(std::size_t moves, bool dragging) {
  using namespace ordalis;
  const bench::SyntheticProgram program = bench::MakeProgram(moves);
  display::MoveList list;
  display::ToolpathBuilder builder(list, 0.01, {});
  bench::Build(program, builder);

  display::ViewTransform view;
  view.setStandardView(display::StandardView::Isometric);
  std::vector<display::Point2> points;
  display::ProjectMoves(list, view, points);
  const display::Extent e = display::ViewExtent(points, view);
  view.fit(e.min, e.max);

  QImage image(1000, 1000, QImage::Format_RGB32);
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    view.rotate(0.5, 0.25);  // a small turn, as between two mouse events
    const auto start = std::chrono::steady_clock::now();
    display::ProjectMoves(list, view, points);
    QPainter painter(&image);
    ui::ToolpathPicture picture;
    picture.list = &list;
    picture.points = points;
    picture.view = &view;
    if (dragging) picture.stride = ui::DragStride(list.size());
    ui::PaintToolpath(painter, image.size(), picture);
    painter.end();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (ms < best) best = ms;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::vector<std::size_t> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::strtoul(argv[i], nullptr, 10));
  if (counts.empty()) counts = {200000, 1000000};
  for (const std::size_t n : counts) {
    std::printf("display redraw: %zu moves, %.0f ms\n", n, RedrawMilliseconds(n, false));
  }
  // A turn or a pan draws a thinned path until the mouse lets go.
  for (const std::size_t n : counts) {
    std::printf("display redraw while dragging: %zu moves, %.0f ms\n", n,
                RedrawMilliseconds(n, true));
  }
  return 0;
}
