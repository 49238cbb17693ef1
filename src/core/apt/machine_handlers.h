#pragma once
// Statements that set feeds, spindle, coolant, tools, units and numbering, and the texts the ISO
// program carries. Handlers whose result the dispatcher stores return it; the others store their
// values in the run-time state themselves.

#include <string>
#include <string_view>

#include "core/apt/handler_context.h"

namespace ordalis::apt {

// Feed, spindle, units
void HandleFedrat(HandlerContext& h, std::string_view statement);
void HandleSpindl(HandlerContext& h, std::string_view statement);
void HandleUnits(HandlerContext& h, std::string_view statement);

// Coolant, air, correction
/// Returns the coolant code (PP_FLUID_ON unless the statement names OFF, FLOOD or AIR).
const std::string& HandleCoolnt(HandlerContext& h, std::string_view statement);
/// Returns the air code.
const std::string& HandleAir(HandlerContext& h, std::string_view statement);
void HandleCutcom(HandlerContext& h, std::string_view statement);

// Tools
void HandleLoadtl(HandlerContext& h, std::string_view statement);
/// Returns true when the statement loads a tool (LOAD/TOOL,n); otherwise logs it.
bool HandleLoad(HandlerContext& h, std::string_view statement);
void HandleToolno(HandlerContext& h, std::string_view statement);
void HandleCutter(HandlerContext& h, std::string_view statement);

// Texts carried into the program
/// Returns the part name; may also set the comment text.
std::string HandlePartno(HandlerContext& h, std::string_view statement);
/// Returns the print text.
std::string HandlePprint(std::string_view statement);
/// Returns the print text, which also names the current tool.
std::string HandleTprint(HandlerContext& h, std::string_view statement);
/// Returns the text inserted unchanged into the program.
std::string HandleInsert(std::string_view statement);
/// Returns the mark text.
std::string HandleTmark(std::string_view statement);
/// Returns the comment text: empty for DISPLY/ON and DISPLY/OFF, else the text (print pending).
std::string HandleDisply(HandlerContext& h, std::string_view statement);
void HandleRewind(HandlerContext& h, std::string_view statement);
void HandleMode(HandlerContext& h, std::string_view statement);
/// Returns the clamp code.
std::string HandleClamp(HandlerContext& h, std::string_view statement);
/// Returns the auxiliary code, formatted with PP_AUXFUN.
std::string HandleAuxfun(HandlerContext& h, std::string_view statement);
/// Returns the preparatory code, formatted with PP_PREFUN.
std::string HandlePrefun(HandlerContext& h, std::string_view statement);

// Dwell, numbering
/// Returns the dwell.
float HandleDelay(std::string_view statement);
void HandleSeqno(HandlerContext& h, std::string_view statement);
/// PPFUN: read and ignored.
void HandlePpfun(HandlerContext& h, std::string_view statement);

}  // namespace ordalis::apt
