#pragma once
// A conversion context with a hand-built definition, for the dispatcher and handler tests.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/apt/dispatcher.h"
#include "core/iso/template_engine.h"
#include "support/run_fixture.h"

namespace ordalis::apt {

class AptTest : public ::testing::Test, public test::RunFixture {
 protected:
  AptTest() {
    // Distinct colours, so each statement's colour tells which rule took it.
    for (int i = 0; i < ppdef::kColourCount; ++i) def.colours[i] = 1000 + i;
    def.PP_F = "F#0";
    def.PP_CODE_F = "F#0.0";
    def.PP_FLUID_ON = "M8";
    def.PP_FLUID_OFF = "M9";
    def.PP_FLUID_FLOOD = "M7";
    def.PP_FLUID_AIR = "M50";
    def.PP_AIR_ON = "M51";
    def.PP_AIR_OFF = "M52";
    def.PP_SPINDLE_CW = "M3";
    def.PP_SPINDLE_CCW = "M4";
    def.PP_SPINDLE_OFF = "M5";
    def.PP_RCORR_L = "G41";
    def.PP_RCORR_R = "G42";
    def.PP_RCORR_OFF = "G40";
    def.PP_CLAMP_ON = "M10";
    def.PP_CLAMP_OFF = "M11";
    def.PP_CLAMP_ON_A = "M12";
    def.PP_CLAMP_OFF_A = "M13";
    def.PP_CLAMP_ON_C = "M16";
    def.PP_AUXFUN = "M#0";
    def.PP_PREFUN = "G#0";
    def.PP_G54_G57 = "G#0";
    def.PP_DEC_ORIGIN = 53;
    def.PP_G01 = "G1";
    def.NUM_ORIGINE = 0;
    def.NUM_INCR = 10;
    def.NUM_MAX = 99999;
    ctx.state.reset(def);
  }

  std::int32_t colour(ppdef::Colour c) const { return ctx.definition.colour(c); }
  std::int32_t run(std::string_view statement) { return dispatcher.dispatch(statement); }

  /// Number of logged lines that end with `detail` (the catalogue text before it may be empty).
  int logged(std::string_view detail) const {
    int n = 0;
    for (const auto& line : log.lines()) {
      if (line.size() >= detail.size() &&
          line.compare(line.size() - detail.size(), detail.size(), detail) == 0) {
        ++n;
      }
    }
    return n;
  }

  iso::RunState& st = ctx.state;
  iso::TemplateEngine engine{ctx.definition, ctx.state, ctx.tools};
  HandlerContext h{ctx, engine};
  Dispatcher dispatcher{h};
};

}  // namespace ordalis::apt
