#include "core/app/processing_driver.h"

#include <ctime>
#include <exception>
#include <filesystem>
#include <system_error>

#include "core/app/display_road.h"
#include "core/app/text_road.h"
#include "core/apt/statement_reader.h"
#include "core/common/text.h"

namespace ordalis::app {

namespace {

// Technical messages that the catalogue has no text for.
constexpr std::string_view kWriteError = "Error writing file: ";
constexpr std::string_view kReadError = "Error reading file: ";
constexpr std::string_view kSameFileError = "The output would replace the APT file: ";
constexpr std::string_view kRunError = "Error in Function ConvertAptFile";

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

void TwoDigits(std::string& out, long long value) {
  out += static_cast<char>('0' + (value / 10) % 10);
  out += static_cast<char>('0' + value % 10);
}

// The file road's loop, guarded: whatever goes wrong, the earlier ISO file stays as it was.
RunOutcome RunToFile(iso::RunContext& ctx, apt::FileLineSource& source, FileBlockSink& sink,
                     RunObserver& observer, const RunOptions& options, const std::string& aptPath) {
  RunOutcome outcome;
  try {
    outcome = Run(ctx, source, sink, observer, options);
  } catch (const std::exception&) {
    sink.abandon();
    ctx.log.logText(kRunError);
    return RunOutcome::kRefused;
  }
  if (source.failed()) ctx.log.logText(std::string(kReadError) + aptPath);
  return outcome;
}

}  // namespace

RunOptions FileRoadOptions(std::string_view isoPath, const apt::AliasTable* aliases) {
  RunOptions options;
  options.road = Road::kFile;
  options.aliases = aliases;
  options.fileBase = common::PathPart(isoPath, 2);
  options.ncFile = options.fileBase + common::PathPart(isoPath, 3);
  return options;
}

RunOptions PaneRoadOptions(Road road, std::string_view aptPath,
                           const ppdef::PostProcessorDefinition& def,
                           const apt::AliasTable* aliases) {
  RunOptions options;
  options.road = road;
  options.aliases = aliases;
  options.fileBase = common::PathPart(aptPath, 2);
  options.ncFile = def.Repertoire_ISO + IsoFileName(options.fileBase, def.EXTENSION_ISO_FILE);
  return options;
}

std::string IsoFileName(std::string_view baseName, std::string_view extension) {
  std::string name(baseName);
  if (!extension.empty() && extension.front() != '.') name += '.';
  name.append(extension);
  return name;
}

RunOutcome ConvertAptFile(iso::RunContext& ctx, const std::string& aptPath,
                          const std::string& isoPath, RunObserver& observer,
                          const apt::AliasTable* aliases) {
  if (aptPath.empty() || !common::FileExists(aptPath)) return RunOutcome::kRefused;
  const std::string target = common::NativePath(isoPath);
  if (SameFile(common::NativePath(aptPath), target)) {
    ctx.log.logText(std::string(kSameFileError) + isoPath);
    return RunOutcome::kRefused;
  }
  apt::FileLineSource source(common::NativePath(aptPath));
  if (!source.isOpen()) return RunOutcome::kRefused;
  FileBlockSink sink(target);
  if (!sink.isOpen()) {
    ctx.log.logText(std::string(kWriteError) + isoPath);
    return RunOutcome::kRefused;
  }
  const RunOutcome outcome =
      RunToFile(ctx, source, sink, observer, FileRoadOptions(isoPath, aliases), aptPath);
  if (outcome == RunOutcome::kRefused && !source.failed()) {
    ctx.log.logText(std::string(kWriteError) + isoPath);
  }
  return outcome;
}

RunOutcome ConvertAptFile(AppContext& app, const std::string& aptPath, const std::string& isoPath) {
  const common::StopFlag neverStops;
  iso::RunContext ctx(app.definition, app.log, app.prompt, app.strings, neverStops);
  RunObserver quiet;
  return ConvertAptFile(ctx, aptPath, isoPath, quiet, &app.aliases);
}

RunOutcome ConvertStatements(AppContext& app, std::string_view aptText, BlockSink& sink,
                             std::string_view isoPath) {
  const common::StopFlag neverStops;
  iso::RunContext ctx(app.definition, app.log, app.prompt, app.strings, neverStops);
  apt::StringLineSource source{std::string(aptText)};
  RunObserver quiet;
  return Run(ctx, source, sink, quiet, FileRoadOptions(isoPath, &app.aliases));
}

PaneSnapshot SnapshotFromCaret(const common::TextPane& pane) {
  PaneSnapshot snapshot;
  snapshot.firstLine = pane.lineOf(pane.selStart());
  snapshot.offset = pane.lineStart(snapshot.firstLine);
  snapshot.text = pane.text();
  snapshot.markedLines = pane.markedLines();
  return snapshot;
}

PaneSnapshot SnapshotForDisplay(const common::TextPane& pane) {
  PaneSnapshot snapshot;
  snapshot.text = pane.text();
  if (pane.selLength() < 2) return snapshot;
  const std::size_t first = pane.lineOf(pane.selStart());
  const std::size_t last = pane.lineOf(pane.selStart() + pane.selLength() - 1);
  const std::size_t begin = pane.lineStart(first);
  snapshot.text = snapshot.text.substr(begin, pane.lineStart(last + 1) - begin);
  snapshot.firstLine = first;
  return snapshot;
}

RunOutcome ConvertText(iso::RunContext& ctx, PaneSnapshot snapshot, const RunOptions& options,
                       BatchWriter& out, std::size_t& nextLine) {
  apt::StringLineSource source(std::move(snapshot.text), snapshot.offset, snapshot.firstLine,
                               std::move(snapshot.markedLines));
  TextRoad road(ctx.definition, out, snapshot.firstLine);
  const RunOutcome outcome = Run(ctx, source, road, road, options);
  nextLine = road.nextLine();
  return outcome;
}

RunOutcome ConvertAptText(AppContext& app, const std::string& aptPath, common::TextPane& aptPane,
                          common::TextPane& isoPane, const common::StopFlag& stop) {
  aptPane.setSelLength(0);
  isoPane.clear();
  std::vector<RunBatch> batches;
  BatchWriter out([&](RunBatch&& batch) { batches.push_back(std::move(batch)); });
  iso::RunContext ctx(app.definition, out, out, app.strings, stop);
  std::size_t nextLine = 0;
  const RunOutcome outcome = ConvertText(
      ctx, SnapshotFromCaret(aptPane),
      PaneRoadOptions(Road::kText, aptPath, app.definition, &app.aliases), out, nextLine);
  out.flush();
  for (const RunBatch& batch : batches) {
    ApplyToPanes(batch, aptPane, isoPane);
    ApplyMessages(batch, app.log, app.prompt);
  }
  aptPane.setSelStart(aptPane.lineStart(nextLine));
  if (outcome == RunOutcome::kMarkedLine) SelectCurrentLine(aptPane);
  return outcome;
}

RunOutcome SimulateApt(iso::RunContext& ctx, PaneSnapshot snapshot, const RunOptions& options,
                       display::MoveEvents& events, RunObserver& observer) {
  apt::StringLineSource source(std::move(snapshot.text), 0, snapshot.firstLine, {});
  DisplaySink sink(events);
  return Run(ctx, source, sink, observer, options);
}

std::string TimeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return "00:00:00";
  std::string out;
  TwoDigits(out, local.tm_hour);
  out += ':';
  TwoDigits(out, local.tm_min);
  out += ':';
  TwoDigits(out, local.tm_sec);
  return out;
}

std::string FormatElapsed(std::chrono::steady_clock::duration elapsed) {
  long long seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
  if (seconds < 0) seconds = 0;
  const long long hours = seconds / 3600;
  std::string out = hours >= 100 ? std::to_string(hours) : std::string();
  if (hours < 100) TwoDigits(out, hours);
  out += ':';
  TwoDigits(out, (seconds / 60) % 60);
  out += ':';
  TwoDigits(out, seconds % 60);
  return out;
}

RunOutcome RunTimed(common::MessageLog& log, const std::function<RunOutcome()>& run) {
  const auto start = std::chrono::steady_clock::now();
  log.log(3009, " " + TimeOfDay());
  const RunOutcome result = run();
  log.log(3010, " " + TimeOfDay());
  log.log(3011, " " + FormatElapsed(std::chrono::steady_clock::now() - start));
  return result;
}

}  // namespace ordalis::app
