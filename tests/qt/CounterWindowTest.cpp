// The counter as a user meets it: "co" opens it, Space counts on screen, a
// double-click runs its timer, and a closed counter opens again at 0.
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

// Pixels of the window's picture much darker than its white ground.
int Ink(QWidget& window) {
  const QImage image = window.grab().toImage();
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 96) ++ink;
  return ink;
}

class CounterWindowTest : public FormTest {
 protected:
  CounterWindow& OpenCounter() {
    qobject_cast<QAbstractButton*>(window.Control("CountButton"))->click();
    EXPECT_NE(window.Counter(), nullptr);
    return *window.Counter();
  }
  MainWindow window{F()};
};

TEST_F(CounterWindowTest, CoOpensACounterThatCountsAndReopensAtZero) {
  window.show();
  CounterWindow& counter = OpenCounter();
  EXPECT_TRUE(counter.isVisible());
  EXPECT_EQ(counter.windowTitle(), "Counter");
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
  EXPECT_EQ(counter.Timer1()->interval(), 1000);

  counter.close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window.Counter(), nullptr);
  EXPECT_EQ(F().Form2, nullptr);

  CounterWindow& again = OpenCounter();
  EXPECT_EQ(again.Label1()->text(), "0");
  EXPECT_FALSE(again.Timer1()->isActive());
}

}  // namespace
