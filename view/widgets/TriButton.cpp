#include "view/widgets/TriButton.h"

#include <QPainter>

TriButton::TriButton(Direction direction, QWidget* parent)
    : QAbstractButton(parent), direction_(direction) {
  setCursor(Qt::PointingHandCursor);
}

void TriButton::SetFace(const QColor& color) {
  if (color == face_) return;
  face_ = color;
  update();
}

QPolygonF TriButton::Outline() const {
  const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  if (direction_ == Direction::Right)
    return QPolygonF({r.topLeft(), QPointF(r.right(), r.center().y()), r.bottomLeft()});
  return QPolygonF({r.topRight(), QPointF(r.left(), r.center().y()), r.bottomRight()});
}

bool TriButton::hitButton(const QPoint& pos) const {
  return Outline().containsPoint(pos, Qt::OddEvenFill);
}

void TriButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QColor fill = isEnabled() ? face_ : QColor(0xC8, 0xC8, 0xC8);
  if (isDown()) fill = fill.darker(115);
  p.setBrush(fill);
  p.setPen(QPen(fill.darker(isDown() || underMouse() ? 170 : 140), underMouse() ? 1.6 : 1.0));
  p.drawPolygon(Outline());
}
