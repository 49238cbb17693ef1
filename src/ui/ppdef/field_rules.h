#pragma once
// The rules of the definition editor that concern single fields: a folder is chosen in the
// platform's folder dialog, a kinematics the generator cannot solve is pointed out, and the two
// places of the radius compensation exclude each other.

#include <QString>
#include <string_view>

class QWidget;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class EditorDialogs;
class FieldView;

/// The folder chosen for `folder`, stored with a trailing separator; a root or a cancelled dialog
/// is refused with message 2001 and leaves the field as it was.
void BrowseFolder(FieldView& folder, EditorDialogs& dialogs, const l10n::Strings& strings,
                  QWidget* parent);

/// Message 2117 when the kinematics chosen in `list` has no angle solution.
void WarnUnsolvedKinematics(const FieldView& list, EditorDialogs& dialogs,
                            const l10n::Strings& strings, QWidget* parent);

/// The key whose box a click on `key` must clear (compensation at start or end), or "".
std::string_view ExcludedPartner(std::string_view key);

}  // namespace ordalis::ui
