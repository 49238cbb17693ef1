#include "core/app/workspace.h"

#include "core/app/settings.h"
#include "core/app/settings_store.h"
#include "core/common/profile_file.h"
#include "core/common/text.h"

namespace ordalis::app {

namespace {

constexpr std::string_view kExeName = "ordalis";
constexpr int kMsgMissingFile = 2120;
constexpr int kAptFilter = 510;
constexpr int kIsoFilter = 511;
constexpr std::string_view kAllFiles = "Tous les fichiers (*.*)|*.*";
constexpr std::string_view kDefinitionFilter = "PPC(*.ppc)|*.ppc|Tous les fichiers (*.*)|*.*";
constexpr std::string_view kWriteError = "Error writing file: ";

/// The folder part of a path, with its trailing separator ("" when none).
std::string FolderOf(std::string_view path) {
  return common::PathPart(path, 0) + common::PathPart(path, 1);
}

}  // namespace

Workspace::Workspace(AppContext& app, common::TextPane& aptPane, common::TextPane& isoPane,
                     WorkspacePrompt& prompt, WorkspaceObserver& observer)
    : app_(app), aptPane_(aptPane), isoPane_(isoPane), prompt_(prompt), observer_(observer) {}

Workspace::~Workspace() {
  if (worker_.joinable()) {
    stop_.request();
    worker_.join();
  }
}

void Workspace::start(const std::string& explicitIni) {
  settings_ = SettingsFile::locate(app_.programFolder, explicitIni);
  app_.settingsPath = settings_.path();
  LoadConfiguration(app_, settings_.path(), kExeName);
  closeAfterRun_ = ReadCloseAfterPP(settings_.path());
  observer_.titleChanged(title());
  observer_.recentFilesChanged(settings_.recentFiles());
}

std::string Workspace::title() const {
  std::string text = "Ordalis (" + app_.definitionName + ")";
  if (isoChanged_) text += " *";
  return text;
}

void Workspace::paneEdited(Pane pane) {
  if (writing_) return;
  if (pane == Pane::kApt) {
    aptChanged_ = true;
  } else {
    setIsoChanged(true);
  }
}

void Workspace::setIsoChanged(bool changed) {
  if (isoChanged_ == changed) return;
  isoChanged_ = changed;
  observer_.titleChanged(title());
}

bool Workspace::keepHandEdits(Pane pane) {
  if (!changedByHand(pane)) return true;
  switch (prompt_.askToSave(pane)) {
    case WorkspacePrompt::SaveChoice::kCancel:
      return false;
    case WorkspacePrompt::SaveChoice::kDiscard:
      break;
    case WorkspacePrompt::SaveChoice::kSave:
      if (pane == Pane::kIso) return saveIso();
      if (aptPath_.empty() || !aptPane_.save(aptPath_)) {
        app_.log.logText(std::string(kWriteError) + aptPath_);
        return false;
      }
      break;
  }
  if (pane == Pane::kApt) aptChanged_ = false;
  return true;
}

bool Workspace::mayClose() { return keepHandEdits(Pane::kApt) && keepHandEdits(Pane::kIso); }

bool Workspace::loadInto(Pane pane, const std::string& path) {
  common::TextPane& target = pane == Pane::kApt ? aptPane_ : isoPane_;
  writing_ = true;
  const bool loaded = target.load(common::NativePath(path));
  writing_ = false;
  if (!loaded) {
    app_.message(kMsgMissingFile, " " + path);
    return false;
  }
  if (pane == Pane::kApt) {
    aptChanged_ = false;
  } else {
    setIsoChanged(false);
  }
  return true;
}

void Workspace::noteRecent(const std::string& path) {
  settings_.addRecentFile(path);
  observer_.recentFilesChanged(settings_.recentFiles());
}

bool Workspace::openApt() {
  const std::string path =
      prompt_.chooseOpenPath(app_.definition.Repertoire_APT, app_.strings.get(kAptFilter));
  return !path.empty() && openAptFile(path);
}

bool Workspace::openAptFile(const std::string& path) {
  if (running() || !keepHandEdits(Pane::kApt) || !loadInto(Pane::kApt, path)) return false;
  aptPath_ = path;
  noteRecent(path);
  return true;
}

bool Workspace::openIso() {
  const std::string path = prompt_.chooseOpenPath(app_.definition.Repertoire_ISO, isoFilter());
  return !path.empty() && openIsoFile(path);
}

bool Workspace::openIsoFile(const std::string& path) {
  if (running() || !keepHandEdits(Pane::kIso) || !loadInto(Pane::kIso, path)) return false;
  isoPath_ = path;
  noteRecent(path);
  return true;
}

bool Workspace::openRecent(const std::string& path) {
  if (IsAptExtension(common::PathPart(path, 3), app_.definition)) return openAptFile(path);
  return openIsoFile(path);
}

bool Workspace::openDropped(const std::string& path) {
  if (IsDefinitionExtension(common::PathPart(path, 3))) return selectDefinitionFile(path);
  return openRecent(path);
}

void Workspace::clearRecentFiles() {
  settings_.clearRecentFiles();
  observer_.recentFilesChanged({});
}

std::string Workspace::isoFilter() const {
  const ppdef::PostProcessorDefinition& def = app_.definition;
  if (def.EXTENSION_ISO_FILE.empty()) return app_.strings.get(kIsoFilter);
  const std::string pattern = "*" + IsoFileName("", def.EXTENSION_ISO_FILE);
  return def.PP_NOM + " (" + pattern + ")|" + pattern + "|" + std::string(kAllFiles);
}

bool Workspace::saveIso() {
  const std::string proposed = !proposedIsoName_.empty() ? proposedIsoName_ : isoPath_;
  const std::string path = prompt_.chooseSavePath(proposed, isoFilter());
  return !path.empty() && saveIsoTo(path);
}

bool Workspace::saveIsoTo(const std::string& path) {
  if (!isoPane_.save(common::NativePath(path))) {
    app_.log.logText(std::string(kWriteError) + path);
    return false;
  }
  isoPath_ = path;
  setIsoChanged(false);
  return true;
}

bool Workspace::selectDefinition() {
  const std::string path =
      prompt_.chooseOpenPath(app_.programFolder + "ppc", std::string(kDefinitionFilter));
  return !path.empty() && selectDefinitionFile(path);
}

bool Workspace::selectDefinitionFile(const std::string& path) {
  if (path == app_.definitionPath) return false;
  const std::string target = settings_.forWriting();
  const std::string fileName = common::PathPart(path, 2) + common::PathPart(path, 3);
  const std::string stored = FolderOf(path) == app_.programFolder ? ".\\" + fileName : path;
  if (target.empty() ||
      !common::WriteProfileString(target, "POSTPROCESSEUR", "Nom", common::PathPart(path, 2)) ||
      !common::WriteProfileString(target, "POSTPROCESSEUR", "Fichier", stored)) {
    app_.log.logText(std::string(kWriteError) + target);
    return false;
  }
  app_.settingsPath = settings_.path();
  LoadConfiguration(app_, settings_.path(), kExeName);
  tools_.reset();
  observer_.titleChanged(title());
  return true;
}

void Workspace::definitionSaved(const std::string& path, bool becomesCurrent) {
  if (becomesCurrent) {
    selectDefinitionFile(path);
  } else if (path == app_.definitionPath) {
    LoadDefinitionFile(app_, path);
    observer_.titleChanged(title());
  }
}

void Workspace::clearLog() { app_.log.clear(); }

bool Workspace::exportLog(const std::string& plainText) {
  const std::string path =
      prompt_.chooseSavePath(app_.programFolder + "Ordalis.log", app_.strings.get(513));
  if (path.empty()) return false;
  if (common::ExportLog(plainText, common::NativePath(path))) return true;
  app_.log.logText(std::string(kWriteError) + path);
  return false;
}

bool Workspace::setLanguage(int languageId) {
  app_.strings.setLanguage(languageId);
  app_.strings.loadLexicon(app_.programFolder, std::string(kExeName));
  const std::string target = settings_.forWriting();
  return !target.empty() && SaveLanguageId(target, languageId);
}

bool Workspace::setCloseAfterRun(bool close) {
  closeAfterRun_ = close;
  const std::string target = settings_.forWriting();
  return !target.empty() && SaveCloseAfterPP(target, close);
}

bool Workspace::saveWindowLayout(const WindowLayout& layout) {
  const std::string target = settings_.forWriting();
  return !target.empty() && SaveWindowLayout(target, layout);
}

bool Workspace::saveAliases(const std::vector<AliasEntry>& entries) {
  const std::string target = settings_.forWriting();
  const bool saved = !target.empty() && SaveAliases(target, entries);
  reloadAliases();
  return saved;
}

void Workspace::reloadAliases() {
  app_.aliases =
      apt::AliasTable::fromProfile(common::ProfileFile::load(common::NativePath(settings_.path())));
}

}  // namespace ordalis::app
