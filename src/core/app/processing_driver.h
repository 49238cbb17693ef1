#pragma once
// The three roads of a conversion, each a source and a sink around the one run loop (run.h):
// the file road (APT file to ISO file), the text road (APT pane to ISO pane) and the display road
// (APT text to the moves of the toolpath display); and the timing messages around a command.

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/block_sink.h"
#include "core/app/context.h"
#include "core/app/run.h"
#include "core/app/run_batch.h"
#include "core/common/stop_flag.h"
#include "core/common/text_pane.h"
#include "core/display/move_events.h"
#include "core/iso/run_context.h"

namespace ordalis::app {

/// The file road's names: `PP_FILE` and `PP_NCFILE` of an output path (C:\nc\part1.nc gives part1
/// and part1.nc).
RunOptions FileRoadOptions(std::string_view isoPath, const apt::AliasTable* aliases);
/// The text and display roads' names: `PP_FILE` the APT file's base name, `PP_NCFILE`
/// `Repertoire_ISO` + that name + `EXTENSION_ISO_FILE`.
RunOptions PaneRoadOptions(Road road, std::string_view aptPath,
                           const ppdef::PostProcessorDefinition& def,
                           const apt::AliasTable* aliases);

/// The file road: the APT file into the ISO file (written under a temporary name, renamed at the
/// end). kRefused, nothing written, when the APT path is empty or names no file (nothing logged),
/// names the output itself, or when the output cannot be written (logged, the earlier ISO file
/// untouched). A stopped run writes nothing (D35); an interrupted one keeps its output without the
/// end template (D27).
RunOutcome ConvertAptFile(iso::RunContext& ctx, const std::string& aptPath,
                          const std::string& isoPath, RunObserver& observer,
                          const apt::AliasTable* aliases);
/// The same with the application's definition, log and aliases (the batch program, tests).
RunOutcome ConvertAptFile(AppContext& app, const std::string& aptPath, const std::string& isoPath);

/// The file road's run on APT text in memory into any sink, with the output names of `isoPath`.
RunOutcome ConvertStatements(AppContext& app, std::string_view aptText, BlockSink& sink,
                             std::string_view isoPath = {});

/// What the text and display roads read of a pane, copied on the pane's thread: its text, from the
/// start of the caret's line, and its marked lines.
struct PaneSnapshot {
  std::string text;
  std::size_t offset = 0;     // where the caret's line starts
  std::size_t firstLine = 0;  // the caret's line
  std::vector<std::size_t> markedLines;
};
PaneSnapshot SnapshotFromCaret(const common::TextPane& pane);
/// The whole lines a selection of 2 characters or more touches (the Display command), else the
/// whole text; no marks.
PaneSnapshot SnapshotForDisplay(const common::TextPane& pane);

/// The text road on a snapshot: statement colours and ISO text go into `out`'s batches, from the
/// snapshot's first line; `nextLine` receives the line after the last statement (the marked line
/// when the run stopped at one).
RunOutcome ConvertText(iso::RunContext& ctx, PaneSnapshot snapshot, const RunOptions& options,
                       BatchWriter& out, std::size_t& nextLine);
/// The text road on the window's thread: the ISO pane is emptied, the APT pane is read from the
/// caret's line and coloured, the caret ends at the start of the line after the last statement
/// (on the marked line when the run stopped there).
RunOutcome ConvertAptText(AppContext& app, const std::string& aptPath, common::TextPane& aptPane,
                          common::TextPane& isoPane, const common::StopFlag& stop);

/// The display road on a snapshot: each statement's moves go to `events`.
RunOutcome SimulateApt(iso::RunContext& ctx, PaneSnapshot snapshot, const RunOptions& options,
                       display::MoveEvents& events, RunObserver& observer);

/// Base name + extension, with a "." put between them when the extension has none.
std::string IsoFileName(std::string_view baseName, std::string_view extension);

/// Time of day as "hh:mm:ss" (local time).
std::string TimeOfDay();
/// Elapsed time as "hh:mm:ss".
std::string FormatElapsed(std::chrono::steady_clock::duration elapsed);

/// Logs text 3009 with the time of day, runs `run`, then texts 3010 (time of day) and 3011 (elapsed
/// "hh:mm:ss"). Returns what `run` returned.
RunOutcome RunTimed(common::MessageLog& log, const std::function<RunOutcome()>& run);

}  // namespace ordalis::app
