#pragma once
// The start-up look at the system's decimal separator, as the user sees it: a message that only
// informs, since Ordalis reads and writes numbers with "." whatever the system uses.

#include <string_view>

class QWidget;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class Dialogs;

/// Tells the user when `separator` (the system's, "" when unreadable) is not "."; returns whether
/// it did. Nothing of the system is changed.
bool NoticeDecimalSeparator(std::string_view separator, const l10n::Strings& strings,
                            Dialogs& dialogs, QWidget* parent = nullptr);

}  // namespace ordalis::ui
