#pragma once
// One tab of the definition editor, built from the editor layout: its fields in one or more
// columns of label and field, under the tab's frame caption.

#include <QString>
#include <set>
#include <utility>
#include <vector>

class QFormLayout;
class QLabel;
class QWidget;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class FieldView;

class EditorPage {
 public:
  /// Builds tab `tab` (1-11, not the colour tab). `besideFields`, when given, takes a column of
  /// its own after the fields (the machine picture of the multi-axis tab).
  EditorPage(int tab, const l10n::Strings& strings, QWidget* besideFields, QWidget* parent);

  int tab() const { return tab_; }
  QWidget* widget() const { return widget_; }
  const std::vector<FieldView*>& fields() const { return fields_; }

  /// Hides a field whatever the filter says (the head angle of machines without one).
  void setFieldHidden(FieldView* field, bool hidden);
  /// Shows only the fields that match `filter`; returns how many show.
  int applyFilter(const QString& filter);

 private:
  struct Row {
    FieldView* field;
    QFormLayout* form;
  };

  int tab_;
  QWidget* widget_ = nullptr;
  std::vector<FieldView*> fields_;
  std::vector<Row> rows_;
  std::vector<std::pair<QLabel*, QFormLayout*>> headings_;
  std::set<const FieldView*> hidden_;
  QString filter_;
};

}  // namespace ordalis::ui
