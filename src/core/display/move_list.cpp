#include "core/display/move_list.h"

#include <algorithm>
#include <limits>

namespace ordalis::display {

namespace {

/// Appends `text` to `buffer` while its offsets still fit in 32 bits; false when it was left out.
bool AppendText(std::string& buffer, std::string_view text) {
  if (text.size() > std::numeric_limits<std::uint32_t>::max() - buffer.size()) return false;
  buffer.append(text);
  return true;
}

std::uint32_t Offset(const std::string& buffer) {
  return static_cast<std::uint32_t>(buffer.size());
}

}  // namespace

void BoundingBox::add(const Point& p) {
  if (empty) {
    min = max = p;
    empty = false;
    return;
  }
  min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
  max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

MoveList::MoveList() { clear(); }

void MoveList::clear() {
  ends_.clear();
  colours_.clear();
  statements_.clear();
  kinds_.clear();
  infoMoves_.clear();
  infoStarts_.clear();
  infoBuffer_.clear();
  blockKeyHashes_.clear();
  blockKeyStatements_.clear();
  statementStarts_.clear();
  statementLines_.clear();
  statementBuffer_.clear();
  bounds_ = {};
  append(MoveKind::Origin, {}, kWhite, kNoStatement);
}

Point MoveList::start(std::size_t move) const {
  if (kinds_[move] == MoveKind::Label) return {};
  while (move > 0) {
    --move;
    if (kinds_[move] != MoveKind::Label) return ends_[move];
  }
  return {};
}

std::string_view MoveList::info(std::size_t move) const {
  const auto it = std::lower_bound(infoMoves_.begin(), infoMoves_.end(), move);
  if (it == infoMoves_.end() || *it != move) return {};
  return infoText(static_cast<std::size_t>(it - infoMoves_.begin()));
}

std::string_view MoveList::infoText(std::size_t k) const {
  const std::size_t from = infoStarts_[k];
  const std::size_t to = k + 1 < infoStarts_.size() ? infoStarts_[k + 1] : infoBuffer_.size();
  return std::string_view(infoBuffer_).substr(from, to - from);
}

std::string_view MoveList::statementText(std::uint32_t statement) const {
  const std::size_t from = statementStarts_[statement];
  const std::size_t to = statement + 1 < statementStarts_.size() ? statementStarts_[statement + 1]
                                                                 : statementBuffer_.size();
  return std::string_view(statementBuffer_).substr(from, to - from);
}

std::size_t MoveList::memoryBytes() const {
  return sizeof(*this) + ends_.capacity() * sizeof(Point) +
         colours_.capacity() * sizeof(std::int32_t) +
         statements_.capacity() * sizeof(std::uint32_t) + kinds_.capacity() * sizeof(MoveKind) +
         infoMoves_.capacity() * sizeof(std::uint32_t) +
         infoStarts_.capacity() * sizeof(std::uint32_t) + infoBuffer_.capacity() +
         (blockKeyHashes_.capacity() + blockKeyStatements_.capacity()) * sizeof(std::uint32_t) +
         statementStarts_.capacity() * sizeof(std::uint32_t) +
         statementLines_.capacity() * sizeof(std::int32_t) + statementBuffer_.capacity();
}

void MoveList::shrinkToFit() {
  ends_.shrink_to_fit();
  colours_.shrink_to_fit();
  statements_.shrink_to_fit();
  kinds_.shrink_to_fit();
  infoMoves_.shrink_to_fit();
  infoStarts_.shrink_to_fit();
  infoBuffer_.shrink_to_fit();
  blockKeyHashes_.shrink_to_fit();
  blockKeyStatements_.shrink_to_fit();
  statementStarts_.shrink_to_fit();
  statementLines_.shrink_to_fit();
  statementBuffer_.shrink_to_fit();
}

std::uint32_t MoveList::addStatement(std::string_view text, std::int32_t sourceLine) {
  statementStarts_.push_back(Offset(statementBuffer_));
  statementLines_.push_back(sourceLine);
  AppendText(statementBuffer_, text);
  return static_cast<std::uint32_t>(statementLines_.size() - 1);
}

void MoveList::append(MoveKind kind, const Point& end, std::int32_t colour,
                      std::uint32_t statement) {
  ends_.push_back(end);
  colours_.push_back(colour);
  statements_.push_back(statement);
  kinds_.push_back(kind);
  bounds_.add(end);
}

void MoveList::appendInfo(std::string_view line, std::uint32_t statement) {
  const std::size_t last = ends_.size() - 1;
  if (infoMoves_.empty() || infoMoves_.back() != last) {
    infoMoves_.push_back(static_cast<std::uint32_t>(last));
    infoStarts_.push_back(Offset(infoBuffer_));
  }
  if (AppendText(infoBuffer_, line)) AppendText(infoBuffer_, "\r\n");
  statements_[last] = statement;
}

void MoveList::appendBlockKey(std::uint32_t hash, std::uint32_t statement) {
  blockKeyHashes_.push_back(hash);
  blockKeyStatements_.push_back(statement);
}

}  // namespace ordalis::display
