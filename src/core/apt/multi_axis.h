#pragma once
// Tool axes on five-axis definitions: angles with their messages, the inclined plane (3+2) that
// a tool axis or a CAM frame asks for, and the tool-centre-point control.

#include <string_view>

#include "core/apt/handler_context.h"

namespace ordalis::apt {

/// Catalogue ids of the five-axis messages.
inline constexpr int kMsgNotImplemented = 2117;    // "Attention : Cinématique non implémentée !"
inline constexpr int kMsgNonStandardPlane = 2121;  // "Plan de travail non standard"
inline constexpr int kMsgUnreachable = 2131;       // "Position non atteignable"
inline constexpr int kMsgNoPlaneCode = 2160;       // a tilted plane without inclined-plane code
inline constexpr int kMsgSetupFrame = 2161;        // a CSYS the machine cannot turn to: a new setup
inline constexpr int kMsgNoToolLength = 2162;      // machine coordinates without a tool length
inline constexpr int kMsgNoInverseTime = 2163;     // FEDRAT/INVERS without PP_FEED_INV
inline constexpr int kMsgNoFeedPerMinute = 2164;   // leaving inverse time without PP_FEED_MIN

/// Logs `id` with the statement and stops the run after it (an interrupted run).
void StopRun(iso::RunContext& ctx, int id, std::string_view statement);

/// True when the definition's machine turns tool axes into angles (kinematics 2 to 20).
bool HasRotaryAxes(iso::RunContext& ctx);

/// True when `a` and `b` point the same way within half the angle the output can show.
bool SameDirection(iso::RunContext& ctx, const iso::Vec3& a, const iso::Vec3& b);

/// Solves the unit tool axis `v` (in the part) into PP_A, PP_B, PP_C. An orientation no solution
/// reaches stops the run (message 2131); a feed move whose solution the limits send the long way
/// asks for the rotary-axis reset and a re-entry. Returns false when the run stops.
bool SolveToolAxis(HandlerContext& h, const iso::Vec3& v, bool feedMove,
                   std::string_view statement);

/// The inclined plane for the tool axis `v` (in the part): the CAM frame when the tool lies along
/// its Z, none for +Z, otherwise a frame tilted to `v`. Requests it (or its cancel), solves the
/// angles and maps the following points. Returns false when the run stops.
bool RequestPlaneFor(HandlerContext& h, const iso::Vec3& v, std::string_view statement);

/// Ends the inclined plane (its cancel is written when the controller has it).
void CancelPlane(iso::RunState& st);

/// Asks for the tool-centre-point control: written before the next move, or with the first point
/// of the next tool when a tool change is coming (never before a tool is loaded).
void RequestRtcp(iso::RunContext& ctx);

/// The axis part of a GOTO with a tool axis (given in program coordinates). Returns false when
/// the run stops.
bool ToolAxisMove(HandlerContext& h, const iso::Vec3& given, std::string_view statement);

/// Machine coordinates: splits the feed move just stored into sub-moves within tolerance.
void PlanMachineMove(HandlerContext& h);

}  // namespace ordalis::apt
