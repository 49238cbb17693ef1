#pragma once
// The questions the desktop's windows ask the user, as an interface: the program answers them
// with the platform's dialogs, the tests with prepared answers.

#include <QString>

class QWidget;

namespace ordalis::ui {

class Dialogs {
 public:
  enum class SaveChoice { kSave, kDiscard, kCancel };

  virtual ~Dialogs() = default;
  /// A message with an OK button.
  virtual void inform(QWidget* parent, const QString& text) = 0;
  /// Save, Discard or Cancel for text that a command would drop.
  virtual SaveChoice askToSave(QWidget* parent, const QString& text) = 0;
  /// The file to open, or an empty text when the user cancelled. `filter` is in Qt's form.
  virtual QString chooseOpenPath(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) = 0;
  /// The file to save under, or an empty text when the user cancelled. `filter` is in Qt's form.
  virtual QString chooseSavePath(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) = 0;
};

/// The platform's message boxes and file dialogs.
class QtDialogs : public Dialogs {
 public:
  void inform(QWidget* parent, const QString& text) override;
  SaveChoice askToSave(QWidget* parent, const QString& text) override;
  QString chooseOpenPath(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter) override;
  QString chooseSavePath(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter) override;
};

}  // namespace ordalis::ui
