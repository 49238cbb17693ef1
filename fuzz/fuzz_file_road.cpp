// The whole file road with a bundled definition: APT text in, ISO text out. The first byte picks
// the definition; the rest is the APT program.
#include <cstddef>
#include <cstdint>

#include "core/app/block_sink.h"
#include "core/app/processing_driver.h"
#include "fuzz_support.h"

using namespace ordalis;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteReader in(data, size);
  const std::size_t which = in.byte();
  const std::string_view apt = in.rest();

  fuzz::QuietContext quiet;
  app::AppContext& ctx = quiet.ctx;
  ctx.definition = fuzz::BundledDefinition(which);
  const bool numbering = ctx.definition.OPTION_SORTIE_N;
  app::StringBlockSink sink;
  app::ConvertStatements(ctx, apt, sink, "/tmp/FUZZ/PART.NC");

  if (ctx.definition.OPTION_SORTIE_N != numbering) fuzz::Fail("the run changed the definition");
  if (fuzz::HasNonFiniteWord(sink.text()) && !fuzz::MayFormNonFiniteWord(apt)) {
    fuzz::Fail("a non-finite number was written", sink.text());
  }
  return 0;
}
