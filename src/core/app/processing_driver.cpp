#include "core/app/processing_driver.h"

#include <ctime>
#include <exception>
#include <filesystem>
#include <system_error>

#include "core/app/message_log.h"
#include "core/app/text_pane.h"
#include "core/apt/dispatcher.h"
#include "core/apt/statement_reader.h"
#include "core/common/text.h"
#include "core/iso/block_generator.h"
#include "core/iso/template_engine.h"
#include "core/ppdef/definition_ranges.h"

namespace ordalis::app {

namespace {

// Technical messages that the catalogue has no text for.
constexpr std::string_view kWriteError = "Error writing file: ";
constexpr std::string_view kReadError = "Error reading file: ";
constexpr std::string_view kSameFileError = "The output would replace the APT file: ";

constexpr int kMsgBeyondRange = 2150;

// Everything a run must not inherit from the previous one.
void StartRun(Context& ctx) {
  ctx.tools.reset();
  ctx.interrupt = false;
  ctx.state.reset(ctx.definition);
  for (const std::string_view key : ppdef::KeysBeyondRange(ctx.definition)) {
    ctx.message(kMsgBeyondRange, std::string(" ").append(key));
  }
}

// The statement loop shared by the file roads. Returns true when it ran to the end of the source,
// false when the interrupt flag stopped it.
bool RunStatements(Context& ctx, iso::TemplateEngine& engine, apt::LineSource& source,
                   BlockSink& sink) {
  apt::StatementReader reader(source);
  apt::Dispatcher dispatcher(apt::HandlerContext{ctx, engine}, &ctx.aliases);
  iso::BlockGenerator generator(ctx, engine);
  std::string statement;
  std::string blocks;
  while (reader.next(statement)) {
    dispatcher.dispatch(statement);
    generator.generate(blocks);
    if (!blocks.empty()) sink.writeLine(blocks);
    if (ctx.interrupt) return false;
  }
  return true;
}

// The start template, the statements and (unless interrupted) the end template.
void RunFramed(Context& ctx, apt::LineSource& source, BlockSink& sink) {
  iso::TemplateEngine engine(ctx.definition, ctx.state, ctx.tools);
  std::string start = engine.expandFull(ctx.definition.PP_DEBUT);
  if (!start.empty()) sink.writeLine(start);
  if (RunStatements(ctx, engine, source, sink)) {
    std::string end = engine.expandFull(ctx.definition.PP_FIN);
    if (!end.empty()) sink.writeLine(end);
  }
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

void TwoDigits(std::string& out, long long value) {
  out += static_cast<char>('0' + (value / 10) % 10);
  out += static_cast<char>('0' + value % 10);
}

// Lines of the APT pane from the caret on. Each line read is selected, so the pane shows where the
// run is; the driver then selects the whole statement it came from.
class PaneLineSource : public apt::LineSource {
 public:
  explicit PaneLineSource(TextPane& pane) : pane_(pane), next_(pane.selStart()) {}

  bool nextLine(std::string& line) override {
    if (next_ > pane_.length()) return false;
    pane_.setSelStart(next_);
    selectCurrentLine(pane_);
    if (!inStatement_) {
      first_ = pane_.selStart();
      inStatement_ = true;
    }
    end_ = pane_.selStart() + pane_.selLength();
    next_ = end_ + 2;
    line = pane_.selText();
    return true;
  }
  /// Selects the lines of the statement just read and starts the next one.
  void selectStatement() {
    pane_.select(first_, end_ - first_);
    inStatement_ = false;
  }
  /// True when the line at the caret carries the mark that stops a run.
  bool atMarkedLine() {
    if (next_ > pane_.length()) return false;
    pane_.setSelStart(next_);
    selectCurrentLine(pane_);
    return pane_.selBullet();
  }

 private:
  TextPane& pane_;
  std::size_t next_;
  std::size_t first_ = 0;
  std::size_t end_ = 0;
  bool inStatement_ = false;
};

void AppendToPane(TextPane& pane, std::string_view text, std::uint32_t colour, bool lineBreak) {
  pane.setSelStart(pane.length());
  pane.setSelColor(colour);
  pane.setSelText(text);
  if (lineBreak) pane.setSelText("\r\n");
}

}  // namespace

bool ConvertAptText(Context& ctx, TextPane& aptPane, TextPane& isoPane,
                    const std::function<void()>& processEvents) {
  StartRun(ctx);
  aptPane.setSelLength(0);
  isoPane.clear();
  const ppdef::PostProcessorDefinition& def = ctx.definition;
  ctx.state.fileBase = common::PathPart(ctx.aptPath, 2);
  ctx.state.ncFile = def.Repertoire_ISO + IsoFileName(ctx.state.fileBase, def.EXTENSION_ISO_FILE);

  iso::TemplateEngine engine(ctx.definition, ctx.state, ctx.tools);
  apt::Dispatcher dispatcher(apt::HandlerContext{ctx, engine}, &ctx.aliases);
  iso::BlockGenerator generator(ctx, engine);
  const std::string start = engine.expandFull(def.PP_DEBUT);
  if (!start.empty()) AppendToPane(isoPane, start, 0, true);

  PaneLineSource source(aptPane);
  apt::StatementReader reader(source);
  std::string statement;
  const auto cycleFirst = static_cast<std::uint32_t>(def.colour(ppdef::Colour::CycleFirstPt));
  const auto cycle = static_cast<std::uint32_t>(def.colour(ppdef::Colour::Cycle));
  for (;;) {
    if (source.atMarkedLine()) {
      ctx.message(2112);
      return false;
    }
    if (!reader.next(statement)) break;
    const auto colour = static_cast<std::uint32_t>(dispatcher.dispatch(statement));
    source.selectStatement();
    aptPane.setSelColor(colour);
    aptPane.setSelStart(aptPane.selStart() + aptPane.selLength() + 2);
    const std::string blocks = generator.generate();
    if (!blocks.empty()) AppendToPane(isoPane, blocks, colour == cycleFirst ? cycle : colour, true);
    if (processEvents) processEvents();
    if (ctx.interrupt) break;
  }
  const std::string end = engine.expandFull(def.PP_FIN);
  if (!end.empty()) AppendToPane(isoPane, end, 0, false);
  return true;
}

void SetOutputNames(Context& ctx, std::string_view isoPath) {
  ctx.state.fileBase = common::PathPart(isoPath, 2);
  ctx.state.ncFile = ctx.state.fileBase + common::PathPart(isoPath, 3);
}

std::string IsoFileName(std::string_view baseName, std::string_view extension) {
  std::string name(baseName);
  if (!extension.empty() && extension.front() != '.') name += '.';
  name.append(extension);
  return name;
}

void ConvertStatements(Context& ctx, std::string_view aptText, BlockSink& sink) {
  StartRun(ctx);
  apt::StringLineSource source{std::string(aptText)};
  RunFramed(ctx, source, sink);
}

bool ConvertAptFile(Context& ctx, const std::string& aptPath, const std::string& isoPath) {
  if (aptPath.empty() || !common::FileExists(aptPath)) return false;
  const std::string target = common::NativePath(isoPath);
  if (SameFile(common::NativePath(aptPath), target)) {
    ctx.log.log(std::string(kSameFileError) + isoPath);
    return false;
  }
  StartRun(ctx);
  apt::FileLineSource source(common::NativePath(aptPath));
  if (!source.isOpen()) return false;
  FileBlockSink sink(target);
  if (!sink.isOpen()) {
    ctx.log.log(std::string(kWriteError) + isoPath);
    return false;
  }
  SetOutputNames(ctx, isoPath);
  try {
    RunFramed(ctx, source, sink);
  } catch (const std::exception&) {
    sink.abandon();
    ctx.log.log("Error in Function ConvertAptFile");
    return false;
  }
  if (source.failed()) {
    sink.abandon();
    ctx.log.log(std::string(kReadError) + aptPath);
    return false;
  }
  if (!sink.commit()) {
    ctx.log.log(std::string(kWriteError) + isoPath);
    return false;
  }
  return true;
}

std::string TimeOfDay() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  std::string out;
  if (!local) return "00:00:00";
  TwoDigits(out, local->tm_hour);
  out += ':';
  TwoDigits(out, local->tm_min);
  out += ':';
  TwoDigits(out, local->tm_sec);
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

bool RunTimed(Context& ctx, const std::function<bool()>& run) {
  const auto start = std::chrono::steady_clock::now();
  ctx.message(3009, " " + TimeOfDay());
  const bool result = run();
  ctx.message(3010, " " + TimeOfDay());
  ctx.message(3011, " " + FormatElapsed(std::chrono::steady_clock::now() - start));
  return result;
}

}  // namespace ordalis::app
