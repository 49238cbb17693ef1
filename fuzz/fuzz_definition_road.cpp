// The whole file road with a fuzzed definition: the input is definition text, then optionally a
// line "\x01" and APT text; without it a fixed program that touches every stage is converted.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/app/block_sink.h"
#include "core/app/processing_driver.h"
#include "core/common/profile_file.h"
#include "core/ppdef/definition_file.h"
#include "fuzz_support.h"

using namespace ordalis;

namespace {

constexpr std::string_view kProgram =
    "PARTNO FUZZ &(PP_X,0)\n"
    "UNITS/MM\n"
    "CUTTER/10,2,5,3,0,0,50\n"
    "LOADTL/1,LENGTH,120\n"
    "SPINDL/1200,CLW\n"
    "COOLNT/ON\n"
    "RAPID\n"
    "GOTO/0,0,50\n"
    "FEDRAT/250,MMPM\n"
    "GOTO/10,0,5\n"
    "GOTO/10,20,-1.5\n"
    "INDIRV/0,1,0\n"
    "TLON,GOFWD/(CIRCLE/20,20,-1.5,10),ON,(LINE/30,20,-1.5,30,40,-1.5)\n"
    "CIRCLE/20,20,-1.5,0,0,1,10\n"
    "GOTO/30,20,-1.5\n"
    "CIRCLE/20,20,-1.5,0,1,0\n"
    "GOTO/20,20,8.5\n"
    "GOTO/40,40,-2,0,0.70710678,0.70710678\n"
    "MULTAX/ON\n"
    "GOTO/40,40,-2,0.5,0.5,0.70710678\n"
    "GODLTA/1,1,1\n"
    "CUTCOM/LEFT\n"
    "GOTO/50,50,0\n"
    "CUTCOM/OFF\n"
    "CYCLE/DRILL,5,200,MMPM,2\n"
    "GOTO/60,60,0\n"
    "GOTO/70,60,0\n"
    "CYCLE/DEEP,10,3,200,MMPM,2\n"
    "GOTO/80,60,0\n"
    "GODLTA/0,0,1\n"
    "UNITS/INCHES\n"
    "GOTO/90,60,0\n"
    "CYCLE/OFF\n"
    "FEDRAT/0.1,MMPR\n"
    "TLAXIS/0,1,0\n"
    "CIRCLE/0,0,0,0,1,0,10\n"
    "GOTO/0,0,-10\n"
    "TLAXIS/-1,0,0\n"
    "CIRCLE/0,0,0,1,0,0,10\n"
    "GOTO/0,10,0\n"
    "FEDRAT/MMPM,300\n"
    "SEQNO/INCR,5\n"
    "ORIGIN/1,2,3\n"
    "PPRINT ROUGH (10 MM)\n"
    "DELAY/2.5\n"
    "OPSTOP\n"
    "AUXFUN/12\n"
    "PREFUN/4\n"
    "LOADTL/2\n"
    "GOTO/0,0,0\n"
    "GOHOME\n"
    "END\n"
    "FINI\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find("\n\x01");
  const std::string_view ppc = input.substr(0, split);
  const std::string_view apt = split == std::string_view::npos ? kProgram : input.substr(split + 2);

  fuzz::QuietContext quiet;
  app::AppContext& ctx = quiet.ctx;
  const common::ProfileFile file = common::ProfileFile::parse(ppc);
  ppdef::LoadDefinition(file, ctx.definition, quiet.prompt);
  const ppdef::PostProcessorDefinition& d = ctx.definition;
  for (double v : {d.ToleranceCalcul, static_cast<double>(d.NUM_ORIGINE),
                   static_cast<double>(d.NUM_MAX), d.PP_LIMIT_AB_MINI, d.PP_LIMIT_AB_MAXI,
                   d.PP_LIMIT_C_MINI, d.PP_LIMIT_C_MAXI, d.PP_HEAD_ANGLE}) {
    if (!std::isfinite(v)) fuzz::Fail("the definition loader stored a non-finite number");
  }
  app::StringBlockSink sink;
  app::ConvertStatements(ctx, apt, sink, "/tmp/FUZZ/PART.NC");

  if (fuzz::HasNonFiniteWord(sink.text()) && !fuzz::MayFormNonFiniteWord(input)) {
    fuzz::Fail("a non-finite number was written", sink.text());
  }
  return 0;
}
