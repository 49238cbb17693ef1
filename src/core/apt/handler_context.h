#pragma once
// What every statement handler works with.

#include "core/app/context.h"
#include "core/iso/template_engine.h"

namespace ordalis::apt {

struct HandlerContext {
  app::Context& ctx;
  iso::TemplateEngine& engine;
};

}  // namespace ordalis::apt
