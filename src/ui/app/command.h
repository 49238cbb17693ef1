#pragma once
// The commands of the main window's menus and toolbar, named once for the actions, their icons
// and the window that connects them.

namespace ordalis::ui {

enum class Command : int {
  kOpenApt,           // mnuOuvrir, toolbar button 1
  kSaveIso,           // mnuSauver, toolbar button 2
  kSelectDefinition,  // mnuOuvrirProjet
  kOpenIso,           // mnuOuvrirISo
  kQuit,              // mnuQuiter
  kConvertText,       // mnuExecute, toolbar button 5
  kConvertFile,       // mnuExecuteFichier, toolbar button 6
  kStop,              // Escape: stops the long work in progress
  kLineMark,          // F9: the line mark of the caret's line in the APT pane
  kRenumber,          // mnuRenum
  kSearch,            // mnuchercheItem 1
  kNext,              // mnuchercheItem 2
  kReplaceAll,        // mnuchercheItem 3
  kCut,               // mnuEditItem 0
  kCopy,              // mnuEditItem 1
  kPaste,             // mnuEditItem 2
  kDisplay,           // mnuVisu
  kClearDisplay,      // mnuNoVisu
  kClearLabels,       // mnuNoInfo
  kHighlight,         // mnuhighlight
  kDefinitionEditor,  // mnuDefPP, toolbar button 4
  kConfiguration,     // mnuOptionLogiciel
  kExportLog,         // MnuLogFile
  kClearLog,          // mnuRazLog
  kAbout,             // mnuApropos
  kVersion,           // mnuVersion
};

inline constexpr int kCommandCount = static_cast<int>(Command::kVersion) + 1;

}  // namespace ordalis::ui
