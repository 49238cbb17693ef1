#pragma once
// The application's context with a log and a prompt that compose their texts in its language.

#include "core/app/context.h"
#include "core/app/run.h"
#include "core/common/message_log.h"
#include "core/common/user_prompt.h"

namespace ordalis::app {

struct AppFixture {
  AppFixture() {
    log.setTexts(&ctx.strings);
    prompt.texts = &ctx.strings;
  }
  common::VectorLog log;
  common::RecordingPrompt prompt;
  AppContext ctx{log, prompt};
};

}  // namespace ordalis::app
