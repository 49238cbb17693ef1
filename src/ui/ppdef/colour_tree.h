#pragma once
// The colour tab: the 50 statement colours of the definition as a tree, each entry in its own
// colour and bold. A click on an entry opens the colour chooser; pure red is refused.

#include <QTreeWidget>

#include "core/ppdef/colour_scheme.h"

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class EditorDialogs;

class ColourTree : public QTreeWidget {
  Q_OBJECT

 public:
  ColourTree(const l10n::Strings& strings, EditorDialogs& dialogs, QWidget* parent = nullptr);

  /// Builds the 50 entries in tree order from a colour table.
  void fill(const ppdef::ColourTable& colours);
  /// The colour table the entries now show (a colour nobody chose keeps its value as stored).
  ppdef::ColourTable colours() const;
  /// Lets the user choose the colour of the entry at tree position `position` (0-based).
  void chooseColour(int position);

  /// Takes the current colours as the ones the change marks compare with.
  void setBaseline();
  bool isChanged() const;
  /// Shows only the entries whose key or text contains `filter`; returns how many show.
  int applyFilter(const QString& filter);

 signals:
  void coloursChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void setEntryColour(QTreeWidgetItem* item, std::int32_t value);

  const l10n::Strings& strings_;
  EditorDialogs& dialogs_;
  ppdef::ColourTable baseline_{};
};

/// The colour tab: the tree under its frame caption, like the other tabs' fields.
QWidget* FramedColourTree(ColourTree* tree, const QString& caption);

/// A stored colour (red in the low byte) as Qt shows it, and back.
QColor ToQColor(std::int32_t value);
std::int32_t FromQColor(const QColor& colour);

}  // namespace ordalis::ui
