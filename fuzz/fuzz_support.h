#pragma once
// Shared pieces of the fuzz targets: definitions loaded once, a quiet context, and the check that
// no formatted number came out as NaN or infinity.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/app/context.h"
#include "core/common/message_log.h"
#include "core/common/user_prompt.h"

namespace ordalis::fuzz {

/// The bundled definitions (Default.ppc first, then data/ppc/*.ppc), loaded on first use.
const ppdef::PostProcessorDefinition& BundledDefinition(std::size_t index);
std::size_t BundledDefinitionCount();

/// English texts, built once and copied into each run's context.
const l10n::Strings& EnglishStrings();

/// A context with a memory log and a recording prompt, in English.
struct QuietContext {
  common::VectorLog log;
  common::RecordingPrompt prompt;
  app::AppContext ctx{log, prompt};
  QuietContext();
};

/// True when `text` holds "nan" or "inf": what a formatter writes for a non-finite value.
bool HasNonFiniteWord(std::string_view text);
/// True when pieces of `text` put side by side could spell "nan" or "inf" (it holds one of the
/// lower-case letters a, f, i, n): an output built from such an input proves nothing.
bool MayFormNonFiniteWord(std::string_view text);

/// Aborts (a finding for libFuzzer) with `what` on standard error.
[[noreturn]] void Fail(const char* what, std::string_view detail = {});

/// Reads bytes as values one after the other; past the end everything reads as zero.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t byte();
  double real();
  std::string_view rest();
  /// Returns the text up to the next `separator` (consumed) or to the end.
  std::string_view field(char separator);

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace ordalis::fuzz
