#pragma once
// The picture of the machine's kinematics on the multi-axis tab: a schematic front view that shows
// whether the head or the table carries each rotary axis, which axis carries which, and the
// letters.

#include <QString>
#include <QWidget>

namespace ordalis::ui {

class MachinePicture : public QWidget {
  Q_OBJECT

 public:
  explicit MachinePicture(QWidget* parent = nullptr);

  /// Shows kinematics `number` (1-20; anything else shows no machine) under the caption `name`.
  void setKinematics(int number, const QString& name);
  int kinematics() const { return number_; }

  QSize sizeHint() const override { return {340, 380}; }
  QSize minimumSizeHint() const override { return {260, 300}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int number_ = 0;
  QString name_;
};

}  // namespace ordalis::ui
