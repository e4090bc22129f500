#include "view/widgets/LozengeCheckBox.h"

#include <QPainter>

LozengeCheckBox::LozengeCheckBox(const QString& caption, QWidget* parent)
    : QAbstractButton(parent) {
  setCheckable(true);
  setText(caption);
  setCursor(Qt::PointingHandCursor);
}

QSize LozengeCheckBox::sizeHint() const {
  return {fontMetrics().horizontalAdvance(text()) + 18, 15};
}

void LozengeCheckBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal side = std::min(height(), 12) - 1;
  const qreal cx = 1 + side / 2, cy = height() / 2.0;
  const QPolygonF lozenge({QPointF(cx, cy - side / 2), QPointF(cx + side / 2, cy),
                           QPointF(cx, cy + side / 2), QPointF(cx - side / 2, cy)});
  const QColor ink = isEnabled() ? QColor(0x30, 0x3A, 0x50) : QColor(0x90, 0x90, 0x90);
  p.setPen(QPen(ink, underMouse() ? 1.5 : 1.0));
  p.setBrush(isChecked() ? QColor(0x3C, 0x5A, 0xA0) : QColor(0xF4, 0xF6, 0xF0));
  if (!isEnabled() && isChecked()) p.setBrush(QColor(0xA0, 0xA0, 0xA0));
  p.drawPolygon(lozenge);
  p.setPen(ink);
  p.drawText(QRectF(side + 5, 0, width() - side - 5, height()),
             Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
}
