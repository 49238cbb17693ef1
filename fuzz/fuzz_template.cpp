// The template engine and the number formatters: template text, pattern texts and the values of
// the run-time state are all taken from the input.
//
// Layout: one byte choosing the variable set and the numbering options, one byte of pending flags,
// sixteen reals for the state, then texts separated by "\x01": template, pattern, part name,
// comment, tool name, FORMAT_PP_N, PP_F, FORMAT_PP_X, PP_SPACE.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/iso/number_format.h"
#include "core/iso/run_state.h"
#include "core/iso/template_engine.h"
#include "core/ppdef/definition.h"
#include "core/tools/tool_table.h"
#include "fuzz_support.h"

using namespace ordalis;

namespace {

// What the definition loader would store for a number read from a file: finite, and a float only
// when it fits one.
float LoadedSingle(double v, float fallback) {
  return std::isfinite(v) && std::fabs(v) <= FLT_MAX ? static_cast<float>(v) : fallback;
}

void FillState(fuzz::ByteReader& in, iso::RunState& state, tools::ToolTable& tools) {
  const std::uint8_t flags = in.byte();
  state.outputX = (flags & 1) != 0;
  state.outputY = (flags & 2) != 0;
  state.outputZ = (flags & 4) != 0;
  state.feedPending = (flags & 8) != 0;
  state.commentPending = (flags & 16) != 0;
  state.pointPending = (flags & 32) != 0;
  state.circlePending = (flags & 64) != 0;
  state.toolChangePending = (flags & 128) != 0;
  double* reals[] = {&state.X,
                     &state.Y,
                     &state.Z,
                     &state.A,
                     &state.B,
                     &state.C,
                     &state.I,
                     &state.feedRate,
                     &state.spindleSpeed,
                     &state.originX,
                     &state.arc.radius,
                     &state.arc.sweptAngle,
                     &state.cycle.pointX,
                     &state.firstZ};
  for (double* r : reals) *r = in.real();
  // Single-precision fields are filled by the handlers from checked reads: finite values only.
  state.cycle.depth = LoadedSingle(in.real(), 0);
  tools::ToolRecord& tool = tools.add();
  tool.diameter = LoadedSingle(in.real(), 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteReader in(data, size);
  const std::uint8_t choice = in.byte();
  ppdef::PostProcessorDefinition def = fuzz::BundledDefinition(0);
  iso::RunState state;
  tools::ToolTable tools;
  state.reset(def);
  FillState(in, state, tools);

  def.OPTION_SORTIE_N = (choice & 8) != 0;
  def.OPTION_SORTIE_N_COMMENT = (choice & 16) != 0;
  def.NUM_INCR = static_cast<std::int16_t>((choice & 32) != 0 ? -1 : ((choice >> 6) * 7));
  def.NUM_MAX = (choice & 64) != 0 ? -5.0F : 99999.0F;

  const std::string_view tpl = in.field('\x01');
  const std::string_view pattern = in.field('\x01');
  state.partName = in.field('\x01');
  state.comment = in.field('\x01');
  tools.current().name = in.field('\x01');
  def.FORMAT_PP_N = in.field('\x01');
  def.PP_F = in.field('\x01');
  def.FORMAT_PP_X = in.field('\x01');
  def.PP_SPACE = in.field('\x01');

  iso::TemplateEngine engine(def, state, tools);
  engine.setClock((choice & 128) != 0 ? 1 : 1700000000);
  std::string out;
  switch (choice % 5) {
    case 0:
      out = engine.expandFull(tpl);
      break;
    case 1:
      out = engine.expandTool(tpl);
      break;
    case 2:
      out = engine.expandOrigin(tpl);
      break;
    case 3:
      out = engine.expandCycle(tpl);
      break;
    default:
      out = engine.expandCircle(tpl);
      break;
  }
  out = engine.numberBlock(out);
  out += engine.numberPlaceholders(tpl);

  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (fuzz::HasNonFiniteWord(out) && !fuzz::MayFormNonFiniteWord(input)) {
    fuzz::Fail("a non-finite number was written", out);
  }

  // The formatters on their own, with the state's values and the edge values of a real. A pattern
  // without letters writes none.
  const double values[] = {state.X, state.Y, -0.0, 1e308, -1e308, 5e-324, 0.5, 2.5, -2.5};
  const bool letters = pattern.find_first_of("afinAFIN") != std::string_view::npos;
  for (double v : values) {
    std::string word;
    iso::FormatNumberAppend(v, pattern, word);
    iso::FormatAddressAppend(v, pattern, word);
    if (!letters && word.find_first_of("afinAFIN") != std::string::npos) {
      fuzz::Fail("a formatter wrote a non-finite value", word);
    }
  }
  return 0;
}
