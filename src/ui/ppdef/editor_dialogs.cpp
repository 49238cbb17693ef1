#include "ui/ppdef/editor_dialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace ordalis::ui {

void QtEditorDialogs::inform(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QCoreApplication::applicationName(), text);
}

EditorDialogs::CloseChoice QtEditorDialogs::askToSave(QWidget* parent, const QString& text) {
  const auto answer = QMessageBox::question(
      parent, QCoreApplication::applicationName(), text,
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return CloseChoice::kSave;
  if (answer == QMessageBox::Discard) return CloseChoice::kDiscard;
  return CloseChoice::kCancel;
}

QString QtEditorDialogs::chooseFolder(QWidget* parent, const QString& title, const QString& start) {
  return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

std::optional<QColor> QtEditorDialogs::chooseColour(QWidget* parent, const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, parent);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

QString QtEditorDialogs::chooseSavePath(QWidget* parent, const QString& title, const QString& start,
                                        const QString& filter) {
  return QFileDialog::getSaveFileName(parent, title, start, filter);
}

QString QtFileFilter(const QString& catalogueFilter) {
  const QStringList parts = catalogueFilter.split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    // The description usually shows the pattern already; Qt reads the pattern from the brackets.
    QString description = parts[i];
    if (!description.contains('(')) description += " (" + parts[i + 1] + ")";
    filters << description;
  }
  return filters.join(";;");
}

}  // namespace ordalis::ui
