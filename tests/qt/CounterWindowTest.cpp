// The counter as a user meets it: opened by "co", counting on screen, reopened at 0.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include "shell/qt/MainWindow.h"
#include "tests/shell/FormFixture.h"

namespace {

int Ink(QWidget& window) {  // pixels much darker than the white ground
  const QImage image = window.grab().toImage();
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 96;
  return ink;
}

TEST_F(FormTest, CoOpensACounterThatCountsAndReopensAtZero) {
  MainWindow window(F());
  window.show();
  const auto open = [&window]() -> CounterWindow& {
    qobject_cast<QAbstractButton*>(window.Control("CountButton"))->click();
    EXPECT_NE(window.Counter(), nullptr);
    return *window.Counter();
  };
  CounterWindow& counter = open();
  EXPECT_TRUE(counter.isVisible() && counter.windowTitle() == "Counter");
  EXPECT_EQ(counter.Label1()->text(), "0");
  const int inkOfZero = Ink(counter);
  EXPECT_GT(inkOfZero, 500);  // the big number is drawn
  for (int key : {Qt::Key_Space, Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Space}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&counter, &press);
  }
  EXPECT_EQ(counter.Label1()->text(), "2");
  EXPECT_NE(Ink(counter), inkOfZero);

  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(20, 500), QPointF(20, 500), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&counter, &twice);
  EXPECT_TRUE(counter.Timer1()->isActive());

  counter.close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.Counter() == nullptr && F().Form2 == nullptr);
  CounterWindow& again = open();
  EXPECT_EQ(again.Label1()->text(), "0");
  EXPECT_FALSE(again.Timer1()->isActive());
}

}  // namespace
