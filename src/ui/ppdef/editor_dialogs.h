#pragma once
// The questions the definition editor asks the user, as an interface: the desktop answers them
// with the platform's dialogs, the tests with prepared answers.

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace ordalis::ui {

class EditorDialogs {
 public:
  enum class CloseChoice { kSave, kDiscard, kCancel };

  virtual ~EditorDialogs() = default;
  /// A message with an OK button.
  virtual void inform(QWidget* parent, const QString& text) = 0;
  /// Save, Discard or Cancel for changes that closing would drop.
  virtual CloseChoice askToSave(QWidget* parent, const QString& text) = 0;
  /// The chosen folder, or an empty text when the user cancelled.
  virtual QString chooseFolder(QWidget* parent, const QString& title, const QString& start) = 0;
  /// The chosen colour, or nothing when the user cancelled.
  virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) = 0;
  /// The file to save under, or an empty text when the user cancelled.
  virtual QString chooseSavePath(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) = 0;
};

/// The platform's message box, folder, colour and file dialogs.
class QtEditorDialogs : public EditorDialogs {
 public:
  void inform(QWidget* parent, const QString& text) override;
  CloseChoice askToSave(QWidget* parent, const QString& text) override;
  QString chooseFolder(QWidget* parent, const QString& title, const QString& start) override;
  std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
  QString chooseSavePath(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter) override;
};

/// A catalogue filter ("Config (*.ppc)|*.ppc|...") in the form Qt's file dialogs take.
QString QtFileFilter(const QString& catalogueFilter);

}  // namespace ordalis::ui
