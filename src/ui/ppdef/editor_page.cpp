#include "ui/ppdef/editor_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/l10n/strings.h"
#include "core/ppdef/editor_layout.h"
#include "ui/common/cp1252.h"
#include "ui/ppdef/field_view.h"

namespace ordalis::ui {

namespace {

constexpr int kColumnSpacing = 28;
constexpr int kRowSpacing = 7;
constexpr int kLabelSpacing = 12;

QFormLayout* NewColumn(QHBoxLayout* columns) {
  auto* column = new QVBoxLayout;
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setRowWrapPolicy(QFormLayout::DontWrapRows);
  form->setLabelAlignment(Qt::AlignLeft | Qt::AlignTop);
  form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
  form->setVerticalSpacing(kRowSpacing);
  form->setHorizontalSpacing(kLabelSpacing);
  column->addLayout(form);
  columns->addLayout(column, 1);
  return form;
}

// A column of one-line fields keeps its rows together at the top; one with code boxes lets them
// take the height that is left, and twice the width of a column of short codes.
void CloseColumn(QHBoxLayout* columns, QFormLayout* form, bool grows) {
  auto* column = static_cast<QVBoxLayout*>(form->parent());
  if (grows) {
    columns->setStretchFactor(column, 2);
  } else {
    column->addStretch(1);
  }
}

}  // namespace

EditorPage::EditorPage(int tab, const l10n::Strings& strings, QWidget* besideFields,
                       QWidget* parent)
    : tab_(tab) {
  auto* scroll = new QScrollArea(parent);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* content = new QWidget(scroll);
  auto* outer = new QVBoxLayout(content);
  auto* frame = new QGroupBox(FromCp1252(strings.get(ppdef::EditorTabs()[tab - 1].frameId)));
  outer->addWidget(frame);
  auto* columns = new QHBoxLayout(frame);
  columns->setSpacing(kColumnSpacing);
  QFormLayout* form = NewColumn(columns);
  bool grows = false;

  for (const ppdef::EditorField& field : ppdef::EditorFields()) {
    if (field.tab != tab) continue;
    if (field.kind == ppdef::FieldKind::kColumnBreak) {
      CloseColumn(columns, form, grows);
      form = NewColumn(columns);
      grows = false;
    } else if (field.kind == ppdef::FieldKind::kHeading) {
      auto* heading = new QLabel(FromCp1252(strings.get(field.labelId)), frame);
      QFont bold = heading->font();
      bold.setBold(true);
      heading->setFont(bold);
      form->addRow(heading);
      headings_.emplace_back(heading, form);
    } else {
      auto* view = new FieldView(field, strings, frame);
      // A check box sits in the field column, under the fields it belongs with.
      form->addRow(
          view->label() != nullptr ? static_cast<QWidget*>(view->label()) : new QLabel(frame),
          view->editor());
      fields_.push_back(view);
      rows_.push_back({view, form});
      grows = grows || view->editor()->sizePolicy().verticalPolicy() == QSizePolicy::Expanding;
    }
  }
  CloseColumn(columns, form, grows);
  if (besideFields != nullptr) columns->addWidget(besideFields, 1);
  scroll->setWidget(content);
  widget_ = scroll;
}

void EditorPage::setFieldHidden(FieldView* field, bool hidden) {
  if (hidden) {
    hidden_.insert(field);
  } else {
    hidden_.erase(field);
  }
  applyFilter(filter_);
}

int EditorPage::applyFilter(const QString& filter) {
  filter_ = filter;
  int shown = 0;
  for (const Row& row : rows_) {
    const bool visible = hidden_.count(row.field) == 0 && row.field->matches(filter);
    row.form->setRowVisible(row.field->editor(), visible);
    shown += visible ? 1 : 0;
  }
  // Headings group the rows under them; a filtered list reads better without them.
  for (const auto& [heading, form] : headings_) form->setRowVisible(heading, filter.isEmpty());
  return shown;
}

}  // namespace ordalis::ui
