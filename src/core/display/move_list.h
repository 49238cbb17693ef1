#pragma once
// The toolpath of one displayed program: what the simulation builds and the graphics view draws.
// A five-axis program easily makes a million moves, so the list is kept column by column: one
// array per field, the statement of a move as an index into a table of statements (one text per
// statement, however many moves it makes), and the rare info texts in one buffer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/iso/run_state.h"

namespace ordalis::display {

using Point = iso::Vec3;

/// What made a move; the view hides the rapid kinds on demand.
enum class MoveKind : std::uint8_t {
  Origin,      // move 0: the program starts at (0, 0, 0)
  Label,       // a part-name label at the origin; draws no line and does not move the tool
  Rapid,       // linear move in rapid mode
  Feed,        // linear move at feed
  Arc,         // one step of an arc or a helix
  CycleRapid,  // approach and retract of a canned-cycle hole
  CycleFeed,   // the feed moves of a canned-cycle hole
};

constexpr bool IsRapid(MoveKind kind) {
  return kind == MoveKind::Rapid || kind == MoveKind::CycleRapid;
}

/// Colours in the stored form, red in the low byte (0x00BBGGRR).
inline constexpr std::int32_t kWhite = 0xFFFFFF;
inline constexpr std::int32_t kRed = 255;
inline constexpr std::int32_t kGreen = 65280;

inline constexpr std::uint32_t kNoStatement = 0xFFFFFFFFu;

struct BoundingBox {
  Point min, max;
  bool empty = true;
  void add(const Point& p);
};

/// A 32-bit hash (FNV-1a) of a line key, for MoveList's block keys.
inline std::uint32_t BlockKeyHash(std::string_view key) {
  std::uint32_t hash = 2166136261u;
  for (const char c : key) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

class MoveList {
 public:
  /// A list holding the origin only.
  MoveList();

  /// Back to the origin only: statements, texts and bounding box go.
  void clear();

  std::size_t size() const { return ends_.size(); }
  const Point& end(std::size_t move) const { return ends_[move]; }
  /// The tool position before the move: the end of the last move before it that moved the tool.
  Point start(std::size_t move) const;
  std::int32_t colour(std::size_t move) const { return colours_[move]; }
  MoveKind kind(std::size_t move) const { return kinds_[move]; }
  /// The statement that made the move, kNoStatement for the origin until a statement claims it.
  std::uint32_t statement(std::size_t move) const { return statements_[move]; }
  /// The info text (ISO codes and remarks, lines ending with CR LF); empty for most moves.
  std::string_view info(std::size_t move) const;

  /// Moves with an info text, in move order: `infoMove(k)` is the move of the k-th text.
  std::size_t infoCount() const { return infoMoves_.size(); }
  std::size_t infoMove(std::size_t k) const { return infoMoves_[k]; }
  std::string_view infoText(std::size_t k) const;

  /// The ISO lines kept as a key only: a statement's own motion block, which would only repeat
  /// the drawn move as a label. `blockKeyHash(k)` is BlockKeyHash of the line's key.
  std::size_t blockKeyCount() const { return blockKeyHashes_.size(); }
  std::uint32_t blockKeyHash(std::size_t k) const { return blockKeyHashes_[k]; }
  std::uint32_t blockKeyStatement(std::size_t k) const { return blockKeyStatements_[k]; }

  std::size_t statementCount() const { return statementLines_.size(); }
  std::string_view statementText(std::uint32_t statement) const;
  /// The line of the statement in its source (0-based), -1 when the caller did not know it.
  std::int32_t statementLine(std::uint32_t statement) const { return statementLines_[statement]; }

  /// The colour of moves whose own colour is 0.
  std::int32_t defaultColour() const { return defaultColour_; }
  void setDefaultColour(std::int32_t colour) { defaultColour_ = colour; }
  /// The box of every end point, the origin included.
  const BoundingBox& bounds() const { return bounds_; }

  /// Bytes held by the list, reserve included.
  std::size_t memoryBytes() const;
  /// Gives back the reserve that growing left; called once a program is built.
  void shrinkToFit();

  // Building, for ToolpathBuilder.
  std::uint32_t addStatement(std::string_view text, std::int32_t sourceLine);
  void append(MoveKind kind, const Point& end, std::int32_t colour, std::uint32_t statement);
  /// Adds `line` and CR LF to the info text of the last move, which then belongs to `statement`.
  void appendInfo(std::string_view line, std::uint32_t statement);
  void appendBlockKey(std::uint32_t hash, std::uint32_t statement);

 private:
  std::vector<Point> ends_;
  std::vector<std::int32_t> colours_;
  std::vector<std::uint32_t> statements_;
  std::vector<MoveKind> kinds_;

  // Only the last move ever receives info, so the texts stay in move order in one buffer.
  // Offsets into the buffers are 32-bit, which keeps a move under 100 bytes: texts beyond 4 GiB
  // are not kept (a program that size has long been unreadable as labels).
  std::vector<std::uint32_t> infoMoves_;
  std::vector<std::uint32_t> infoStarts_;
  std::string infoBuffer_;

  // Eight bytes per motion block where its text would take forty.
  std::vector<std::uint32_t> blockKeyHashes_;
  std::vector<std::uint32_t> blockKeyStatements_;

  std::vector<std::uint32_t> statementStarts_;
  std::vector<std::int32_t> statementLines_;
  std::string statementBuffer_;

  std::int32_t defaultColour_ = kWhite;
  BoundingBox bounds_;
};

}  // namespace ordalis::display
