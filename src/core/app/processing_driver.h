#pragma once
// The processing driver: runs a whole APT program through reader, dispatcher and block generator,
// and writes the frame of the output (start and end templates).

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "core/app/block_sink.h"
#include "core/app/context.h"

namespace ordalis::app {

class TextPane;

/// Converts the APT file into the ISO file (written under a temporary name, renamed at the end).
/// Returns false when the APT path is empty or names no file (nothing written, nothing logged) and
/// when the output could not be written (logged, the earlier ISO file untouched); true otherwise,
/// also after an interrupt, which keeps the output written so far without the end template.
bool ConvertAptFile(Context& ctx, const std::string& aptPath, const std::string& isoPath);

/// The file road's run on APT text in memory, into any sink (the output names are left as set).
void ConvertStatements(Context& ctx, std::string_view aptText, BlockSink& sink);

/// Converts the APT pane into the ISO pane from the line that holds the caret, colouring each
/// statement. `processEvents` runs after every statement (so Escape can set the interrupt flag).
/// Returns false when the run stopped at a marked line (message 2112), true otherwise.
bool ConvertAptText(Context& ctx, TextPane& aptPane, TextPane& isoPane,
                    const std::function<void()>& processEvents = {});

/// `PP_FILE` and `PP_NCFILE` of an output path: C:\nc\part1.nc gives part1 and part1.nc.
void SetOutputNames(Context& ctx, std::string_view isoPath);

/// Base name + extension, with a "." put between them when the extension has none.
std::string IsoFileName(std::string_view baseName, std::string_view extension);

/// Time of day as "hh:mm:ss" (local time).
std::string TimeOfDay();
/// Elapsed time as "hh:mm:ss".
std::string FormatElapsed(std::chrono::steady_clock::duration elapsed);

/// Logs text 3009 with the time of day, runs `run`, then texts 3010 (time of day) and 3011 (elapsed
/// "hh:mm:ss"). Returns what `run` returned.
bool RunTimed(Context& ctx, const std::function<bool()>& run);

}  // namespace ordalis::app
