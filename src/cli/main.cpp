// ordalis-post: the batch post-processor. Converts the APT files named on its command line with a
// post-processor definition, the way a CAM system calls it.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/context.h"
#include "core/app/settings.h"
#include "core/app/stderr_log.h"
#include "core/common/text.h"

namespace {

using namespace ordalis;

constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 3;
constexpr int kMsgIncomplete = 2152;
constexpr std::string_view kProgramName = "ordalis-post";

#define ORDALIS_STR2(x) #x
#define ORDALIS_STR(x) ORDALIS_STR2(x)
constexpr const char* kVersion = ORDALIS_STR(ORDALIS_VERSION_MAJOR) "." ORDALIS_STR(
    ORDALIS_VERSION_MINOR) "." ORDALIS_STR(ORDALIS_VERSION_PATCH);

constexpr const char* kUsage =
    "Usage: ordalis-post [--ini FILE] [--ppc FILE] [-o FILE] [--lang ID] [--help] [--version] "
    "FILE...\n"
    "Converts APT / CL-data files into ISO programs with a post-processor definition (.ppc).\n"
    "Words are treated in order: a .ppc file is loaded, an APT file (.apt, .aptsource or the\n"
    "definition's APT extension) is converted beside itself with the definition's ISO extension.\n"
    "  --ini FILE   settings file (default: Ordalis.ini beside the program)\n"
    "  --ppc FILE   definition to load before the files\n"
    "  -o FILE      output of the single APT file given\n"
    "  --lang ID    language of the messages (1033 English, 1036 French, 1040 Italian)\n"
    "A file name may hold several dots: the extension is the text after the last one.\n"
    "A definition that cannot be read stops the treatment: nothing after it is converted.\n"
    "Settings: section APT_ALIAS of the settings file maps words of a CAM system's dialect\n"
    "(WORD=REPLACEMENT, such as DEEP2=DEEPCL), applied before each statement is read.\n"
    "Messages go to standard error. Exit status: 0 done, 1 a file could not be read or written\n"
    "(or a definition is missing), 2 usage error, 3 a run was interrupted (an unknown cycle):\n"
    "its output is kept but incomplete, as the last line of standard error says.\n";

struct Options {
  std::string ini, ppc, output;
  int language = 0;
  bool help = false, version = false;
  std::vector<std::string> files;
};

int UsageError(std::string_view what) {
  std::fprintf(stderr, "%s: %.*s\n%s", kProgramName.data(), static_cast<int>(what.size()),
               what.data(), kUsage);
  return kExitUsage;
}

// Returns 0 when the options are usable, else the exit status of a usage error.
int ParseOptions(int argc, char** argv, Options& options) {
  bool onlyFiles = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
      options.files.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyFiles = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--ini" || arg == "--ppc" || arg == "-o" || arg == "--lang") {
      if (i + 1 >= argc) return UsageError(std::string(arg) + " needs a value");
      const std::string value = argv[++i];
      if (arg == "--ini") options.ini = value;
      if (arg == "--ppc") options.ppc = value;
      if (arg == "-o") options.output = value;
      if (arg == "--lang") {
        const double id = common::ReadNumber(value);
        if (value.find_first_not_of("0123456789") != std::string::npos || id <= 0 || id > 65535) {
          return UsageError("--lang needs a language id such as 1033");
        }
        options.language = static_cast<int>(id);
      }
    } else {
      return UsageError("unknown option " + std::string(arg));
    }
  }
  return 0;
}

int CheckOptions(const Options& options) {
  if (options.help || options.version) return 0;
  if (options.files.empty()) return UsageError("no file given");
  if (!options.output.empty()) {
    int aptWords = 0;
    for (const std::string& f : options.files) {
      if (!app::IsDefinitionExtension(common::PathPart(f, 3))) ++aptWords;
    }
    if (aptWords != 1) return UsageError("-o names the output of exactly one APT file");
  }
  return 0;
}

// Loads the settings and the definition to start with; returns false when there is none to use.
bool PrepareDefinition(app::AppContext& ctx, const Options& options) {
  const std::string settingsPath =
      options.ini.empty() ? ctx.programFolder + "Ordalis.ini" : options.ini;
  ctx.settingsPath = settingsPath;
  const bool settingsFound = common::FileExists(settingsPath);
  app::LoadConfiguration(ctx, settingsPath, kProgramName);
  if (options.language != 0) ctx.strings.setLanguage(options.language);
  if (!options.ppc.empty() || !ctx.definitionPath.empty()) return true;
  if (app::IsDefinitionExtension(common::PathPart(options.files.front(), 3))) return true;
  if (settingsFound) return false;  // the settings named a missing file: already reported
  const std::string fallback = ctx.programFolder + "Default.ppc";
  if (common::FileExists(fallback)) {
    app::LoadDefinitionFile(ctx, fallback);
    return true;
  }
  ctx.message(2120, " " + fallback);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (int rc = ParseOptions(argc, argv, options); rc != 0) return rc;
  if (int rc = CheckOptions(options); rc != 0) return rc;
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (options.version) {
    std::printf("%s %s\n", kProgramName.data(), kVersion);
    return 0;
  }

  app::StderrLog log;
  app::StderrPrompt prompt(log);
  app::AppContext ctx(log, prompt);
  log.setTexts(&ctx.strings);
  ctx.programFolder = app::ExecutableFolder();
  ctx.strings.setLanguage(options.language != 0 ? options.language : l10n::kEnglish);
  if (!PrepareDefinition(ctx, options)) return EXIT_FAILURE;

  std::vector<std::string> words;
  if (!options.ppc.empty()) words.push_back(options.ppc);
  words.insert(words.end(), options.files.begin(), options.files.end());
  std::vector<std::string> incomplete;
  app::CommandLineHooks hooks;
  hooks.converted = [&](const std::string&, const std::string& isoPath, app::RunOutcome outcome) {
    if (app::IsIncomplete(outcome)) incomplete.push_back(isoPath);
  };
  const auto status = app::TreatCommandWords(ctx, words, options.output, hooks);
  // Said last, after the timing lines, so that whoever reads the end of the log sees it.
  for (const std::string& path : incomplete) ctx.message(kMsgIncomplete, " " + path);
  switch (status) {
    case app::CommandLineStatus::kDone:
      return EXIT_SUCCESS;
    case app::CommandLineStatus::kInterrupted:
      return kExitInterrupted;
    default:
      return EXIT_FAILURE;
  }
}
