#pragma once
// The search dialog: modeless, kept above the main window, it searches and replaces in whichever
// text pane is active through the core's TextSearch. The window's Next and Replace all commands
// call the same operations without showing it, and are enabled while it has a text to search.

#include <QDialog>
#include <QString>
#include <cstddef>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace ordalis::common {
class TextPane;
}
namespace ordalis::common {
class StopFlag;
}
namespace ordalis::l10n {
class Strings;
}
namespace ordalis::texttools {
class TextSearch;
struct ReplaceAllResult;
}  // namespace ordalis::texttools

namespace ordalis::ui {

class Dialogs;

class SearchDialog : public QDialog {
  Q_OBJECT

 public:
  /// `search` holds the search position shared with the window; `stop` is the window's stop flag
  /// (Escape), which a replace-all polls.
  SearchDialog(const l10n::Strings& strings, texttools::TextSearch& search, common::StopFlag& stop,
               Dialogs& dialogs, QWidget* parent = nullptr);

  /// The pane that searches and replacements act on; nullptr when none has had the focus.
  void setPane(common::TextPane* pane) { pane_ = pane; }
  common::TextPane* pane() const { return pane_; }

  /// The Search command: shows the dialog with the pane's one-line selection as the text to find.
  void showSearch();
  /// Next: searches the text once more from the end of the pane's selection and selects the
  /// match; returns false (caret back to the top) when there is none.
  bool findNext();
  /// Replace: the pane's selection (or the caret) becomes the replacement text, in light red.
  void replaceSelection();
  /// Replace all: every occurrence after the selection, Escape stopping it; tells how many
  /// replacements were made (text 604). Returns that number.
  std::size_t replaceAll();

  QString searchText() const;
  QString replacementText() const;
  void setSearchText(const QString& text);
  void setReplacementText(const QString& text);
  void setWholeWord(bool on);

  /// Captions in the current language.
  void applyTexts();

 signals:
  /// Whether Next and Replace all have something to search for; sent when the text changes and
  /// when the dialog is closed or left.
  void searchAvailable(bool available);

 protected:
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void build();
  void arrange();
  texttools::ReplaceAllResult runReplaceAll();
  void remember(QComboBox* box);
  void closeDialog();
  void setStatus(const QString& text);

  const l10n::Strings& strings_;
  texttools::TextSearch& search_;
  common::StopFlag& stop_;
  Dialogs& dialogs_;
  common::TextPane* pane_ = nullptr;
  QLabel* searchLabel_ = nullptr;
  QLabel* replaceLabel_ = nullptr;
  QComboBox* searchBox_ = nullptr;
  QComboBox* replaceBox_ = nullptr;
  QCheckBox* wholeWord_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* replace_ = nullptr;
  QPushButton* replaceAll_ = nullptr;
  QPushButton* close_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace ordalis::ui
