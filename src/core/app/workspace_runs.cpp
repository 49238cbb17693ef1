// The workspace's long work: the three roads (on the window's thread or a worker), renumbering,
// replace all, and the command line.
#include <utility>

#include "core/app/processing_driver.h"
#include "core/app/settings.h"
#include "core/app/workspace.h"
#include "core/common/text.h"
#include "core/texttools/renumber.h"

namespace ordalis::app {

namespace {

constexpr int kMsgNoAptFile = 2002;
constexpr int kMsgStart = 3009, kMsgEnd = 3010, kMsgElapsed = 3011;
constexpr int kMsgReplacements = 604;

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

RunRequest Workspace::request(Road road) const {
  RunRequest r;
  r.road = road;
  r.definition = std::make_shared<const ppdef::PostProcessorDefinition>(app_.definition);
  r.aliases = app_.aliases;
  r.texts = app_.strings;
  // The worker must not open a message box itself: an unknown id reads as an empty text there.
  r.texts.setPrompt(nullptr);
  r.aptPath = aptPath_;
  return r;
}

bool Workspace::readyToConvert() {
  if (running()) return false;
  if (!aptPath_.empty()) return true;
  app_.message(kMsgNoAptFile);
  return false;
}

bool Workspace::convertFromText() {
  if (!readyToConvert() || !keepHandEdits(Pane::kIso)) return false;
  aptPane_.select(0, 0);
  writing_ = true;
  isoPane_.clear();
  writing_ = false;
  setIsoChanged(false);
  RunRequest r = request(Road::kText);
  r.snapshot = SnapshotFromCaret(aptPane_);
  startRun(Road::kText, std::move(r));
  return true;
}

bool Workspace::convertDirectly() {
  if (!readyToConvert()) return false;
  if (proposedIsoName_.empty()) {
    const ppdef::PostProcessorDefinition& def = app_.definition;
    proposedIsoName_ =
        def.Repertoire_ISO + IsoFileName(common::PathPart(aptPath_, 2), def.EXTENSION_ISO_FILE);
  }
  const std::string path = prompt_.chooseSavePath(proposedIsoName_, isoFilter());
  return !path.empty() && convertDirectlyTo(path);
}

bool Workspace::convertDirectlyTo(const std::string& isoPath) {
  if (running() || aptPath_.empty() || !keepHandEdits(Pane::kIso)) return false;
  isoPath_ = isoPath;
  app_.log.clear();
  RunRequest r = request(Road::kFile);
  r.isoPath = isoPath;
  startRun(Road::kFile, std::move(r));
  return true;
}

bool Workspace::display() {
  if (running()) return false;
  RunRequest r = request(Road::kDisplay);
  r.snapshot = SnapshotForDisplay(aptPane_);
  startRun(Road::kDisplay, std::move(r));
  return true;
}

void Workspace::startRun(Road road, RunRequest r) {
  stop_.clear();
  running_ = Running{road, std::chrono::steady_clock::now()};
  if (road != Road::kDisplay) app_.message(kMsgStart, " " + TimeOfDay());
  observer_.runStarted(road);
  auto post = [this](RunBatch&& batch) { queue_.post(std::move(batch)); };
  if (threaded_) {
    worker_ = std::thread(
        [this, r = std::move(r), post]() mutable { ExecuteRun(std::move(r), stop_, post); });
    return;
  }
  ExecuteRun(std::move(r), stop_, post);
  deliver();
}

void Workspace::deliver() {
  for (const RunBatch& batch : queue_.take()) applyBatch(batch);
}

void Workspace::finishRun() {
  while (running()) {
    queue_.wait(std::chrono::milliseconds(100));
    deliver();
  }
}

void Workspace::applyBatch(const RunBatch& batch) {
  if (!running_) return;
  writing_ = true;
  ApplyToPanes(batch, aptPane_, isoPane_);
  writing_ = false;
  ApplyMessages(batch, app_.log, prompt_);
  if (batch.progress) observer_.runProgress(*batch.progress, SecondsSince(running_->started));
  if (batch.result) endRun(*batch.result);
}

void Workspace::endRun(const RunResult& result) {
  if (worker_.joinable()) worker_.join();
  const Running run = *running_;
  running_.reset();
  switch (run.road) {
    case Road::kText:
      aptPane_.setSelStart(aptPane_.lineStart(result.nextLine));
      if (result.outcome == RunOutcome::kMarkedLine) common::SelectCurrentLine(aptPane_);
      break;
    case Road::kFile:
      // A stopped or refused run wrote nothing: the pane keeps what it showed.
      if (result.outcome != RunOutcome::kRefused && result.outcome != RunOutcome::kStopped) {
        loadInto(Pane::kIso, isoPath_);
      }
      break;
    case Road::kDisplay:
      if (result.moves) observer_.toolpathReady(result.moves);
      break;
  }
  if (run.road != Road::kDisplay) {
    app_.message(kMsgEnd, " " + TimeOfDay());
    app_.message(kMsgElapsed, " " + FormatElapsed(std::chrono::steady_clock::now() - run.started));
  }
  showTools(result.tools);
  lastOutcome_ = result.outcome;
  observer_.runFinished(run.road, result.outcome);
}

void Workspace::showTools(const tools::ToolTable& table) {
  tools_ = table;
  if (toolTree_.update(tools_)) observer_.toolTreeChanged(toolTree_);
}

bool Workspace::renumber() {
  if (running()) return false;
  const ppdef::PostProcessorDefinition& def = app_.definition;
  const auto began = std::chrono::steady_clock::now();
  common::ProgressReporter progress(
      [&](const common::Progress& p) { observer_.runProgress(p, SecondsSince(began)); });
  writing_ = true;
  const bool done = texttools::Renumber(
      isoPane_, texttools::RenumberFormat{def.FORMAT_PP_N, def.PP_SPACE}, stop_, progress);
  writing_ = false;
  // The renumbered text is the user's work until it is saved.
  setIsoChanged(true);
  observer_.textToolFinished(done);
  return done;
}

bool Workspace::findNext(const std::string& text, const texttools::SearchOptions& options) {
  return search_.findNext(active_ == Pane::kApt ? aptPane_ : isoPane_, text, options);
}

std::size_t Workspace::replaceAll(const std::string& text, const std::string& replacement,
                                  const texttools::SearchOptions& options) {
  if (running()) return 0;
  const auto began = std::chrono::steady_clock::now();
  common::ProgressReporter progress(
      [&](const common::Progress& p) { observer_.runProgress(p, SecondsSince(began)); });
  common::TextPane& pane = active_ == Pane::kApt ? aptPane_ : isoPane_;
  writing_ = true;
  const texttools::ReplaceAllResult result =
      search_.replaceAll(pane, text, replacement, options, stop_, progress);
  writing_ = false;
  if (result.replacements > 0) paneEdited(active_);
  prompt_.inform(kMsgReplacements, std::to_string(result.replacements));
  observer_.textToolFinished(!result.stopped);
  return result.replacements;
}

std::vector<std::string> Workspace::takeIniOption(const std::vector<std::string>& args,
                                                  std::string& ini) {
  std::vector<std::string> words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--ini" && i + 1 < args.size()) {
      ini = args[++i];
    } else {
      words.push_back(args[i]);
    }
  }
  return words;
}

RunOutcome Workspace::convertForCommandLine(const std::string& aptPath,
                                            const std::string& isoPath) {
  if (!openAptFile(aptPath)) return RunOutcome::kRefused;
  // The command line's conversions follow one another: each is over before the next word.
  const bool threaded = threaded_;
  threaded_ = false;
  const bool started = convertDirectlyTo(isoPath);
  threaded_ = threaded;
  return started ? lastOutcome_ : RunOutcome::kRefused;
}

void Workspace::treatCommandLine(const std::vector<std::string>& words) {
  if (words.empty()) return;
  bool converted = false;
  CommandLineHooks hooks;
  hooks.definitionLoaded = [this](const std::string&) { observer_.titleChanged(title()); };
  hooks.convert = [&](const std::string& aptPath, const std::string& isoPath) {
    converted = true;
    return convertForCommandLine(aptPath, isoPath);
  };
  const CommandLineStatus status = TreatCommandWords(app_, words, "", hooks);
  if (converted && closeAfterRun_) observer_.closeRequested(static_cast<int>(status));
}

}  // namespace ordalis::app
