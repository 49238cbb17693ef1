#pragma once
// The tool library of the main window's bottom band: a root node "LIB" and one node per tool slot,
// shown from the core's tool tree model, each cutter type with its own drawn profile.

#include <QTreeWidget>

namespace ordalis::l10n {
class Strings;
}
namespace ordalis::tools {
class ToolTree;
}

namespace ordalis::ui {

class ToolTreeView : public QTreeWidget {
  Q_OBJECT

 public:
  /// The key of a node (data of column 0 under this role): "LIB", "Outil 1"...
  static constexpr int kKeyRole = Qt::UserRole;

  explicit ToolTreeView(const l10n::Strings& strings, QWidget* parent = nullptr);

  /// Shows the model: the root bold and expanded, reading the tool count (the library's title
  /// until the first tool), then one node per slot with its label, refreshed in place.
  void showTree(const tools::ToolTree& tree);
  /// Re-applies the library's title while no tool was shown (after a language change).
  void applyTexts();

  QTreeWidgetItem* root() const { return topLevelItem(0); }

 private:
  const l10n::Strings& strings_;
  bool hasTools_ = false;
};

}  // namespace ordalis::ui
