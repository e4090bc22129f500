#include "view/PageView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "form/Unit1.h"

PageView::PageView(TImage& image, QWidget* parent) : QWidget(parent), image_(image) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage PageView::Picture() const {
  const TABitmap& bitmap = image_.Picture;
  if (bitmap.Empty()) return {};
  // TABitmap rows are blue, green, red bytes: Qt's BGR888 layout.
  return QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.Stride(),
                QImage::Format_BGR888);
}

void PageView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QImage picture = Picture();
  if (picture.isNull()) {
    p.fillRect(rect(), Qt::black);
    return;
  }
  p.drawImage(event->rect(), picture, event->rect());
  if (picture.width() < width() || picture.height() < height()) {
    p.fillRect(picture.width(), 0, width() - picture.width(), height(), Qt::black);
    p.fillRect(0, picture.height(), picture.width(), height() - picture.height(), Qt::black);
  }
}

void PageView::mousePressEvent(QMouseEvent* event) {
  emit Pressed(event->button(), event->modifiers(), event->position().toPoint());
}

void PageView::mouseMoveEvent(QMouseEvent* event) {
  emit Moved(event->position().toPoint());
}

void PageView::wheelEvent(QWheelEvent* event) {
  // One notch of a mouse wheel is 120; a touchpad sends smaller steps, which
  // add up to a page. Turning the wheel down (towards the user) is negative.
  constexpr int kNotch = 120;
  wheelRest_ -= event->angleDelta().y();
  const int notches = wheelRest_ / kNotch;
  wheelRest_ -= notches * kNotch;
  event->accept();
  if (notches != 0) emit Wheeled(notches);
}
