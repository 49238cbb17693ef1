#pragma once
// One run's context over a definition the test may change between statements, with a log and a
// prompt that compose their texts in English.

#include "core/common/message_log.h"
#include "core/common/stop_flag.h"
#include "core/common/user_prompt.h"
#include "core/iso/run_context.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition.h"

namespace ordalis::test {

struct RunFixture {
  ppdef::PostProcessorDefinition def;
  l10n::Strings strings;
  common::VectorLog log{&strings};
  common::RecordingPrompt prompt{&strings};
  common::StopFlag stop;
  iso::RunContext ctx{def, log, prompt, strings, stop};
};

}  // namespace ordalis::test
