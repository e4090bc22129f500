#pragma once
// The window's face: paints the face picture and gives the window its shape,
// every pixel of the picture's bottom-left colour being left out. A left press
// on the face drags the window; other buttons travel on to the parent.
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>
#include <optional>

class FaceWidget : public QWidget {
  Q_OBJECT
 public:
  FaceWidget(QImage picture, QWidget* parent);
  // The part of the picture that belongs to the window, built once.
  const QRegion& Outline() const { return outline_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  QRegion outline_;
  // Where a manual drag grabbed the window, relative to its top-left corner;
  // unset when the window system moves the window itself.
  std::optional<QPoint> grab_;
};

// The outline of a face picture: the pixels not of its bottom-left pixel's colour.
QRegion FaceOutline(const QImage& picture);

// The face picture built into the program.
QImage FacePicture();
// A small picture of the face for the tray, the outside left transparent.
QIcon FaceIcon(const QImage& picture);
