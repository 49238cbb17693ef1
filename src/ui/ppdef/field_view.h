#pragma once
// One field of the definition editor, built from its line of the editor layout: the label, the
// widget that edits the key's value, and the change and error marks.

#include <QObject>
#include <QString>

#include "core/ppdef/editor_layout.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class FieldView : public QObject {
  Q_OBJECT

 public:
  FieldView(const ppdef::EditorField& field, const l10n::Strings& strings, QWidget* parent);

  const ppdef::EditorField& field() const { return field_; }
  std::string_view key() const { return field_.key; }
  /// The label beside the field; null for check boxes, which carry their own caption.
  QLabel* label() const { return label_; }
  /// The widget the form places (for folders, the line with its browse button).
  QWidget* editor() const { return editor_; }
  /// The widget that takes the focus and the typing.
  QWidget* input() const;
  /// The caption a message names the field by.
  QString caption() const;

  QString text() const;  // texts, numbers, folders, codes
  void setText(const QString& text);
  bool isChecked() const;
  void setChecked(bool checked);
  int index() const;  // lists: 0-based entry, -1 for none
  void setIndex(int index);
  QString shownText() const;  // lists: the entry's text

  /// Takes the current value as the one the change mark compares with.
  void setBaseline();
  bool isChanged() const { return changed_; }
  void setInvalid(bool invalid);
  /// True when the key, the caption or the value contains `filter` (any case).
  bool matches(const QString& filter) const;

 signals:
  void edited(ordalis::ui::FieldView* field);
  /// A check box clicked or a list entry chosen by the user (never by filling).
  void chosenByUser(ordalis::ui::FieldView* field);
  void codeRequested(ordalis::ui::FieldView* field);
  void browseRequested(ordalis::ui::FieldView* field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildText(bool multiLine, QWidget* parent);
  void buildFolder(const l10n::Strings& strings, QWidget* parent);
  void buildList(const l10n::Strings& strings, QWidget* parent);
  void buildFlag(const QString& caption, QWidget* parent);
  QString valueText() const;
  void onChanged();

  ppdef::EditorField field_;
  QLabel* label_ = nullptr;
  QWidget* editor_ = nullptr;
  QLineEdit* line_ = nullptr;
  QPlainTextEdit* lines_ = nullptr;
  QCheckBox* check_ = nullptr;
  QComboBox* list_ = nullptr;
  QString baseline_;
  bool changed_ = false;
};

/// Sets a style property ("changed", "invalid") and has the style sheet applied again.
void SetMark(QWidget* widget, const char* name, bool on);

}  // namespace ordalis::ui
