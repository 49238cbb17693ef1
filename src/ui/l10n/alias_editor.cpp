#include "ui/l10n/alias_editor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>
#include <utility>

#include "core/l10n/strings.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

constexpr int kTitle = 9020, kWord = 9021, kReplacement = 9022, kAdd = 9023, kRemove = 9024,
              kHint = 9025, kBadWord = 9027, kRepeated = 9028;
const QColor kProblemColour(0xff, 0xd6, 0xd6);

QString Cell(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item != nullptr ? item->text() : QString();
}

}  // namespace

AliasEditor::AliasEditor(const l10n::Strings& strings, std::string settingsPath, QWidget* parent)
    : QGroupBox(parent), strings_(strings), settingsPath_(std::move(settingsPath)) {
  setObjectName("FrameAlias");
  table_ = new QTableWidget(0, 2, this);
  table_->setObjectName("TableAlias");
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->setVisible(false);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  add_ = new QPushButton(this);
  add_->setObjectName("AddAlias");
  remove_ = new QPushButton(this);
  remove_->setObjectName("RemoveAlias");
  hint_ = new QLabel(this);
  hint_->setWordWrap(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(remove_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  layout->addWidget(hint_);
  connect(add_, &QPushButton::clicked, this, &AliasEditor::addRow);
  connect(remove_, &QPushButton::clicked, this, &AliasEditor::removeRows);
  connect(table_, &QTableWidget::itemChanged, this, [this] {
    if (!loading_) save();
  });
  applyTexts();
  load();
}

void AliasEditor::applyTexts() {
  const auto text = [this](int id) { return FromCp1252(strings_.get(id)); };
  setTitle(text(kTitle));
  table_->setHorizontalHeaderLabels({text(kWord), text(kReplacement)});
  add_->setText(text(kAdd));
  remove_->setText(text(kRemove));
  hint_->setText(text(kHint));
  markProblems(entries());
}

void AliasEditor::load() {
  loading_ = true;
  const std::vector<app::AliasEntry> aliases = app::ReadAliases(settingsPath_);
  table_->setRowCount(static_cast<int>(aliases.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const app::AliasEntry& alias = aliases[static_cast<std::size_t>(row)];
    table_->setItem(row, 0, new QTableWidgetItem(FromCp1252(alias.word)));
    table_->setItem(row, 1, new QTableWidgetItem(FromCp1252(alias.replacement)));
  }
  loading_ = false;
}

std::vector<app::AliasEntry> AliasEditor::entries() const {
  std::vector<app::AliasEntry> rows;
  for (int row = 0; row < table_->rowCount(); ++row) {
    rows.push_back({ToCp1252(Cell(table_, row, 0)), ToCp1252(Cell(table_, row, 1))});
  }
  return rows;
}

void AliasEditor::addRow() {
  loading_ = true;
  const int row = table_->rowCount();
  table_->insertRow(row);
  table_->setItem(row, 0, new QTableWidgetItem);
  table_->setItem(row, 1, new QTableWidgetItem);
  loading_ = false;
  table_->setCurrentCell(row, 0);
  table_->editItem(table_->item(row, 0));
}

void AliasEditor::removeRows() {
  std::set<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows())
    rows.insert(index.row());
  if (rows.empty() && table_->currentRow() >= 0) rows.insert(table_->currentRow());
  if (rows.empty()) return;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) table_->removeRow(*it);
  save();
}

void AliasEditor::save() {
  const std::vector<app::AliasEntry> rows = entries();
  markProblems(rows);
  emit saved(app::SaveAliases(settingsPath_, rows));
}

void AliasEditor::markProblems(const std::vector<app::AliasEntry>& rows) {
  const bool wasLoading = std::exchange(loading_, true);  // colours are no edits
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const bool blank = rows[i].word.empty() && rows[i].replacement.empty();
    const app::AliasProblem problem = blank ? app::AliasProblem::kNone : app::CheckAlias(rows, i);
    const QString tip = problem == app::AliasProblem::kBadWord ? FromCp1252(strings_.get(kBadWord))
                        : problem == app::AliasProblem::kRepeated
                            ? FromCp1252(strings_.get(kRepeated))
                            : QString();
    for (int column = 0; column < 2; ++column) {
      QTableWidgetItem* item = table_->item(static_cast<int>(i), column);
      if (item == nullptr) continue;
      item->setBackground(tip.isEmpty() ? QBrush() : QBrush(kProblemColour));
      item->setToolTip(tip);
    }
  }
  loading_ = wasLoading;
}

}  // namespace ordalis::ui
