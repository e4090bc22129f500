// The window's Platform (filters, clipboard text, clock, waits) and the
// number and size dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QValidator>

#include "tests/common/TestSupport.h"
#include "view/NumberDialog.h"
#include "view/QtPlatform.h"
#include "view/SizeDialog.h"

namespace {

TEST(QtPlatformTest, FileFiltersBecomeQtFiltersAndClipboardTextKeepsEveryCharacter) {
  EXPECT_EQ(ConvertFileFilter("Text(*.txt)|*.txt|All(*.*)|*.*"),
            "Text(*.txt) (*.txt);;All(*.*) (*.*)");
  EXPECT_EQ(ConvertFileFilter("Jpeg|*.jpg;*.jpeg"), "Jpeg (*.jpg *.jpeg)");
  EXPECT_EQ(ConvertFileFilter(""), "");
  QtPlatform platform;  // the clipboard's text travels as UTF-8, every character kept
  platform.SetClipboardText("縦書き。\nabc");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("縦書き。\nabc"));
  QGuiApplication::clipboard()->setText(QString::fromUtf8("頰に𠮷"));
  EXPECT_EQ(platform.ClipboardText(), "頰に𠮷");
  QGuiApplication::clipboard()->clear();
  EXPECT_EQ(platform.ClipboardText(), std::nullopt);
}

TEST(QtPlatformTest, ClockTextsWaitsAndAMissingSound) {
  QtPlatform platform;
  EXPECT_EQ(platform.LongTimeText({2026, 1, 2, 14, 5, 9, 0}) + " " +
                platform.LongTimeText({2026, 1, 2, 9, 0, 0, 0}),
            "14:05:09 9:00:00");
  for (int i = 0; i < 5; ++i) platform.ProcessMessages();  // pending events would end the wait
  std::uint32_t start = platform.TickCount();
  platform.WaitMessages(30);
  EXPECT_GE(platform.TickCount() - start, 25u);  // nothing arrives: the wait runs its course
  bool handled = false;
  QTimer::singleShot(10, [&] { handled = true; });
  start = platform.TickCount();
  platform.WaitMessages(5000);
  EXPECT_TRUE(handled && platform.TickCount() - start < 2000u);  // an event ends the wait early

  platform.PlaySound("no-such-cue.wav");
  EXPECT_EQ(platform.SoundsPlaying(), 0);
}

TEST(DialogTest, NumbersHaveAtMostSevenDigitsSizesAreOneToHundredAndOnlyOkAnswers) {
  TForm3 dialog(10);
  EXPECT_EQ(std::pair(dialog.NValEdit1->text(), dialog.Value()), std::pair(QString("10"), 10.0));
  const QValidator* validator = dialog.NValEdit1->validator();
  ASSERT_NE(validator, nullptr);
  int pos = 0;
  for (QString ok : {"0", "1234567", ""})
    EXPECT_NE(validator->validate(ok, pos), QValidator::Invalid) << ok.toStdString();
  for (QString bad : {"12345678", "-1", "1.5", "abc"})
    EXPECT_EQ(validator->validate(bad, pos), QValidator::Invalid) << bad.toStdString();
  QTimer::singleShot(0, [] {
    auto* shown = qobject_cast<TForm3*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    shown->NValEdit1->setText("250");
    shown->Button1->click();
  });
  EXPECT_EQ(TForm3::Ask(10, nullptr), 250.0);
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(TForm3::Ask(10, nullptr), std::nullopt);
  // The size dialog shows the current value within 1 to 100.
  for (auto [given, shown] : {std::pair(7, 7), {0, 1}, {250, 100}})
    EXPECT_EQ(TForm4(given).UpDown->value(), shown) << given;
  QTimer::singleShot(0, [] {
    auto* d = qobject_cast<TForm4*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    d->UpDown->setValue(42);
    d->OkButton->click();
  });
  EXPECT_EQ(TForm4::Ask(7, nullptr), 42);
  QTimer::singleShot(
      0, [] { qobject_cast<TForm4*>(QApplication::activeModalWidget())->CancelButton->click(); });
  EXPECT_EQ(TForm4::Ask(7, nullptr), std::nullopt);
}

}  // namespace
