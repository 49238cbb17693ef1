// make bench: the APT and ISO pane over its Qt widget, offscreen. Opening a large APT file,
// appending coloured ISO blocks as the text road does, renumbering them.
//   bench_text_pane FILE.apt
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "core/texttools/renumber.h"
#include "ui/app/qt_text_pane.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Processor time too: on a machine shared with other work the wall time says little alone.
struct Timer {
  Clock::time_point wall = Clock::now();
  std::clock_t cpu = std::clock();
  void print(const char* what) const {
    std::printf("%s, %.2f s (cpu %.2f s)\n", what, Seconds(wall),
                static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
  }
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_text_pane FILE.apt\n");
    return 2;
  }
  ordalis::ui::QtTextPane pane;
  pane.resize(900, 700);
  pane.show();
  QApplication::processEvents();

  Timer timer;
  if (!pane.load(argv[1])) return 1;
  QApplication::processEvents();  // the first paint is part of opening
  std::string label = "text pane open: " + std::to_string(pane.lineCount()) + " lines";
  timer.print(label.c_str());

  constexpr int kBlocks = 100000;
  std::vector<std::string> blocks;
  std::vector<ordalis::common::ColouredText> pieces;
  blocks.reserve(kBlocks);
  for (int i = 0; i < kBlocks; ++i) {
    blocks.push_back("N" + std::to_string(10 * (i + 1)) + " G1 X" + std::to_string(i % 200) +
                     ".500 Y" + std::to_string(i % 77) + ".250 Z-1.000\r\n");
  }
  for (int i = 0; i < kBlocks; ++i) {
    pieces.push_back({blocks[i], static_cast<std::uint32_t>(0x102030 * (i % 5))});
  }
  pane.clear();
  timer = Timer();
  // As the text road posts them: a batch at a time, the window painting in between.
  constexpr int kBatch = 1000;
  for (int i = 0; i < kBlocks; i += kBatch) {
    pane.appendText(std::span(pieces).subspan(i, kBatch));
    QApplication::processEvents();
  }
  timer.print("text pane append: 100000 coloured blocks");

  timer = Timer();
  ordalis::common::StopFlag stop;
  ordalis::common::ProgressReporter progress(
      [](const ordalis::common::Progress&) { QApplication::processEvents(); });
  ordalis::texttools::Renumber(pane, {"N#0", " "}, stop, progress);
  label = "text pane renumber: " + std::to_string(pane.lineCount()) + " lines";
  timer.print(label.c_str());
  return 0;
}
