#include "view/widgets/BalloonHint.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kPad = 6;
constexpr int kTail = 9;  // height of the tail above the body
constexpr int kRadius = 8;
constexpr int kTailAt = 16;  // the tail's tip, from the body's left edge
// Moving between two controls takes a Leave and an Enter in quick succession.
constexpr int kFollowMs = 250;
const QColor kBalloonFill(0xFF, 0xFC, 0xE8);
const QColor kBalloonLine(0x6A, 0x7C, 0x66);

}  // namespace

BalloonHint::BalloonHint() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName("BalloonHint");
  setAttribute(Qt::WA_ShowWithoutActivating);
  QFont font("IPAPGothic");
  font.setPixelSize(15);
  setFont(font);
}

QPainterPath BalloonHint::Shape() const {
  QPainterPath body;
  body.addRoundedRect(QRectF(0.5, kTail + 0.5, width() - 1, height() - kTail - 1), kRadius,
                      kRadius);
  QPainterPath tail;
  tail.moveTo(kTailAt - 6, kTail + 1);
  tail.lineTo(kTailAt, 0.5);
  tail.lineTo(kTailAt + 6, kTail + 1);
  tail.closeSubpath();
  return body.united(tail);
}

void BalloonHint::ShowAt(const QString& text, QPoint tip) {
  text_ = text;
  const QSize textSize = fontMetrics().size(Qt::TextSingleLine, text);
  resize(textSize.width() + 2 * kPad + 2, textSize.height() + 2 * kPad + kTail);
  // Without a compositor a window cannot be see-through: cut it to its shape.
  setMask(QRegion(Shape().toFillPolygon().toPolygon()));
  move(tip - QPoint(kTailAt, 0));
  show();
  raise();
  update();
}

void BalloonHint::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(kBalloonLine);
  painter.setBrush(kBalloonFill);
  painter.drawPath(Shape());
  painter.setPen(Qt::black);
  painter.drawText(QRect(kPad + 1, kTail + kPad, width(), height()), Qt::TextSingleLine, text_);
}

BalloonHints::BalloonHints(QWidget* window)
    : QObject(window), window_(window), balloon_(new BalloonHint) {
  showTimer_.setSingleShot(true);
  showTimer_.setInterval(kShowAfterMs);
  hideTimer_.setSingleShot(true);
  hideTimer_.setInterval(kHideAfterMs);
  connect(&showTimer_, &QTimer::timeout, this, &BalloonHints::Show);
  connect(&hideTimer_, &QTimer::timeout, this, &BalloonHints::Hide);
  connect(this, &QObject::destroyed, balloon_, &QObject::deleteLater);
  qApp->installEventFilter(this);
}

bool BalloonHints::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget == window_ || widget->window() != window_) return false;
  switch (event->type()) {
    case QEvent::Enter:
      if (widget->statusTip().isEmpty()) break;
      target_ = widget;
      if (balloon_->isVisible() || (sinceHidden_.isValid() && sinceHidden_.elapsed() < kFollowMs))
        Show();
      else
        showTimer_.start();
      break;
    case QEvent::Leave:
      if (widget != target_) break;
      if (balloon_->isVisible()) sinceHidden_.start();
      showTimer_.stop();
      Hide();
      target_ = nullptr;
      break;
    case QEvent::MouseButtonPress:
      showTimer_.stop();
      Hide();
      break;
    default:
      break;
  }
  return false;
}

void BalloonHints::Show() {
  if (!target_ || !window_->isVisible()) return;
  const QString text = target_->statusTip();
  if (text.isEmpty()) return;
  balloon_->ShowAt(text, target_->mapToGlobal(QPoint(target_->width() / 2, target_->height())));
  hideTimer_.start();
}

void BalloonHints::Hide() {
  hideTimer_.stop();
  balloon_->hide();
}
