#include "ui/l10n/decimal_notice.h"

#include "core/l10n/decimal_separator.h"
#include "ui/common/cp1252.h"
#include "ui/common/dialogs.h"

namespace ordalis::ui {

bool NoticeDecimalSeparator(std::string_view separator, const l10n::Strings& strings,
                            Dialogs& dialogs, QWidget* parent) {
  if (!l10n::DecimalSeparatorNeedsNotice(separator)) return false;
  dialogs.inform(parent, FromCp1252(l10n::DecimalSeparatorNotice(strings, separator)));
  return true;
}

}  // namespace ordalis::ui
