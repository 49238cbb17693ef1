#pragma once
// Turns the pending items of the run-time state into the ISO blocks of one statement.

#include <string>

#include "core/app/context.h"
#include "core/iso/template_engine.h"

namespace ordalis::iso {

class BlockGenerator {
 public:
  BlockGenerator(app::Context& ctx, TemplateEngine& engine) : ctx_(ctx), engine_(engine) {}
  /// Returns the text of this statement's blocks ("" when none; several lines joined by CR LF).
  std::string generate();

 private:
  app::Context& ctx_;
  TemplateEngine& engine_;
};

}  // namespace ordalis::iso
