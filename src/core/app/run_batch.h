#pragma once
// What a run hands to the window, in batches: the colours of converted APT statements, the ISO text
// with its colours, messages and message boxes as records, progress, and at the end the result.
// A run on a worker thread posts its batches to a BatchQueue; the window's thread takes them and
// applies them (Workspace::deliver), so no widget is touched off its thread.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/app/run.h"
#include "core/common/message_log.h"
#include "core/common/progress.h"
#include "core/common/text_pane.h"
#include "core/common/user_prompt.h"
#include "core/display/move_list.h"
#include "core/tools/tool_table.h"

namespace ordalis::app {

/// A piece of the batch's ISO text: it ends at `end` (offset in isoText) and takes `colour`.
struct IsoPiece {
  std::size_t end = 0;
  std::uint32_t colour = 0;
};

/// How a run ended, with what the window shows of it afterwards.
struct RunResult {
  RunOutcome outcome = RunOutcome::kDone;
  tools::ToolTable tools;    // the tools of the program, for the tool tree
  std::size_t nextLine = 0;  // text road: the line after the last statement, or the marked line
  std::shared_ptr<const display::MoveList> moves;  // display road
};

struct RunBatch {
  std::vector<common::LineColour> aptColours;
  std::string isoText;
  std::vector<IsoPiece> isoPieces;
  std::vector<common::LogRecord> messages;
  std::vector<common::LogRecord> prompts;
  std::optional<common::Progress> progress;
  std::optional<RunResult> result;  // the last batch of a run

  /// Appends ISO text in `colour`, joined to the last piece when that has the same colour.
  void appendIso(std::string_view text, std::uint32_t colour);
  std::size_t size() const {
    return isoText.size() + aptColours.size() * sizeof(common::LineColour);
  }
};

/// Colours the statements' lines in the APT pane and appends the ISO text to the ISO pane.
void ApplyToPanes(const RunBatch& batch, common::TextPane& aptPane, common::TextPane& isoPane);
/// Logs the batch's messages and shows its message boxes.
void ApplyMessages(const RunBatch& batch, common::MessageLog& log, common::UserPrompt& prompt);

/// The batches between a worker and the window's thread.
class BatchQueue {
 public:
  /// `wake` is called (on the posting thread) when a batch arrives in an empty queue: the window
  /// then schedules one take() on its own thread. It may be empty.
  explicit BatchQueue(std::function<void()> wake = {}) : wake_(std::move(wake)) {}
  void setWake(std::function<void()> wake);

  /// From any thread.
  void post(RunBatch&& batch);
  /// Everything posted so far, in order (the window's thread).
  std::vector<RunBatch> take();
  /// Waits until a batch is there or `timeout` passed; true when one is (tests, a closing window).
  bool wait(std::chrono::milliseconds timeout);

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<RunBatch> batches_;
  std::function<void()> wake_;
};

/// The run's side of the batches: its message log and message boxes, and the batch being filled,
/// handed on every `interval` (and when it grows large) and at the end.
class BatchWriter : public common::MessageLog, public common::UserPrompt {
 public:
  using Deliver = std::function<void(RunBatch&&)>;
  explicit BatchWriter(Deliver deliver, std::chrono::milliseconds interval =
                                            common::ProgressReporter::kDefaultInterval);

  BatchWriter(const BatchWriter&) = delete;
  BatchWriter& operator=(const BatchWriter&) = delete;

  RunBatch& batch() { return batch_; }

  void log(int id, std::string_view detail = {}, int level = 0) override;
  void clear() override;
  std::uint32_t background() const override { return background_; }
  void inform(int id, std::string_view detail = {}) override;

  /// Notes the progress; hands the batch on when the interval has passed or it grew large.
  void progress(const common::Progress& progress);
  /// Hands the batch on now (with the result when given: the run is over).
  void flush(std::optional<RunResult> result = std::nullopt);

 private:
  static constexpr std::size_t kLargeBatch = std::size_t{4} << 20;

  Deliver deliver_;
  common::ProgressReporter reporter_;
  RunBatch batch_;
  std::uint32_t background_ = common::kLogGreen;
  bool started_ = false;
};

}  // namespace ordalis::app
