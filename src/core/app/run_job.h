#pragma once
// One run over snapshots of its input, so that it can go on a worker thread while the window
// stays free: the definition, the aliases and the texts are copies, the APT text is a copy of the
// pane's. Everything it produces leaves as batches through `deliver`, the last one with the result.

#include <memory>
#include <string>

#include "core/app/processing_driver.h"
#include "core/app/run.h"
#include "core/app/run_batch.h"
#include "core/apt/alias_table.h"
#include "core/common/stop_flag.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition.h"

namespace ordalis::app {

struct RunRequest {
  Road road = Road::kFile;
  std::shared_ptr<const ppdef::PostProcessorDefinition> definition;
  apt::AliasTable aliases;
  l10n::Strings texts;
  std::string aptPath;    // file road: read from; text and display roads: names the output
  std::string isoPath;    // file road only
  PaneSnapshot snapshot;  // text and display roads
};

/// Runs the request on the calling thread; every batch, the last with the RunResult, goes to
/// `deliver`. `stop` is polled after every statement.
void ExecuteRun(RunRequest request, const common::StopFlag& stop, BatchWriter::Deliver deliver);

}  // namespace ordalis::app
