#pragma once
// Recognises each statement's major word, calls its handler and returns its display colour.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/apt/alias_table.h"
#include "core/apt/handler_context.h"

namespace ordalis::apt {

class Dispatcher {
 public:
  /// `aliases` (may be null) are applied to every statement before it is interpreted.
  explicit Dispatcher(HandlerContext h, const AliasTable* aliases = nullptr)
      : h_(h), aliases_(aliases != nullptr && !aliases->empty() ? aliases : nullptr) {}
  /// Interprets one complete statement into the run-time state; returns its colour (0 when none).
  std::int32_t dispatch(std::string_view statement);

 private:
  HandlerContext h_;
  const AliasTable* aliases_;
  std::string aliased_;
};

}  // namespace ordalis::apt
