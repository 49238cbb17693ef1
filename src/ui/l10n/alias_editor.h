#pragma once
// The editor of the CAM word aliases (section APT_ALIAS of the settings file): one row per word
// and its replacement, rows added and removed, every change written at once through the core.
// A row the file could not hold is shown in red with the reason and not written.

#include <QGroupBox>
#include <string>
#include <vector>

#include "core/app/settings_store.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class AliasEditor : public QGroupBox {
  Q_OBJECT

 public:
  /// Shows the aliases of `settingsPath`.
  AliasEditor(const l10n::Strings& strings, std::string settingsPath, QWidget* parent = nullptr);

  /// The rows as shown, blank rows included.
  std::vector<app::AliasEntry> entries() const;
  QTableWidget* table() const { return table_; }

  /// Adds an empty row at the end and starts editing its word.
  void addRow();
  /// Removes the selected rows (the current one when none is selected).
  void removeRows();
  void applyTexts();

 signals:
  /// The section was written; `ok` is false when the file could not be written.
  void saved(bool ok);

 private:
  void load();
  void save();
  void markProblems(const std::vector<app::AliasEntry>& rows);

  const l10n::Strings& strings_;
  std::string settingsPath_;
  QTableWidget* table_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QLabel* hint_ = nullptr;
  bool loading_ = false;
};

}  // namespace ordalis::ui
