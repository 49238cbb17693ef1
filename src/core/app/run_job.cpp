#include "core/app/run_job.h"

#include <exception>

#include "core/display/toolpath_builder.h"

namespace ordalis::app {

namespace {

constexpr std::string_view kRunError = "Error in Function ExecuteRun";

/// Hands the run's progress to the batches (the roads that colour no pane).
class ProgressToBatches : public RunObserver {
 public:
  explicit ProgressToBatches(BatchWriter& out) : out_(out) {}
  void progress(const common::Progress& progress) override { out_.progress(progress); }

 private:
  BatchWriter& out_;
};

RunOutcome Display(iso::RunContext& ctx, RunRequest& request, BatchWriter& out, RunResult& result) {
  const ppdef::PostProcessorDefinition& def = *request.definition;
  auto moves = std::make_shared<display::MoveList>();
  display::ToolpathBuilder builder(*moves, def.ToleranceCalcul, display::ArcColoursOf(def));
  builder.start();
  ProgressToBatches observer(out);
  const RunOutcome outcome = SimulateApt(
      ctx, std::move(request.snapshot),
      PaneRoadOptions(Road::kDisplay, request.aptPath, def, &request.aliases), builder, observer);
  builder.finish();
  result.moves = std::move(moves);
  return outcome;
}

RunOutcome RunRoad(iso::RunContext& ctx, RunRequest& request, BatchWriter& out, RunResult& result) {
  const ppdef::PostProcessorDefinition& def = *request.definition;
  switch (request.road) {
    case Road::kFile: {
      ProgressToBatches observer(out);
      return ConvertAptFile(ctx, request.aptPath, request.isoPath, observer, &request.aliases);
    }
    case Road::kText:
      result.nextLine = request.snapshot.firstLine;
      return ConvertText(ctx, std::move(request.snapshot),
                         PaneRoadOptions(Road::kText, request.aptPath, def, &request.aliases), out,
                         result.nextLine);
    case Road::kDisplay:
      return Display(ctx, request, out, result);
  }
  return RunOutcome::kRefused;
}

}  // namespace

void ExecuteRun(RunRequest request, const common::StopFlag& stop, BatchWriter::Deliver deliver) {
  BatchWriter out(std::move(deliver));
  iso::RunContext ctx(*request.definition, out, out, request.texts, stop);
  RunResult result;
  try {
    result.outcome = RunRoad(ctx, request, out, result);
  } catch (const std::exception&) {
    // A worker must not take the program down: the run ends as one that made nothing.
    out.logText(kRunError);
    result.outcome = RunOutcome::kRefused;
  }
  result.tools = std::move(ctx.tools);
  out.flush(std::move(result));
}

}  // namespace ordalis::app
