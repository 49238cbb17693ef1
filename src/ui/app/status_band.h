#pragma once
// The main window's status bar: the definition in use, the caret's line and column in the pane
// being worked in, and while long work goes on its progress, its rate and a Cancel button.

#include <QObject>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace ordalis::common {
struct Progress;
}
namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class StatusBand : public QObject {
  Q_OBJECT

 public:
  /// Adds its widgets to `bar`.
  StatusBand(QStatusBar* bar, const l10n::Strings& strings);

  void setDefinition(const QString& name);
  /// Line and column from 1.
  void setCaret(int line, int column);
  /// Shows the progress widgets (true) or hides them (false).
  void setBusy(bool busy);
  /// `seconds` since the work began gives the rate.
  void showProgress(const common::Progress& progress, double seconds);
  void applyTexts();

  QPushButton* cancelButton() const { return cancel_; }
  QProgressBar* progressBar() const { return progress_; }
  QString rateText() const;

 signals:
  void cancelClicked();

 private:
  const l10n::Strings& strings_;
  QLabel* definition_ = nullptr;
  QLabel* caret_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* rate_ = nullptr;
  QPushButton* cancel_ = nullptr;
  int line_ = 1, column_ = 1;
};

}  // namespace ordalis::ui
