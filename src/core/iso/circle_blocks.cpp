// Arcs: the circle block of the plane in force, with a compensation that starts or ends on it.
#include "core/iso/block_generator.h"
#include "core/iso/run_state.h"
#include "core/ppdef/definition.h"

namespace ordalis::iso {

void BlockGenerator::circle(std::string& r) {
  RunState& s = ctx_.state;
  s.circlePending = false;
  // The arc's end and centre are absolute.
  if (s.incremental) {
    appendWord(r, ctx_.definition.PP_G90);
    s.incremental = false;
  }
  std::string arc = engine_.expandCircle(circleTemplate());
  if (s.correctionPending) {
    // Compensation that starts or ends on this arc goes on its block, never on a later one.
    s.correctionPending = false;
    correctionInArc(arc);
  }
  appendWord(r, arc);
  s.gWordPending = true;
  s.setPrevious(s.arc.end.x, s.arc.end.y, s.arc.end.z, s.arc.endA, s.arc.endB, s.arc.endC);
  // Machine coordinates write arcs only where the machine moves nothing: the end is the tip.
  setPreviousOutput(s.arc.end);
}

// The correction code on the line of the arc that moves (the last one of a template that first
// sets the centre): at its end, or at its start after the line number.
void BlockGenerator::correctionInArc(std::string& arc) const {
  const auto& d = ctx_.definition;
  const std::string& code = ctx_.state.correction;
  if (code.empty()) return;
  if (d.OPTION_CORRECTEUR_FIN_LIGNE || arc.empty()) {
    appendWord(arc, code);
    return;
  }
  const std::size_t lineStart = arc.rfind('\n');
  std::size_t at = lineStart == std::string::npos ? 0 : lineStart + 1;
  const std::string& n = d.FORMAT_PP_N;
  const bool numbered = !n.empty() && at + 1 < arc.size() && arc[at] == n[0] &&
                        arc[at + 1] >= '0' && arc[at + 1] <= '9';
  if (numbered) {
    at = arc.find(' ', at);
    if (at == std::string::npos) return appendWord(arc, code);
    ++at;
  }
  std::string word = code;
  word.append(d.PP_SPACE);
  arc.insert(at, word);
}

// Controllers read I/J in G17, I/K in G18 and J/K in G19.
const std::string& BlockGenerator::circleTemplate() const {
  const auto& d = ctx_.definition;
  const int plane = ctx_.state.planeCode;
  if ((plane == 18 || plane == -18) && !d.FORMAT_CERCLE_G18.empty()) return d.FORMAT_CERCLE_G18;
  if ((plane == 19 || plane == -19) && !d.FORMAT_CERCLE_G19.empty()) return d.FORMAT_CERCLE_G19;
  return d.FORMAT_CERCLE;
}

}  // namespace ordalis::iso
