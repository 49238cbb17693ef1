#pragma once
// The text box of the code edit window: a plain-text editor that offers the names the template
// engine knows as soon as a placeholder is opened with "&(".

#include <QPlainTextEdit>

class QCompleter;

namespace ordalis::ui {

class CodeTextEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CodeTextEdit(QWidget* parent = nullptr);

  QCompleter* completer() const { return completer_; }
  /// The part of a name typed after the last "&(" before the caret, or a null text when the caret
  /// is not inside a placeholder's name.
  QString namePrefix() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void insertName(const QString& name);
  void updateCompletion();

  QCompleter* completer_;
};

}  // namespace ordalis::ui
