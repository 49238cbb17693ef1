#pragma once
// Recognises each statement's major word, calls its handler and returns its display colour.

#include <cstdint>
#include <string_view>

#include "core/apt/handler_context.h"

namespace ordalis::apt {

class Dispatcher {
 public:
  explicit Dispatcher(HandlerContext h) : h_(h) {}
  /// Interprets one complete statement into the run-time state; returns its colour (0 when none).
  std::int32_t dispatch(std::string_view statement);

 private:
  HandlerContext h_;
};

}  // namespace ordalis::apt
