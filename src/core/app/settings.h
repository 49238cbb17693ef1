#pragma once
// Start-up settings (Ordalis.ini beside the executable) and the treatment of the words given on the
// command line, shared by the batch program and the desktop program.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/context.h"
#include "core/app/run.h"

namespace ordalis::app {

/// Folder of the running executable, with a trailing "/" ("" when it cannot be found).
std::string ExecutableFolder();

/// A settings or command-line path made usable: "\" becomes "/", and a path starting with ".\" or
/// "./" is taken relative to the program folder.
std::string ResolveProgramPath(std::string_view path, const std::string& programFolder);

/// Fills the definition path (`Fichier`, or the program folder + "Default.ppc" when empty), the
/// definition name (`Nom`) and the language (`LangId`, 1033 when 0 or missing), then reloads the
/// interface texts of that language. `exeName` names the program's lexicon section.
void ReadSettings(AppContext& ctx, const std::string& settingsPath, std::string_view exeName);

/// Reads the settings and loads the definition they name; returns the definition's display name.
/// A missing settings file logs 2120 and the path and returns "" (no definition loaded).
std::string LoadConfiguration(AppContext& ctx, const std::string& settingsPath,
                              std::string_view exeName);

/// `CloseAfterPP` of section `CONFIG`: true when it reads as a number other than 0.
bool ReadCloseAfterPP(const std::string& settingsPath);

/// Loads a definition file into ctx.definition and records its path and name; returns the name.
std::string LoadDefinitionFile(AppContext& ctx, const std::string& path);

/// The output path of an APT file: its folder, its base name and `EXTENSION_ISO_FILE`.
std::string IsoPathForApt(std::string_view aptPath, const ppdef::PostProcessorDefinition& def);

/// True for ".ppc" and ".PPC".
bool IsDefinitionExtension(std::string_view extension);
/// True for the definition's `EXTENSION_APT_FILE` and for .apt .APT .aptsource .APTSOURCE.
bool IsAptExtension(std::string_view extension, const ppdef::PostProcessorDefinition& def);

/// What the command-line treatment tells its program.
struct CommandLineHooks {
  /// A definition was loaded; receives its name (the desktop shows it in its title).
  std::function<void(const std::string& name)> definitionLoaded;
  /// An APT file was converted (or refused); receives both paths and the outcome.
  std::function<void(const std::string& aptPath, const std::string& isoPath, RunOutcome outcome)>
      converted;
  /// Runs a conversion; the default is ConvertAptFile framed by the timing messages.
  std::function<RunOutcome(const std::string& aptPath, const std::string& isoPath)> convert;
};

/// Outcome of the command-line treatment.
enum class CommandLineStatus {
  kDone = 0,         // every word was treated and every conversion wrote its output
  kFileError = 1,    // a word named no file, had an unknown extension, or an output failed
  kInterrupted = 3,  // a run was interrupted: its program is incomplete (whatever else failed)
};

/// Treats the words in order: a .ppc word loads that definition, an APT word is converted at once
/// (into `output` when it is not empty, else beside the APT file). A word naming no file, or a file
/// of another extension, is reported and the next word is treated. A definition that cannot be
/// read stops the treatment: nothing is converted with another definition than the one asked for.
CommandLineStatus TreatCommandWords(AppContext& ctx, const std::vector<std::string>& words,
                                    const std::string& output, const CommandLineHooks& hooks);

}  // namespace ordalis::app
