#include "view/widgets/FlatButton.h"

#include <QPainter>

FlatButton::FlatButton(QWidget* parent) : QAbstractButton(parent) {
  setCursor(Qt::PointingHandCursor);
}

void FlatButton::SetFace(std::optional<QColor> color) {
  if (color == face_) return;
  face_ = color;
  update();
}

void FlatButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QColor fill = face_.value_or(QColor(0xEE, 0xF1, 0xE8));
  if (!isEnabled())
    fill = QColor(0xD6, 0xD6, 0xD2);
  else if (isDown())
    fill = fill.darker(112);
  else if (underMouse())
    fill = fill.lighter(106);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  p.fillRect(frame, fill);
  p.setPen(underMouse() && isEnabled() ? QColor(0x3C, 0x5A, 0xA0) : QColor(0x7A, 0x86, 0x7C));
  p.drawRect(frame);
  p.setPen(isEnabled() ? QColor(0x20, 0x24, 0x30) : QColor(0x8C, 0x8C, 0x8C));
  p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}
