#include "core/app/settings.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "core/app/processing_driver.h"
#include "core/common/profile_file.h"
#include "core/common/text.h"
#include "core/ppdef/definition_file.h"

namespace ordalis::app {

namespace {

constexpr std::string_view kDefaultDefinition = "Default.ppc";

bool ExtensionIs(std::string_view extension, std::string_view a, std::string_view b) {
  return extension == a || extension == b;
}

}  // namespace

std::string ExecutableFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return {};
  std::string folder = exe.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string ResolveProgramPath(std::string_view path, const std::string& programFolder) {
  std::string resolved = common::ReplaceAll(path, "\\", "/");
  if (resolved.size() >= 2 && resolved[0] == '.' && resolved[1] == '/') {
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    resolved = folder + resolved.substr(2);
  }
  return resolved;
}

void ReadSettings(AppContext& ctx, const std::string& settingsPath, std::string_view exeName) {
  const common::ProfileFile settings = common::ProfileFile::load(common::NativePath(settingsPath));
  ctx.definitionPath = settings.get("POSTPROCESSEUR", "Fichier");
  if (ctx.definitionPath.empty())
    ctx.definitionPath = ctx.programFolder + std::string(kDefaultDefinition);
  ctx.definitionName = settings.get("POSTPROCESSEUR", "Nom");
  ctx.aliases = apt::AliasTable::fromProfile(settings);
  const long long language =
      common::RoundHalfEven(common::ReadNumber(settings.get("CONFIG", "LangId")));
  ctx.strings.setLanguage(language == 0 ? l10n::kEnglish : static_cast<int>(language));
  ctx.strings.loadLexicon(ctx.programFolder, std::string(exeName));
}

std::string LoadConfiguration(AppContext& ctx, const std::string& settingsPath,
                              std::string_view exeName) {
  if (!common::FileExists(settingsPath)) {
    ctx.message(2120);
    ctx.log.logText(settingsPath);
    return {};
  }
  std::string name;
  try {
    ctx.log.clear();
    ReadSettings(ctx, settingsPath, exeName);
    const std::string path = ResolveProgramPath(ctx.definitionPath, ctx.programFolder);
    if (!common::FileExists(path)) {
      // The batch program must not convert with an empty definition that nobody asked for.
      ctx.message(2120, " " + path);
      ctx.definitionPath.clear();
      return {};
    }
    name = LoadDefinitionFile(ctx, path);
  } catch (const std::exception&) {
    ctx.prompt.informText("Error in Function Chargement_Config");
  }
  return name;
}

bool ReadCloseAfterPP(const std::string& settingsPath) {
  const std::string value =
      common::GetProfileString(common::NativePath(settingsPath), "CONFIG", "CloseAfterPP");
  return !value.empty() && common::ReadNumber(value) != 0;
}

std::string LoadDefinitionFile(AppContext& ctx, const std::string& path) {
  std::string name = ppdef::LoadDefinition(path, ctx.definition, ctx.prompt);
  ctx.definitionPath = path;
  ctx.definitionName = name;
  return name;
}

std::string IsoPathForApt(std::string_view aptPath, const ppdef::PostProcessorDefinition& def) {
  return common::PathPart(aptPath, 0) + common::PathPart(aptPath, 1) +
         IsoFileName(common::PathPart(aptPath, 2), def.EXTENSION_ISO_FILE);
}

bool IsDefinitionExtension(std::string_view extension) {
  return ExtensionIs(extension, ".ppc", ".PPC");
}

bool IsAptExtension(std::string_view extension, const ppdef::PostProcessorDefinition& def) {
  if (!def.EXTENSION_APT_FILE.empty()) {
    std::string own = def.EXTENSION_APT_FILE;
    if (own.front() != '.') own.insert(own.begin(), '.');
    if (extension == own) return true;
  }
  return ExtensionIs(extension, ".apt", ".APT") ||
         ExtensionIs(extension, ".aptsource", ".APTSOURCE");
}

CommandLineStatus TreatCommandWords(AppContext& ctx, const std::vector<std::string>& words,
                                    const std::string& output, const CommandLineHooks& hooks) {
  CommandLineStatus status = CommandLineStatus::kDone;
  for (const std::string& raw : words) {
    const std::string word = common::ReplaceAll(raw, "\\", "/");
    const std::string extension = common::PathPart(word, 3);
    if (!common::FileExists(word)) {
      ctx.message(2120, " " + word);
      if (status != CommandLineStatus::kInterrupted) status = CommandLineStatus::kFileError;
      if (IsDefinitionExtension(extension)) return status;
      continue;
    }
    if (IsDefinitionExtension(extension)) {
      if (word != ctx.definitionPath) {
        const std::string name = LoadDefinitionFile(ctx, word);
        if (hooks.definitionLoaded) hooks.definitionLoaded(name);
      }
    } else if (IsAptExtension(extension, ctx.definition)) {
      const std::string isoPath = output.empty() ? IsoPathForApt(word, ctx.definition) : output;
      const RunOutcome outcome =
          hooks.convert ? hooks.convert(word, isoPath)
                        : RunTimed(ctx.log, [&] { return ConvertAptFile(ctx, word, isoPath); });
      if (IsIncomplete(outcome)) {
        status = CommandLineStatus::kInterrupted;
      } else if (outcome == RunOutcome::kRefused && status != CommandLineStatus::kInterrupted) {
        status = CommandLineStatus::kFileError;
      }
      if (hooks.converted) hooks.converted(word, isoPath, outcome);
    } else {
      ctx.prompt.informText(ctx.strings.get(1402) + extension + ctx.strings.get(1403));
      if (status != CommandLineStatus::kInterrupted) status = CommandLineStatus::kFileError;
    }
  }
  return status;
}

}  // namespace ordalis::app
