#include "core/app/run.h"

#include "core/apt/dispatcher.h"
#include "core/apt/statement_reader.h"
#include "core/iso/block_generator.h"
#include "core/iso/template_engine.h"
#include "core/ppdef/definition_ranges.h"

namespace ordalis::app {

namespace {

constexpr int kMsgBeyondRange = 2150;
constexpr int kMsgInterrupted = 2112;  // "Interruption Traitement"
// Progress is worth a report every so many statements; the observer decides when to pass it on.
constexpr std::uint64_t kProgressEvery = 256;

RunOutcome OutcomeOf(iso::RunStop stop) {
  return stop == iso::RunStop::kUser ? RunOutcome::kStopped : RunOutcome::kInterrupted;
}

common::Progress ProgressOf(const apt::LineSource& source, std::uint64_t statements) {
  return common::Progress{source.bytesRead(), source.bytesTotal(), statements, 0};
}

// Everything a run must not inherit from the previous one.
void StartRun(iso::RunContext& ctx, const RunOptions& options) {
  ctx.reset();
  ctx.state.fileBase = options.fileBase;
  ctx.state.ncFile = options.ncFile;
  for (const std::string_view key : ppdef::KeysBeyondRange(ctx.definition)) {
    ctx.message(kMsgBeyondRange, std::string(" ").append(key));
  }
}

struct Stages {
  iso::TemplateEngine& engine;
  apt::Dispatcher& dispatcher;
  iso::BlockGenerator& generator;
};

RunOutcome RunStatements(iso::RunContext& ctx, Stages stages, apt::LineSource& source,
                         BlockSink& sink, RunObserver& observer) {
  apt::StatementReader reader(source);
  std::string statement;
  std::string blocks;
  std::uint64_t count = 0;
  observer.progress(ProgressOf(source, 0));
  for (;;) {
    if (source.nextLineMarked()) {
      ctx.message(kMsgInterrupted);
      return RunOutcome::kMarkedLine;
    }
    const std::size_t first = source.firstLine() + reader.linesRead();
    if (!reader.next(statement)) break;
    const std::int32_t colour = stages.dispatcher.dispatch(statement);
    const StatementLines lines{first, source.firstLine() + reader.linesRead() - 1};
    sink.interpreted(statement, ctx.state, lines);
    stages.generator.generate(blocks);
    sink.writeBlocks(blocks, colour);
    observer.statementDone(lines, colour);
    if (++count % kProgressEvery == 0) observer.progress(ProgressOf(source, count));
    if (ctx.stopping()) {
      observer.progress(ProgressOf(source, count));
      const RunOutcome outcome = OutcomeOf(ctx.stopReason());
      // D35: the user learns why the output is short (a handler's stop has its own message).
      if (outcome == RunOutcome::kStopped) ctx.message(kMsgInterrupted);
      return outcome;
    }
  }
  observer.progress(ProgressOf(source, count));
  return RunOutcome::kDone;
}

}  // namespace

RunEnding EndingOf(Road road, RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kDone:
      return {true, true};
    case RunOutcome::kStopped:
      // D35: a stopped file conversion leaves the earlier file; the text road keeps what it made.
      return {road == Road::kText, road != Road::kFile};
    case RunOutcome::kInterrupted:
      // The file road keeps an interrupted program without its end (D27), so that nobody mistakes
      // it for a whole one; the text road frames what it shows.
      return {road == Road::kText, true};
    case RunOutcome::kMarkedLine:
      return {false, true};
    case RunOutcome::kRefused:
      break;
  }
  return {false, false};
}

RunOutcome Run(iso::RunContext& ctx, apt::LineSource& source, BlockSink& sink,
               RunObserver& observer, const RunOptions& options) {
  StartRun(ctx, options);
  iso::TemplateEngine engine(ctx.definition, ctx.state, ctx.tools);
  apt::Dispatcher dispatcher(apt::HandlerContext{ctx, engine}, options.aliases);
  iso::BlockGenerator generator(ctx, engine);
  const std::string start = engine.expandFull(ctx.definition.PP_DEBUT);
  if (!start.empty()) sink.writeLine(start);

  RunOutcome outcome =
      RunStatements(ctx, Stages{engine, dispatcher, generator}, source, sink, observer);
  // A program cut short by a read error must not stand as a whole one.
  if (source.failed()) outcome = RunOutcome::kRefused;
  const RunEnding ending = EndingOf(options.road, outcome);
  if (ending.endTemplate) {
    // A cycle the program never cancelled ends before the program does.
    const std::string owed = generator.finishRun();
    if (!owed.empty()) sink.writeLine(owed);
    const std::string end = engine.expandFull(ctx.definition.PP_FIN);
    if (!end.empty()) sink.writeLine(end);
  }
  if (!sink.finish(ending.keepOutput)) return RunOutcome::kRefused;
  return outcome;
}

}  // namespace ordalis::app
