#pragma once
// Circles, named geometry, tool axis and multi-axis statements, and the CYCLE statement.

#include <string_view>

#include "core/apt/handler_context.h"

namespace ordalis::apt {

/// Catalogue ids of these handlers' messages.
inline constexpr int kMsgStatementFormat =
    2109;                                    // "Problème de définition du format pour le code : "
inline constexpr int kMsgArcAsLines = 2137;  // an arc outside the working plane, written as lines
inline constexpr int kMsgCycleNotProcessed = 2005;  // "Cycle non traité : "
inline constexpr int kMsgCycleFormat = 2115;        // "Erreur : Format de Cycle :"
inline constexpr int kMsgNotProcessedTail = 2114;   // " non traité"

/// CIRCLE/xc,yc,zc,i,j,k,r (or six values without the radius, or xc,yc,zc,r): the next GOTO ends
/// the arc.
void HandleCircle(HandlerContext& h, std::string_view statement);
/// The GOTO that ends a circle (the circle mark is set): the arc runs from the previous position.
void HandleCircleGoto(HandlerContext& h, std::string_view statement);
/// TLON,GOFWD: an arc from the previous position along a circle up to a line's second point, with
/// the circle and the line named beforehand or written in the statement.
void HandleTlonGofwd(HandlerContext& h, std::string_view statement);
/// INDIRV: the direction in which the next arc starts.
void HandleIndirv(HandlerContext& h, std::string_view statement);
/// CYCLE: starts (or with OFF cancels) a canned cycle; the next GOTO points are its holes.
void HandleCycle(HandlerContext& h, std::string_view statement);

}  // namespace ordalis::apt
