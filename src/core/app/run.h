#pragma once
// The one run loop of every road: statements from a line source through dispatcher and block
// generator into a block sink, with an observer that sees each statement. The file road, the text
// road and the display road are three pairs of source and sink; what they do differently when a
// run ends early is EndingOf, and nowhere else.

#include <cstdint>
#include <string>

#include "core/app/block_sink.h"
#include "core/common/progress.h"
#include "core/iso/run_context.h"

namespace ordalis::apt {
class AliasTable;
class LineSource;
}  // namespace ordalis::apt

namespace ordalis::app {

enum class RunOutcome : std::uint8_t {
  kDone,         // the end of the source was reached
  kStopped,      // the user's stop flag (Escape, Cancel)
  kInterrupted,  // an unknown cycle or a stopping rule (D27, D42, D55): the program is incomplete
  kMarkedLine,   // the text road reached a marked line (message 2112)
  kRefused,      // nothing usable came out: no source, or an output that could not be written
};

enum class Road : std::uint8_t {
  kFile,     // APT file to ISO file (convert directly, the command line)
  kText,     // APT pane to ISO pane (convert from the text pane)
  kDisplay,  // APT text to the moves of the toolpath display
};

/// What a road does with a run that ended with `outcome`: the whole of the rules that differ.
struct RunEnding {
  bool endTemplate = false;  // the blocks still owed (a cycle cancel), then PP_FIN
  bool keepOutput = false;   // false: the sink drops what it wrote
};
RunEnding EndingOf(Road road, RunOutcome outcome);

/// Sees every statement of a run; the text road colours the APT pane through it.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  /// The statement on `lines` was converted; `colour` is its colour in the APT pane.
  virtual void statementDone(const StatementLines& /*lines*/, std::int32_t /*colour*/) {}
  /// Called before the first statement, every few hundred statements and once at the end.
  virtual void progress(const common::Progress& /*progress*/) {}
};

struct RunOptions {
  Road road = Road::kFile;
  const apt::AliasTable* aliases = nullptr;  // the CAM dialect (may be null)
  std::string fileBase;                      // PP_FILE
  std::string ncFile;                        // PP_NCFILE
};

/// Runs a whole program: the context is reset (state, tools, stop reason), the start template is
/// written, then each statement is read, dispatched, generated and handed to sink and observer,
/// until the source ends, the text road meets a marked line, or the context stops (a handler's
/// rule, the user's stop flag, polled after every statement). EndingOf says what follows.
/// Returns kRefused, the output dropped, when the source failed to read; kRefused too when the sink
/// could not keep the output.
RunOutcome Run(iso::RunContext& ctx, apt::LineSource& source, BlockSink& sink,
               RunObserver& observer, const RunOptions& options);

/// True for the outcomes after which a program is not complete: kStopped and kInterrupted.
constexpr bool IsIncomplete(RunOutcome outcome) {
  return outcome == RunOutcome::kStopped || outcome == RunOutcome::kInterrupted;
}

}  // namespace ordalis::app
