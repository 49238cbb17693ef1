#pragma once
// The one place where Windows-1252 bytes of the core become Qt text and back. Latin-1 is not
// enough: 0x80-0x9F hold the euro sign, typographic quotes and the OE ligature in the files users
// write.

#include <QString>
#include <string>
#include <string_view>

namespace ordalis::ui {

/// Returns the Unicode text of Windows-1252 bytes (the five unassigned bytes map to U+0081... as
/// is).
QString FromCp1252(std::string_view bytes);
/// Returns the Windows-1252 bytes of `text`; a character with no Windows-1252 form becomes "?".
std::string ToCp1252(const QString& text);

}  // namespace ordalis::ui
