#pragma once
// The synthetic toolpath of the display benchmarks: the random walk of gen_apt.awk (steps of up to
// one unit in X and Y, Z between -2 and 2), a statement per move, an info line every 1000 moves.

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/display/toolpath_builder.h"

namespace ordalis::bench {

struct SyntheticProgram {
  std::vector<display::Point> points;
  std::string texts;                // the statements, one after the other
  std::vector<std::size_t> starts;  // where each one starts in `texts`
};

inline SyntheticProgram MakeProgram(std::size_t moves) {
  SyntheticProgram p;
  std::mt19937 random(17);
  std::uniform_real_distribution<double> step(-1, 1), height(-2, 2);
  double x = 0, y = 0;
  char line[96];
  p.points.reserve(moves);
  p.starts.reserve(moves + 1);
  for (std::size_t i = 0; i < moves; ++i) {
    x += step(random);
    y += step(random);
    const double z = height(random);
    p.points.push_back({x, y, z});
    p.starts.push_back(p.texts.size());
    const int n = std::snprintf(line, sizeof line, "GOTO/%.4f,%.4f,%.4f", x, y, z);
    p.texts.append(line, static_cast<std::size_t>(n));
  }
  p.starts.push_back(p.texts.size());
  return p;
}

/// Builds the moves of `program` as the display road's sink will: a statement, then its move.
inline void Build(const SyntheticProgram& program, display::ToolpathBuilder& builder) {
  builder.start();
  const std::string_view texts = program.texts;
  for (std::size_t i = 0; i < program.points.size(); ++i) {
    builder.beginStatement(
        texts.substr(program.starts[i], program.starts[i + 1] - program.starts[i]),
        static_cast<std::int32_t>(i));
    builder.addLinear(i % 50 == 0 ? display::LinearMotion::Rapid : display::LinearMotion::Feed,
                      program.points[i]);
    if (i % 1000 == 0) builder.appendInfo("F2500");
  }
  builder.finish();
}

}  // namespace ordalis::bench
