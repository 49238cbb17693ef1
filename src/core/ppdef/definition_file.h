#pragma once
// Loading a post-processor definition file into PostProcessorDefinition, and writing the
// editor's fields back into it and into the file.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/ppdef/definition.h"

namespace ordalis::common {
class ProfileFile;
class UserPrompt;
}  // namespace ordalis::common
namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ppdef {

/// The program's version as saved in, and compared with, the key Version ("0.5").
std::string ProgramVersion();
/// True when a file's Version ("major.minor"; "" reads as 0.0) is older than the program's.
bool IsOlderVersion(std::string_view fileVersion);

/// Fills `def` from the file and returns its name (PP_NOM). Never fails: a missing file reads as
/// an empty one. An older file version is reported through message 2116 and loading goes on.
std::string LoadDefinition(const std::string& path, PostProcessorDefinition& def,
                           common::UserPrompt& prompt);
/// The same, from a profile already read.
std::string LoadDefinition(const common::ProfileFile& file, PostProcessorDefinition& def,
                           common::UserPrompt& prompt);

/// Builds the mode table from MODE as written in the file (entries ended by "&n", each
/// "match/output"; text after the last "&n" is no entry).
std::vector<ModeEntry> ParseModeTable(std::string_view encoded);
/// The mode table as the editor shows it (MODE with real line breaks): the text without what
/// follows its last line break, which loading never makes an entry.
std::string ModeFieldText(std::string_view mode);
/// The mode text saving stores for a typed table (any line breaks in, CR LF out): when it has
/// several lines the last one gets its line break too, so every line typed stays an entry.
std::string NormaliseModeField(std::string_view typed);
/// Sets AddressPosition from PP_ORDER, replacing an order that is not 13 letters long.
void ApplyAddressOrder(PostProcessorDefinition& def);
/// Sets RotaryAxisInUse from the kinematics number; unknown numbers leave it unchanged.
void ApplyKinematics(PostProcessorDefinition& def);

/// The definition editor's fields as the user left them.
struct DefinitionFields {
  /// Key name -> text as typed: texts, multi-line texts (real line breaks), numbers, and the
  /// displayed texts of the lists under their TXT_ keys.
  std::map<std::string, std::string, std::less<>> text;
  /// Check boxes: the flags, PP_SPACE and OPTION_CYCLE_RAPIDE.
  std::map<std::string, bool, std::less<>> checked;
  ColourTable colours{};
};

struct SaveResult {
  enum class Status { kSaved, kInvalidField, kWriteFailed };
  Status status = Status::kSaved;
  std::string field;  // kInvalidField: the key of the first field that holds no valid number
  bool ok() const { return status == Status::kSaved; }
};

/// Checks every numeric field first (nothing is stored or written when one is invalid), then
/// stores the fields into `def` and writes the whole file at once, keeping every other line of it.
SaveResult SaveDefinition(const std::string& path, const DefinitionFields& fields,
                          PostProcessorDefinition& def, const l10n::Strings& strings);

/// The editor's fields for a loaded definition; saving them unchanged writes the same values.
DefinitionFields FieldsFromDefinition(const PostProcessorDefinition& def);

}  // namespace ordalis::ppdef
