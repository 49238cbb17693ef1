#pragma once
// Inverse-time feeds (FEDRAT/INVERS): five-axis programs give the time of each move instead of
// a speed along it, and the controller must be told which one it reads.

#include <string_view>

#include "core/apt/handler_context.h"

namespace ordalis::apt {

/// FEDRAT/INVERS,f and FEDRAT/f,INVERS: the feed is written as given, after the inverse-time code
/// (PP_FEED_INV) when the mode changes. Without that code the run stops. Returns false when the
/// statement is an ordinary FEDRAT.
bool HandleInverseTimeFeed(HandlerContext& h, std::string_view statement);

/// After an ordinary FEDRAT: the feed that leaves inverse time carries the per-minute code
/// (PP_FEED_MIN); without it the run stops rather than have a speed read as a time.
void LeaveInverseTime(HandlerContext& h, std::string_view statement);

}  // namespace ordalis::apt
