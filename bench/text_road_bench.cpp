// make bench: the text road on memory panes (the APT pane's text converted into the ISO pane,
// each statement coloured), the same loop a window runs on its worker. The time is the best of
// three in CPU seconds, so that work on the other core does not count.
//   bench_text_road APT_FILE PPC_FILE
#include <cstdio>
#include <ctime>
#include <string>

#include "core/app/context.h"
#include "core/app/processing_driver.h"
#include "core/common/memory_text_pane.h"
#include "core/common/message_log.h"
#include "core/common/user_prompt.h"
#include "core/ppdef/definition_file.h"

int main(int argc, char** argv) {
  using namespace ordalis;
  if (argc < 3) {
    std::fputs("usage: bench_text_road APT_FILE PPC_FILE\n", stderr);
    return 2;
  }
  common::VectorLog log;
  common::RecordingPrompt prompt;
  app::AppContext app(log, prompt);
  ppdef::LoadDefinition(argv[2], app.definition, prompt);
  common::MemoryTextPane aptPane;
  if (!aptPane.load(argv[1])) return 1;
  common::MemoryTextPane isoPane;
  const common::StopFlag stop;
  double best = 1e9;
  std::size_t statements = 0;
  for (int round = 0; round < 3; ++round) {
    aptPane.select(0, 0);
    const std::clock_t start = std::clock();
    app::ConvertAptText(app, argv[1], aptPane, isoPane, stop);
    const double s = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    if (s < best) best = s;
    statements = aptPane.lineCount() - 1;
  }
  if (best <= 0) best = 1e-6;
  std::printf("text road (memory pane): %zu statements, %.3f s, %.0f statements/s\n", statements,
              best, static_cast<double>(statements) / best);
  return 0;
}
