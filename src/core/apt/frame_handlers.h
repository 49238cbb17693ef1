#pragma once
// The statements that set the tool axis and the frames of later points: TLAXIS, MULTAX, and the
// CAM frames CSYS, MSYS, TRACUT with TRNTYP.

#include <string_view>

#include "core/apt/handler_context.h"

namespace ordalis::apt {

/// TLAXIS: on a five-axis definition the tool axis of a 3+2 work plane; on a three-axis one the
/// working plane (G17, G18, G19 and their minus forms).
void HandleTlaxis(HandlerContext& h, std::string_view statement);
/// MULTAX/ON: tool-centre-point control; MULTAX/OFF: back to three-axis work.
void HandleMultax(HandlerContext& h, std::string_view statement);
/// CSYS/12 values: the frame of the operation that follows (Z along its tool), given in the part;
/// the points and tool axes stay in the part. An identity matrix ends it.
void HandleCsys(HandlerContext& h, std::string_view statement);
/// MSYS/origin,X axis,Y axis (9 values) or 12 matrix values: as CSYS.
void HandleMsys(HandlerContext& h, std::string_view statement);
/// TRACUT/12 matrix values: the following points and tool axes are given in this frame and go
/// into the part through it; TRACUT/NOMORE ends it.
void HandleTracut(HandlerContext& h, std::string_view statement);
/// TRNTYP/WORLD,0,0,0: the CAM frames are given in the part's frame (the only form known).
void HandleTrntyp(HandlerContext& h, std::string_view statement);

}  // namespace ordalis::apt
