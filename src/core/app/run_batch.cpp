#include "core/app/run_batch.h"

namespace ordalis::app {

void RunBatch::appendIso(std::string_view text, std::uint32_t colour) {
  isoText.append(text);
  if (!isoPieces.empty() && isoPieces.back().colour == colour) {
    isoPieces.back().end = isoText.size();
  } else {
    isoPieces.push_back(IsoPiece{isoText.size(), colour});
  }
}

void ApplyToPanes(const RunBatch& batch, common::TextPane& aptPane, common::TextPane& isoPane) {
  if (!batch.aptColours.empty()) aptPane.colourLines(batch.aptColours);
  if (batch.isoPieces.empty()) return;
  std::vector<common::ColouredText> pieces;
  pieces.reserve(batch.isoPieces.size());
  std::size_t start = 0;
  const std::string_view text = batch.isoText;
  for (const IsoPiece& piece : batch.isoPieces) {
    pieces.push_back(common::ColouredText{text.substr(start, piece.end - start), piece.colour});
    start = piece.end;
  }
  isoPane.appendText(pieces);
}

void ApplyMessages(const RunBatch& batch, common::MessageLog& log, common::UserPrompt& prompt) {
  for (const common::LogRecord& r : batch.messages) {
    if (r.clears) {
      log.clear();
    } else {
      log.log(r.id, r.detail, r.level);
    }
  }
  for (const common::LogRecord& r : batch.prompts) prompt.inform(r.id, r.detail);
}

void BatchQueue::setWake(std::function<void()> wake) {
  std::lock_guard<std::mutex> lock(mutex_);
  wake_ = std::move(wake);
}

void BatchQueue::post(RunBatch&& batch) {
  std::function<void()> wake;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const bool wasEmpty = batches_.empty();
    batches_.push_back(std::move(batch));
    if (wasEmpty) wake = wake_;
  }
  arrived_.notify_all();
  if (wake) wake();
}

std::vector<RunBatch> BatchQueue::take() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<RunBatch> out;
  out.swap(batches_);
  return out;
}

bool BatchQueue::wait(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return arrived_.wait_for(lock, timeout, [this] { return !batches_.empty(); });
}

BatchWriter::BatchWriter(Deliver deliver, std::chrono::milliseconds interval)
    : deliver_(std::move(deliver)),
      reporter_(
          [this](const common::Progress& p) {
            batch_.progress = p;
            flush();
          },
          interval) {}

void BatchWriter::log(int id, std::string_view detail, int level) {
  common::LevelColour(level, background_);
  batch_.messages.push_back(common::LogRecord{id, std::string(detail), level, false});
}

void BatchWriter::clear() {
  background_ = common::kLogGreen;
  batch_.messages.push_back(common::LogRecord{0, {}, 0, true});
}

void BatchWriter::inform(int id, std::string_view detail) {
  batch_.prompts.push_back(common::LogRecord{id, std::string(detail), 0, false});
}

void BatchWriter::progress(const common::Progress& progress) {
  // The first figure goes at once: the window shows the run and its totals from the start.
  if (started_ && batch_.size() < kLargeBatch) {
    reporter_.checkpoint(progress);
    return;
  }
  started_ = true;
  batch_.progress = progress;
  flush();
}

void BatchWriter::flush(std::optional<RunResult> result) {
  batch_.result = std::move(result);
  deliver_(std::move(batch_));
  batch_ = RunBatch{};
}

}  // namespace ordalis::app
