#pragma once
// What exists once per application: settings, interface texts, paths, the loaded definition and
// the CAM aliases, and where messages and message boxes go. What one run owns is apart, in
// iso::RunContext; a run reads a snapshot of the definition and never writes it.

#include <string>
#include <string_view>

#include "core/apt/alias_table.h"
#include "core/common/message_log.h"
#include "core/common/user_prompt.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition.h"

namespace ordalis::app {

struct AppContext {
  /// `log` and `prompt` must outlive the context.
  AppContext(common::MessageLog& log, common::UserPrompt& prompt)
      : log(log), prompt(prompt), strings(&prompt) {}

  common::MessageLog& log;
  common::UserPrompt& prompt;
  l10n::Strings strings;
  ppdef::PostProcessorDefinition definition;
  // The CAM dialect of the settings file: a plain value the runs read, never a global.
  apt::AliasTable aliases;

  std::string programFolder;  // folder of the executable, with a trailing "/"
  std::string settingsPath;   // Ordalis.ini
  std::string definitionPath;
  std::string definitionName;

  /// Logs the catalogue text of `id` followed by `detail`.
  void message(int id, std::string_view detail = {}, int level = 0) { log.log(id, detail, level); }
};

}  // namespace ordalis::app
