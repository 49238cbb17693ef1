// make bench: building the toolpath display's moves. "display build" is what the user waits for
// after Display: the display road run over an APT text (reading, interpreting, the moves), the
// text taken from a file first as the APT pane would hold it. "display builder" is the move list
// alone on synthetic moves, to tell the builder's share from the interpretation's. Both print the
// bytes the move list keeps per move.
//   bench_display_build APT_FILE PPC_FILE [MOVES]
//   bench_display_build MOVES
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "bench/display_bench_moves.h"
#include "core/app/context.h"
#include "core/app/run_job.h"
#include "core/common/message_log.h"
#include "core/common/user_prompt.h"
#include "core/ppdef/definition_file.h"

namespace {

using namespace ordalis;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Report(const char* label, const display::MoveList& list, double seconds) {
  std::printf("%s: %zu moves, %.2f s, %.0f moves/s, %.1f bytes/move\n", label, list.size(), seconds,
              static_cast<double>(list.size()) / seconds,
              static_cast<double>(list.memoryBytes()) / static_cast<double>(list.size()));
}

int BuilderOnly(std::size_t moves) {
  const bench::SyntheticProgram program = bench::MakeProgram(moves);
  display::MoveList list;
  display::ToolpathBuilder builder(list, 0.01, {});
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    const auto start = std::chrono::steady_clock::now();
    bench::Build(program, builder);
    best = std::min(best, Seconds(start));
  }
  Report("display builder (moves only)", list, best);
  return 0;
}

int DisplayRoad(const char* aptFile, const char* ppcFile) {
  common::VectorLog log;
  common::RecordingPrompt prompt;
  app::AppContext app(log, prompt);
  ppdef::LoadDefinition(ppcFile, app.definition, prompt);
  std::ifstream in(aptFile, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in) return 1;
  const std::string apt = text.str();
  double best = 1e9;
  std::shared_ptr<const display::MoveList> moves;
  for (int round = 0; round < 2; ++round) {
    app::RunRequest r;
    r.road = app::Road::kDisplay;
    r.definition = std::make_shared<const ppdef::PostProcessorDefinition>(app.definition);
    r.texts = app.strings;
    r.texts.setPrompt(nullptr);
    r.aptPath = aptFile;
    const common::StopFlag stop;
    // The copy of the pane's text is part of the wait: Display takes it on the window's thread.
    const auto start = std::chrono::steady_clock::now();
    r.snapshot.text = apt;
    app::ExecuteRun(std::move(r), stop, [&](app::RunBatch&& batch) {
      if (batch.result) moves = batch.result->moves;
    });
    best = std::min(best, Seconds(start));
  }
  if (!moves) return 1;
  Report("display build", *moves, best);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3) {
    const int status = DisplayRoad(argv[1], argv[2]);
    if (status != 0) return status;
    return argc > 3 ? BuilderOnly(std::strtoul(argv[3], nullptr, 10)) : 0;
  }
  return BuilderOnly(argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000);
}
