#pragma once
// The definition's colour scheme: one colour per kind of APT statement (section COULEUR).

#include <array>
#include <cstdint>
#include <string_view>

namespace ordalis::ppdef {

/// Colour slots in the editor's tree order; the file order is kColourFileOrder.
enum class Colour : int {
  Comment,
  Unknown,
  Partno,
  Rapid,
  Coolnt,
  Tprint,
  Cutcom,
  Tlaxis,
  Spindl,
  Fedrat,
  Goto,
  Rewind,
  Toolno,
  Loadtl,
  End,
  Fini,
  Cycle,
  Circle,
  Cutter,
  Units,
  Mcs,
  Multax,
  Select,
  From,
  Ppfun,
  Pprint,
  Insert,
  Load,
  Disply,
  Opstop,
  Stop,
  Delay,
  FirstPoint,
  Origin,
  Indirv,
  TlonGofwd,
  Air,
  Clamp,
  Auxfun,
  Godlta,
  Prefun,
  Gohome,
  Mode,
  Seqno,
  CyclePt,
  CycleFirstPt,
  Tmark,
  Msys,
  Tracut,
  Deftol,
};
inline constexpr int kColourCount = 50;

/// Key names in tree order ("COULEUR_COMMENT" ...).
extern const std::array<std::string_view, kColourCount> kColourKeys;
/// Tree positions (0-based) in file order: the order in which saving writes the keys.
extern const std::array<int, kColourCount> kColourFileOrder;
/// The entry word shown after catalogue text 610: a catalogue id, or 0 when the word is literal.
extern const std::array<int, kColourCount> kColourWordId;

/// 32-bit colours, red in the low byte.
using ColourTable = std::array<std::int32_t, kColourCount>;

inline constexpr std::int32_t kPureRed = 255;

}  // namespace ordalis::ppdef
