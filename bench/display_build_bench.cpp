// make bench: the toolpath display's builder on a million synthetic moves, its speed and the bytes
// the move list keeps per move. The statements are made before the clock starts: in a run they
// come from the reader.
//   bench_display_build [MOVES]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/display_bench_moves.h"

int main(int argc, char** argv) {
  using namespace ordalis;
  const std::size_t moves = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
  const bench::SyntheticProgram program = bench::MakeProgram(moves);
  display::MoveList list;
  display::ToolpathBuilder builder(list, 0.01, {});
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    const auto start = std::chrono::steady_clock::now();
    bench::Build(program, builder);
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (s < best) best = s;
  }
  std::printf("display builder: %zu moves, %.3f s, %.0f moves/s, %.1f bytes/move\n", list.size(),
              best, static_cast<double>(list.size()) / best,
              static_cast<double>(list.memoryBytes()) / static_cast<double>(list.size()));
  return 0;
}
