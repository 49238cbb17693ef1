#pragma once
// What every statement handler works with.

#include "core/iso/run_context.h"
#include "core/iso/template_engine.h"

namespace ordalis::apt {

struct HandlerContext {
  iso::RunContext& ctx;
  iso::TemplateEngine& engine;
};

}  // namespace ordalis::apt
