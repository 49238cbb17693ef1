#pragma once
// Statements that move the tool or set the coordinate system of later moves: each stores values
// and raises pending flags in the run-time state; the block generator writes them afterwards.

#include <string_view>

#include "core/apt/handler_context.h"

namespace ordalis::apt {

/// GOTO outside a circle: the point of a feed, rapid, incremental or cycle move.
void HandleGoto(HandlerContext& h, std::string_view statement);
/// GODLTA: an incremental move; the current position holds the increments.
void HandleGodlta(HandlerContext& h, std::string_view statement);
/// RAPID: the next move is a rapid (the code in force is raised by 1000).
void HandleRapid(HandlerContext& h, std::string_view statement);
/// FROM: the start point, written by the FROM template.
void HandleFrom(HandlerContext& h, std::string_view statement);
/// GOHOME: the axes named by XAXIS, YAXIS, ZAXIS are sent home.
void HandleGohome(HandlerContext& h, std::string_view statement);
/// ORIGIN: a fixture offset (FIXTUR), or an origin point (DATUM or three values).
void HandleOrigin(HandlerContext& h, std::string_view statement);
/// SELECT: a work offset by number.
void HandleSelect(HandlerContext& h, std::string_view statement);
/// MCS: read and ignored.
void HandleMcs(HandlerContext& h, std::string_view statement);

/// True while a canned cycle holds the motion code (-1 for its holes, 81 to 89 before the first):
/// RAPID and FEDRAT must then leave the code alone, or holes would be lost.
bool CycleHoldsMotionCode(const iso::RunState& state);

/// A tool change, the end of the program, GOHOME or a change of origin ends the cycle in force: the
/// next blocks write its cancel first, so no later move of the program becomes a hole.
void EndCycleBefore(iso::RunState& state);

/// On a machine without rotary axes, a tool axis other than +Z cannot be cut: the statement is
/// logged and the run stops. Returns true when the axis was refused.
bool RefuseToolAxis(HandlerContext& h, std::string_view statement, double i, double j, double k);

}  // namespace ordalis::apt
