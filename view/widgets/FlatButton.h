#pragma once
// A flat push button: a light face with a thin frame and a centred caption.
// A face colour of its own (when set) replaces the default face.
#include <QAbstractButton>
#include <QColor>
#include <optional>

class FlatButton : public QAbstractButton {
  Q_OBJECT
 public:
  explicit FlatButton(QWidget* parent = nullptr);
  void SetFace(std::optional<QColor> color);
  QSize sizeHint() const override { return {60, 20}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<QColor> face_;
};
