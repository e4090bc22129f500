#pragma once
// A check box drawn as a small lozenge (a square turned on its corner), filled
// when checked, with its caption beside it.
#include <QAbstractButton>

class LozengeCheckBox : public QAbstractButton {
  Q_OBJECT
 public:
  explicit LozengeCheckBox(const QString& caption, QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
