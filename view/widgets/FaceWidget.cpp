#include "view/widgets/FaceWidget.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "resources/Embedded.h"

QRegion FaceOutline(const QImage& picture) {
  if (picture.isNull()) return {};
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  const QRgb outside = rgb.pixel(0, rgb.height() - 1);
  return QRegion(QBitmap::fromImage(rgb.createMaskFromColor(outside, Qt::MaskInColor)));
}

QImage FacePicture() {
  const std::string_view data = EmbeddedFace();
  return QImage::fromData(reinterpret_cast<const uchar*>(data.data()),
                          static_cast<int>(data.size()), "PNG");
}

QIcon FaceIcon(const QImage& picture) {
  QImage icon = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb outside = icon.pixel(0, icon.height() - 1);
  for (int y = 0; y < icon.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(icon.scanLine(y));
    for (int x = 0; x < icon.width(); ++x)
      if (row[x] == outside) row[x] = qRgba(0, 0, 0, 0);
  }
  return QIcon(
      QPixmap::fromImage(icon.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

FaceWidget::FaceWidget(QImage picture, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)), outline_(FaceOutline(picture_)) {
  setFixedSize(picture_.size());
}

void FaceWidget::paintEvent(QPaintEvent*) {
  QPainter(this).drawImage(0, 0, picture_);
}

void FaceWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();  // the window opens its menu on the right button
    return;
  }
  // Where the window system offers a move grab the window follows the pointer
  // as when its title bar is dragged; a bare X server has none, so the window
  // is moved here by the pointer's travel.
  QWindow* handle = window()->windowHandle();
  if (handle && handle->startSystemMove()) {
    grab_.reset();
    return;
  }
  grab_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void FaceWidget::mouseMoveEvent(QMouseEvent* event) {
  if (grab_ && (event->buttons() & Qt::LeftButton))
    window()->move(event->globalPosition().toPoint() - *grab_);
}

void FaceWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) grab_.reset();
}
