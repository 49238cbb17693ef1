#pragma once
// Circles, named geometry, tool axis and multi-axis statements, and the CYCLE statement.

#include <string_view>

#include "core/apt/handler_context.h"

namespace ordalis::apt {

void HandleCircle(HandlerContext& h, std::string_view statement);
/// The GOTO that ends a circle (the circle mark is set).
void HandleCircleGoto(HandlerContext& h, std::string_view statement);
void HandleTlonGofwd(HandlerContext& h, std::string_view statement);
void HandleIndirv(HandlerContext& h, std::string_view statement);
void HandleTlaxis(HandlerContext& h, std::string_view statement);
void HandleMultax(HandlerContext& h, std::string_view statement);
void HandleCycle(HandlerContext& h, std::string_view statement);

}  // namespace ordalis::apt
