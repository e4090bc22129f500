// The window as a user meets it: clicks, toggles, the slider, drops, hints,
// shortcuts and timers reach TForm1, and what TForm1 changes shows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSlider>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "form/ControlTable.h"
#include "tests/shell/FormFixture.h"
#include "view/MainWindow.h"
#include "view/PageView.h"
#include "view/WindowPlacement.h"
#include "view/widgets/LozengeCheckBox.h"
#include "view/widgets/SwatchLabel.h"
#include "view/widgets/TriButton.h"

namespace {

using testsupport::Sjis;

int DarkPixels(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 96) ++dark;
  return dark;
}

void Press(QWidget* widget, QPointF at, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, modifiers);
    QCoreApplication::sendEvent(widget, &event);
  }
}

class WindowTest : public FormTest {
 protected:
  // A shown window with a Japanese text of several pages from the command line.
  void SetUp() override {
    std::string text;
    for (int i = 0; i < 60; ++i)
      text += Sjis("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。") + "\r\n";
    testsupport::WriteFile(dir / "neko.txt", text);
    F().ExamineCommandLine({dir / "neko.txt"});
    window = std::make_unique<MainWindow>(F());
    window->show();
    ASSERT_GT(F().FAllPage, 2);
  }

  template <typename T = QWidget>
  T* Widget(const std::string& name) {
    QWidget* w = window->Control(name);
    EXPECT_NE(w, nullptr) << name;
    return qobject_cast<T*>(w);
  }

  std::unique_ptr<MainWindow> window;
};

TEST_F(WindowTest, ThePageViewShowsImage1AsItIs) {
  // Distinct red and blue bytes: a swapped channel order would show here.
  F().Image1.Picture.Fill(RGBColor(200, 30, 90));
  F().Image1.Picture.SetPixel(639, 479, RGBColor(10, 220, 40));
  window->Sync();
  const QImage shown = window->Page()->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(640, 480));
  EXPECT_EQ(QColor(shown.pixel(5, 5)), QColor(200, 30, 90));
  EXPECT_EQ(QColor(shown.pixel(639, 479)), QColor(10, 220, 40));
}

TEST_F(WindowTest, ButtonsPageClicksTheSliderAndTheMenuTurnThePage) {
  const QImage before = window->Page()->grab().toImage();
  Widget<TriButton>("TriButton1")->click();
  const QImage first = window->Page()->grab().toImage();
  EXPECT_EQ(F().FPage, 1);  // the first step draws the page the text opened at
  EXPECT_TRUE(first != before && DarkPixels(first) > 500) << "the page shows text";
  Press(window->Page(), {320, 240}, Qt::LeftButton);
  auto* slider = window->findChild<QSlider*>("ExtTrackBar1");
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(std::tuple(F().FPage, Widget<SwatchLabel>("Label1")->Caption(), slider->value()),
            std::tuple(2, "2", 2));
  EXPECT_NE(window->Page()->grab().toImage(), first);
  Press(window->Page(), {320, 240}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(F().FPage, 1);
  Press(window->Page(), {100, 100}, Qt::RightButton);  // opens the menu instead
  EXPECT_TRUE(F().FPage == 1 && window->PopupMenu1()->isVisible());
  window->PopupMenu1()->hide();
  Widget<TriButton>("TriButton2")->click();
  // The slider chooses the page the next step shows.
  EXPECT_EQ(std::pair(F().FPage, slider->maximum()), std::pair(F().FAllPage, F().FAllPage));
  slider->setValue(3);
  EXPECT_EQ(std::tuple(F().FPage, Widget<SwatchLabel>("Label1")->Caption()), std::tuple(3, "3"));
  Widget<TriButton>("TriButton1")->click();
  EXPECT_EQ(std::pair(F().FPage, slider->value()), std::pair(3, 3));
  // Menu items run their commands; their shortcuts work window-wide.
  QMenu* menu = window->PopupMenu1();
  for (QAction* a : menu->actions())
    EXPECT_TRUE(a->shortcut().isEmpty() || window->actions().contains(a))
        << a->text().toStdString();
  EXPECT_EQ(menu->findChild<QAction*>("Ecriture1")->shortcut(), QKeySequence("Ctrl+F"));
  menu->findChild<QAction*>("Ecriture1")->trigger();
  EXPECT_EQ(F().FPage, 4);
  menu->findChild<QAction*>("BackPage1")->trigger();
  EXPECT_EQ(F().FPage, 3);
}

TEST_F(WindowTest, ToggledBoxesRunTheirHandlersAndChangedModelsShowAtTheNextSync) {
  auto* slow = Widget<LozengeCheckBox>("LCheckBox14");
  for (bool on : {true, false}) {
    slow->click();  // only the "Slow" handler writes the status text
    EXPECT_EQ(std::tuple(F().LCheckBox14.Checked, slow->isChecked(),
                         Widget<SwatchLabel>("HintLabel1")->Caption()),
              std::tuple(on, on, on ? "Slow on" : "Slow off"));
  }
  // A handler that changes other boxes shows them all.
  Widget<LozengeCheckBox>("TurnCheckBox")->click();
  for (const char* name : {"FullCheckBox", "BigFontCheckBox", "MoreBigCheckBox"})
    EXPECT_TRUE(Widget<LozengeCheckBox>(name)->isChecked()) << name;
  // A model changed by a command shows at the next Sync, without its handler.
  F().LCheckBox8.Checked = true, F().LCheckBox8.Enabled = false;
  window->Sync();
  auto* horizontal = Widget<LozengeCheckBox>("LCheckBox8");
  EXPECT_TRUE(horizontal->isChecked() && !horizontal->isEnabled());
  F().PNameoff();  // short names and hints go at the next Sync
  window->Sync();
  EXPECT_TRUE(window->Control("Effect1")->property("text").toString().isEmpty() &&
              window->Control("LCheckBox4")->statusTip().isEmpty());
  // The title card's handler switches its own model off: the window must stop it.
  F().Timer2.Enabled = true, F().Timer2.Interval = 20;
  window->Sync();
  QTimer* timer2 = window->TimerFor("Timer2");
  EXPECT_TRUE(timer2->isActive());
  QElapsedTimer clock;
  for (clock.start(); timer2->isActive() && clock.elapsed() < 3000;)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
  EXPECT_FALSE(timer2->isActive() || F().Timer2.Enabled);
}

TEST_F(WindowTest, EveryControlOfTheTableIsAWidgetWhoseHintShowsUnderTheMouse) {
  for (const TControlEntry& e : ControlTable()) {
    if (e.Kind == "menuitem") continue;
    SCOPED_TRACE(e.Name);
    QWidget* w = window->Control(e.Name);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible() && w->geometry() == QRect(e.Left, e.Top, e.Width, e.Height));
    const TCheckBox* box = F().FindCheckBox(e.Name);
    EXPECT_TRUE(e.Kind == "panel" || w->statusTip().isEmpty() == (box && !box->HintVisible));
  }
  EXPECT_EQ(window->Control("Image1")->statusTip(), "neko");  // the text's name
  EXPECT_EQ(window->windowTitle(), "Quillane ");
  // The hint under the mouse shows in the status label, and stays on leaving
  // so that a command's message is not wiped out.
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(window->Control("SaveAllButton"), &enter);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(window->Control("SaveAllButton"), &leave);
  EXPECT_EQ(F().HintLabel1.Caption, "すべて画像で保存");
}

TEST_F(WindowTest, TheMenuIsAsWideAsItsItemsAndDeleteIsNoCharacterKey) {
  // Qt would add a column for the shortcuts, which the drawn items never show.
  EXPECT_EQ(window->PopupMenu1()->sizeHint().width(), 105);
  F().FDeep = true;  // every character key steps the Deep pen; Delete is none
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
  QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(),
                          &del);
  EXPECT_TRUE(F().LCheckBox19.Checked && F().HintLabel1.Caption.find("Deep") == std::string::npos);
}

TEST_F(WindowTest, ADroppedFileBecomesTheText) {
  const std::string dropped = dir / "\x97\x8E\x82\xB5.txt";  // "落し" in Shift-JIS
  testsupport::WriteFile(dropped, Sjis("落とされた文章です。\r\n"));
  QMimeData data;  // the URL carries the name's bytes
  data.setUrls(
      {QUrl::fromEncoded("file://" + QByteArray::fromStdString(dropped).toPercentEncoding("/"))});
  QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &drop);
  EXPECT_EQ(std::pair(F().FFileName, F().FAllPage), std::pair(dropped, 1));
  EXPECT_EQ(Widget<SwatchLabel>("HintLabel1")->Caption(), QString::fromUtf8("落し"));
}

TEST_F(WindowTest, ClosingDuringACommandBreaksItOffAndClosesAfterIt) {
  bool visibleAfterRequest = false, busyAfterRequest = true;
  window->Run([&] {
    F().FBusy = true;  // as a batch job between two pages
    window->close();
    visibleAfterRequest = window->isVisible();
    busyAfterRequest = F().FBusy;
    EXPECT_FALSE(std::filesystem::exists(F().FIniFileName));
  });
  EXPECT_TRUE(visibleAfterRequest && !busyAfterRequest);  // the job was told to stop
  EXPECT_TRUE(!window->isVisible() && std::filesystem::exists(F().FIniFileName));
}

TEST_F(WindowTest, ExitDuringABatchClosesAtOnceWithoutBoxesAndStoresThePlace) {
  window->move(150, 120);
  platform->EventHook = [&] {
    if (F().FBusy && F().FPage == 2) window->PopupMenu1()->findChild<QAction*>("Exit2")->trigger();
  };
  qobject_cast<QAbstractButton*>(window->Control("SaveAllButton"))->click();
  EXPECT_TRUE(!window->isVisible() && platform->Messages.empty());  // no break box, no time
  EXPECT_NE(testsupport::ReadFile(F().FIniFileName).find("Top=120"), std::string::npos);
}

TEST_F(WindowTest, CoOpensACounterThatCountsAndReopensAtZero) {
  const auto open = [&]() -> CounterWindow& {
    qobject_cast<QAbstractButton*>(window->Control("CountButton"))->click();
    EXPECT_NE(window->Counter(), nullptr);
    return *window->Counter();
  };
  CounterWindow& counter = open();
  const int inkOfZero = DarkPixels(counter.grab().toImage());
  EXPECT_TRUE(counter.isVisible() && inkOfZero > 500);  // the big number is drawn
  for (int key : {Qt::Key_Space, Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Space}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&counter, &press);
  }
  EXPECT_EQ(counter.Label1()->text(), "2");
  EXPECT_NE(DarkPixels(counter.grab().toImage()), inkOfZero);
  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(20, 500), QPointF(20, 500), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&counter, &twice);
  EXPECT_TRUE(counter.Timer1()->isActive());
  counter.close();  // closing ends the model too; "co" then makes a fresh one
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window->Counter() == nullptr && F().Form2 == nullptr);
  EXPECT_EQ(open().Label1()->text(), "0");
}

TEST(WindowPlacementTest, AStoredPositionOffEveryScreenFallsBackToTheFirstRunPlace) {
  const QList<QRect> screens = {QRect(0, 0, 1280, 1024)};
  const QSize size(876, 605);
  EXPECT_EQ(ReachablePosition(150, 120, size, screens), QPoint(150, 120));
  EXPECT_EQ(ReachablePosition(-700, -500, size, screens), QPoint(-700, -500));  // a corner shows
  EXPECT_EQ(ReachablePosition(3000, 200, size, screens), QPoint(100, 100));
  EXPECT_EQ(ReachablePosition(1250, 1000, size, screens), QPoint(100, 100));  // a sliver only
  EXPECT_EQ(ReachablePosition(1250, 100, size, screens), QPoint(100, 100));   // too narrow to grab
  const QList<QRect> two = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
  EXPECT_EQ(ReachablePosition(3000, 200, size, two), QPoint(3000, 200));
}

}  // namespace
