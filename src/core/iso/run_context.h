#pragma once
// What one run owns: the run-time state, the tool table of the program being converted, why the
// run stopped, and the references it reads (the definition, a snapshot that the run never writes)
// and reports through (log, prompt, the user's stop flag). A run on another thread has a context
// of its own; nothing here lives once per application.

#include <cstdint>
#include <string_view>

#include "core/common/message_log.h"
#include "core/common/stop_flag.h"
#include "core/common/user_prompt.h"
#include "core/iso/run_state.h"
#include "core/ppdef/definition.h"
#include "core/tools/tool_table.h"

namespace ordalis::iso {

/// Why a run stopped before the end of its source.
enum class RunStop : std::uint8_t {
  kNone,          // it goes on
  kUser,          // the stop flag (Escape, a Cancel button)
  kUnknownCycle,  // a CYCLE word the post-processor does not know
  kRule,          // a machine-safety rule (a tool axis the machine cannot take, an orientation no
                  // solution reaches, a surface speed without its codes)
};

class RunContext {
 public:
  /// `definition`, `log`, `prompt`, `texts` and `stop` must outlive the context.
  RunContext(const ppdef::PostProcessorDefinition& definition, common::MessageLog& log,
             common::UserPrompt& prompt, const common::MessageTexts& texts,
             const common::StopFlag& stop)
      : definition(definition), log(log), prompt(prompt), texts(texts), stopFlag(stop) {}

  /// The definition as the run started with it (D29: SEQNO and the like change the state only).
  const ppdef::PostProcessorDefinition& definition;
  RunState state;
  tools::ToolTable tools;
  common::MessageLog& log;
  common::UserPrompt& prompt;
  /// For the few messages that join two catalogue texts.
  const common::MessageTexts& texts;

  /// Logs the catalogue text of `id` followed by `detail`.
  void message(int id, std::string_view detail = {}, int level = 0) { log.log(id, detail, level); }
  /// Stops the run after the current statement (its output is written first).
  void stopRun(RunStop why) {
    if (stop_ == RunStop::kNone) stop_ = why;
  }
  /// Why the run stops: a handler's reason, else the user's request, else kNone.
  RunStop stopReason() const {
    if (stop_ != RunStop::kNone) return stop_;
    return stopFlag.requested() ? RunStop::kUser : RunStop::kNone;
  }
  bool stopping() const { return stopReason() != RunStop::kNone; }
  /// Forgets a handler's reason to stop (a test that goes on after it).
  void clearStop() { stop_ = RunStop::kNone; }
  /// Starts a run: state and tool table back to their start, no stop.
  void reset() {
    tools.reset();
    state.reset(definition);
    stop_ = RunStop::kNone;
  }

 private:
  const common::StopFlag& stopFlag;
  RunStop stop_ = RunStop::kNone;
};

}  // namespace ordalis::iso
