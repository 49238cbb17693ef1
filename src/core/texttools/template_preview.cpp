#include "core/texttools/template_preview.h"

#include "core/iso/number_format.h"
#include "core/iso/run_state.h"
#include "core/iso/template_engine.h"
#include "core/ppdef/definition.h"
#include "core/tools/tool_table.h"

namespace ordalis::texttools {

namespace {

// 2024-03-14 09:30:00 UTC: a fixed moment keeps the preview still while the user types.
constexpr std::time_t kSampleClock = 1710408600;

void SampleMotion(iso::RunState& s, const ppdef::PostProcessorDefinition& def) {
  s.X = 125.5, s.Y = -40.25, s.Z = 5;
  s.A = 30, s.C = 90;
  s.firstX = 12.5, s.firstY = 20, s.firstZ = 50, s.firstA = 30, s.firstC = 90;
  s.outputX = s.outputY = s.outputZ = true;
  s.feedRate = 800;
  s.feedPending = true;
  s.pendingFText = "F800";
  s.spindleSpeed = 2500;
  s.spindle = def.PP_SPINDLE_CW;
  s.coolant = def.PP_FLUID_ON;
  s.air = def.PP_AIR_ON;
  s.correction = def.PP_RCORR_L;
  s.dwell = 1.5F;
  s.originShift = static_cast<std::int16_t>(def.PP_DEC_ORIGIN + 1);  // ORIGIN/FIXTUR,1
  s.originX = 100, s.originY = 50, s.originZ = 0;
}

void SampleProgram(iso::RunState& s) {
  s.requestedTool = 3;
  s.loadedTool = 3;
  s.lengthCorrector = 3;
  s.comment = "ROUGHING";
  s.partName = "BRACKET";
  s.rewind = "REWIND";
  s.tmark = "1";
  s.fileBase = "BRACKET";
  s.ncFile = "BRACKET.nc";
}

void SampleCycle(iso::CycleState& c) {
  c.firstX = 40, c.firstY = 25, c.firstZ = 2;
  c.pointX = 70, c.pointY = 25, c.pointZ = 2;
  c.depth = 12, c.feed = 120, c.spindle = 1500, c.dwell = 0.5F, c.retract = 5, c.clearance = 2;
  c.zStep = 3, c.pitch = 1.25F, c.radialPass = 0.5F, c.diameter = 8, c.decrement = 0.5F;
}

void SampleArc(iso::ArcState& a, const ppdef::PostProcessorDefinition& def) {
  a.start = {60, 10, -2};
  a.end = {50, 20, -2};
  a.centre = {50, 10, -2};
  a.relativeCentre = {-10, 0, 0};
  a.middle = {57.071, 17.071, -2};
  a.radius = 10;
  a.sweptAngle = 90;
  a.codeText = def.PP_ARC_L;
  a.codeNumber = 3;
}

void SampleTool(tools::ToolRecord& t) {
  t.type = 2;
  t.name = "END MILL D10";
  t.remark = "4 FLUTES";
  t.number = 3;
  t.diameter = 10, t.radius = 5, t.cornerRadius = 0.5F, t.angle = 0;
  t.length = 75, t.cuttingLength = 22, t.programmedLength = 75, t.programmedDiameter = 10;
}

}  // namespace

iso::VariableSet TemplateSetOf(std::string_view key) {
  if (key.substr(0, 8) == "PP_CYCLE") return iso::VariableSet::kCycle;
  if (key.substr(0, 13) == "FORMAT_CERCLE") return iso::VariableSet::kCircle;
  if (key == "GESTION_CUTTER") return iso::VariableSet::kTool;
  if (key == "PP_ORIGIN" || key == "PP_G54_G57") return iso::VariableSet::kOrigin;
  return iso::VariableSet::kFull;
}

std::string PreviewTemplate(std::string_view key, std::string_view text,
                            const ppdef::PostProcessorDefinition& def) {
  iso::RunState state;
  state.reset(def);
  SampleMotion(state, def);
  SampleProgram(state);
  SampleCycle(state.cycle);
  SampleArc(state.arc, def);
  tools::ToolTable tools;
  SampleTool(tools.add());

  // Most controllers take the work-offset code as a number pattern, not as a template.
  if (key == "PP_G54_G57" && def.Type_Postprocesseur != 3) {
    return iso::FormatAddress(state.originShift, text);
  }
  iso::TemplateEngine engine(def, state, tools);
  engine.setClock(kSampleClock);
  switch (TemplateSetOf(key)) {
    case iso::VariableSet::kCycle:
      return engine.expandCycle(text);
    case iso::VariableSet::kCircle:
      return engine.expandCircle(text);
    case iso::VariableSet::kTool:
      return engine.expandTool(text);
    case iso::VariableSet::kOrigin:
      return engine.expandOrigin(text);
    case iso::VariableSet::kFull:
      break;
  }
  return engine.expandFull(text);
}

}  // namespace ordalis::texttools
