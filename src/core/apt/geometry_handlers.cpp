// Placeholder until the circle, tool-axis and cycle handlers land.
#include "core/apt/geometry_handlers.h"

namespace ordalis::apt {
void HandleCircle(HandlerContext&, std::string_view) {}
void HandleCircleGoto(HandlerContext&, std::string_view) {}
void HandleTlonGofwd(HandlerContext&, std::string_view) {}
void HandleIndirv(HandlerContext&, std::string_view) {}
void HandleTlaxis(HandlerContext&, std::string_view) {}
void HandleMultax(HandlerContext&, std::string_view) {}
void HandleCycle(HandlerContext&, std::string_view) {}
}  // namespace ordalis::apt
