#pragma once
// The page view: shows Image1's picture as it is, without a copy, and reports
// mouse presses and moves in picture coordinates.
#include <QImage>
#include <QWidget>

struct TImage;

class PageView : public QWidget {
  Q_OBJECT
 public:
  explicit PageView(TImage& image, QWidget* parent = nullptr);
  // The picture's bytes wrapped as a QImage (valid until the picture is resized).
  QImage Picture() const;

 signals:
  void Pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
  void Moved(QPoint at);
  // The wheel turned by whole notches: positive towards the user (down).
  void Wheeled(int notches);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  TImage& image_;
  int wheelRest_ = 0;  // eighths of a degree not yet a whole notch (a touchpad's small steps)
};
