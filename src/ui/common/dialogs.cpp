#include "ui/common/dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace ordalis::ui {

void QtDialogs::inform(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QCoreApplication::applicationName(), text);
}

Dialogs::SaveChoice QtDialogs::askToSave(QWidget* parent, const QString& text) {
  const auto answer = QMessageBox::question(
      parent, QCoreApplication::applicationName(), text,
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return SaveChoice::kSave;
  if (answer == QMessageBox::Discard) return SaveChoice::kDiscard;
  return SaveChoice::kCancel;
}

QString QtDialogs::chooseOpenPath(QWidget* parent, const QString& title, const QString& start,
                                  const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString QtDialogs::chooseSavePath(QWidget* parent, const QString& title, const QString& start,
                                  const QString& filter) {
  return QFileDialog::getSaveFileName(parent, title, start, filter);
}

}  // namespace ordalis::ui
