#pragma once
// The About and Version boxes: the program's title, its version as the build made it, the
// language in use; the Version box adds what the program was built with, for a support call.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

/// The program's version from the build, major.minor.revision.
QString ProgramVersion();

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  enum class Kind { kAbout, kVersion };

  AboutBox(Kind kind, const l10n::Strings& strings, QWidget* parent = nullptr);

  /// Captions in the current language.
  void applyTexts();

 private:
  void arrange(QLabel* icon);

  const l10n::Strings& strings_;
  QLabel* title_ = nullptr;
  QLabel* description_ = nullptr;
  QLabel* version_ = nullptr;
  QLabel* language_ = nullptr;
  QLabel* build_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace ordalis::ui
