#include "view/widgets/SwatchLabel.h"

#include <QPainter>

SwatchLabel::SwatchLabel(bool swatch, QWidget* parent) : QWidget(parent), swatch_(swatch) {}

void SwatchLabel::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
}

void SwatchLabel::SetFill(const QColor& color, bool opaque) {
  if (color == fill_ && opaque == opaque_) return;
  fill_ = color;
  opaque_ = opaque;
  update();
}

void SwatchLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (swatch_) {
    if (opaque_) p.fillRect(rect(), fill_);
    return;
  }
  p.setPen(QColor(0x20, 0x24, 0x30));
  p.drawText(rect(), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, caption_);
}
