#pragma once
// Where each key of a definition sits in the definition editor: its tab, its place on the tab,
// the catalogue texts of its label and tool-tip, the kind of field that edits it and, for code
// templates, the number the code edit window knows it by. The desktop builds its tabs from this
// table alone, so a new key needs one line here and nothing in the dialog.

#include <span>
#include <string>
#include <string_view>

#include "core/ppdef/definition_file.h"

namespace ordalis::ppdef {

enum class FieldKind {
  kLine,         // one line of text
  kLines,        // multi-line text
  kNumber,       // must hold a valid number before anything is written
  kFlag,         // check box; the label id is its caption
  kList,         // catalogue list of an enumerated key
  kFolder,       // folder with a browse button
  kCode,         // code template (one or several lines, by the key's type): opens the code window
  kHeading,      // a caption over the rows that follow; no key
  kColumnBreak,  // the rows that follow go into the tab's next column; no key
};

struct EditorField {
  int tab;  // 1-11
  std::string_view key;
  FieldKind kind;
  int labelId;            // label text, or the check box's caption
  int toolTipId;          // 0: none
  int editNumber = 0;     // code fields: the index the code edit window writes back to
  int labelSuffixId = 0;  // a word put after the label ("ON", "OFF")
  int buttonTipId = 0;    // folders: the tool-tip of the browse button
};

struct EditorTab {
  int captionId;  // the tab's caption
  int frameId;    // the caption over its fields
};

inline constexpr int kEditorTabCount = 11;
inline constexpr int kColourTab = 10;
inline constexpr int kMultiAxisTab = 7;

/// The eleven tabs in order (index 0 is tab 1).
std::span<const EditorTab> EditorTabs();
/// Every field of every tab, tab by tab, in the order shown.
std::span<const EditorField> EditorFields();

/// Returns the field of a key (exact spelling), or nullptr.
const EditorField* FindEditorField(std::string_view key);
/// Returns the code field with that edit number, or nullptr (the code window's unknown index).
const EditorField* FindCodeField(int editNumber);

/// Kinematics whose universal head takes an angle (the head-angle field shows only for them).
bool HasHeadAngle(int kinematics);

/// Checks a number field as OK does: a whole valid number that fits the key's type; the origin
/// shift needs only a leading number, which is what saving keeps of it.
bool NumberFieldIsValid(std::string_view key, std::string_view text);
/// Returns the first number field of the layout that holds no valid number, or nullptr.
const EditorField* FirstInvalidNumberField(const DefinitionFields& fields);

}  // namespace ordalis::ppdef
