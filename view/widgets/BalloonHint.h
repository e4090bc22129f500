#pragma once
// Balloon hints: the hint of the control under the mouse in a speech balloon,
// shown once the mouse has rested on the control for a moment and hidden after
// a while. Moving on to another control while a balloon shows moves it there at
// once. A control's hint is its status tip.
#include <QElapsedTimer>
#include <QPainterPath>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// The balloon itself: a rounded body with a tail pointing up at the control.
class BalloonHint : public QWidget {
  Q_OBJECT
 public:
  BalloonHint();
  // Shows text with the tail's tip at this screen point.
  void ShowAt(const QString& text, QPoint tip);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPainterPath Shape() const;
  QString text_;
};

class BalloonHints : public QObject {
  Q_OBJECT
 public:
  static constexpr int kShowAfterMs = 500;
  static constexpr int kHideAfterMs = 2500;
  // Hints for the controls of window; installs itself on the application.
  explicit BalloonHints(QWidget* window);
  BalloonHint* Balloon() const { return balloon_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Show();
  void Hide();

  QWidget* window_;
  BalloonHint* balloon_;
  QPointer<QWidget> target_;
  QTimer showTimer_;
  QTimer hideTimer_;
  QElapsedTimer sinceHidden_;  // a balloon left just now follows to the next control
};
