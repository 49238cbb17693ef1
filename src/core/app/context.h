#pragma once
// What exists once per application. Components receive what they need from it by reference.

#include <string>

#include "core/apt/alias_table.h"
#include "core/iso/run_state.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition.h"
#include "core/tools/tool_table.h"

namespace ordalis::app {

class MessageLog;
class UserPrompt;

struct Context {
  Context(MessageLog& l, UserPrompt& p) : log(l), prompt(p), strings(&p) {}

  MessageLog& log;
  UserPrompt& prompt;
  l10n::Strings strings;
  ppdef::PostProcessorDefinition definition;
  iso::RunState state;
  tools::ToolTable tools;
  bool interrupt = false;

  // The CAM dialect of the settings file: a plain value the runs read, never a global.
  apt::AliasTable aliases;

  std::string programFolder;   // folder of the executable, with a trailing "/"
  std::string settingsPath;    // Ordalis.ini
  std::string definitionPath;
  std::string definitionName;
  std::string aptPath;
  std::string isoPath;
  std::string proposedIsoName;

  /// Logs the catalogue text of `id` followed by `detail`.
  void message(int id, std::string_view detail = {}, int level = 0);
};

}  // namespace ordalis::app
