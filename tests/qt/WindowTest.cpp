// The window as a user meets it: clicks, toggles, the slider, drops, hints,
// shortcuts and timers reach TForm1, and what TForm1 changes shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSlider>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "shell/ControlTable.h"
#include "shell/qt/MainWindow.h"
#include "shell/qt/PageView.h"
#include "shell/qt/WindowPlacement.h"
#include "tests/shell/FormFixture.h"
#include "widgets/LozengeCheckBox.h"
#include "widgets/SwatchLabel.h"
#include "widgets/TriButton.h"

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

// Runs the event loop until done() holds or the time is up.
template <typename Done>
bool WaitFor(Done done, int ms = 3000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
  return done();
}

class WindowTest : public FormTest {
 protected:
  // A shown window with a Japanese text of several pages from the command line.
  void SetUp() override {
    std::string text;
    for (int i = 0; i < 60; ++i)
      text += Sjis("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。") + "\r\n";
    const std::string textPath = dir / "neko.txt";
    testsupport::WriteFile(textPath, text);
    NewForm();
    F().ExamineCommandLine({textPath});
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
  EXPECT_EQ(window->Page()->parentWidget()->objectName(), "PagePanel");
  EXPECT_EQ(window->Page()->geometry(), QRect(1, 1, 640, 480));
}

TEST_F(WindowTest, ButtonsPageClicksAndTheSliderTurnThePage) {
  const QImage before = window->Page()->grab().toImage();
  Widget<TriButton>("TriButton1")->click();
  const QImage first = window->Page()->grab().toImage();
  EXPECT_EQ(F().FPage, 1);  // the first step draws the page the text opened at
  EXPECT_NE(first, before);
  EXPECT_GT(DarkPixels(first), 500) << "the page shows text";

  Press(window->Page(), {320, 240}, Qt::LeftButton);
  EXPECT_EQ(F().FPage, 2);
  EXPECT_EQ(Widget<SwatchLabel>("Label1")->Caption(), "2");
  auto* slider = window->findChild<QSlider*>("ExtTrackBar1");
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->value(), 2);
  EXPECT_NE(window->Page()->grab().toImage(), first);

  Press(window->Page(), {320, 240}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(F().FPage, 1);
  Press(window->Page(), {100, 100}, Qt::RightButton);  // opens the menu instead
  EXPECT_EQ(F().FPage, 1);
  EXPECT_TRUE(window->PopupMenu1()->isVisible());
  window->PopupMenu1()->hide();
  Widget<TriButton>("TriButton2")->click();
  EXPECT_EQ(F().FPage, F().FAllPage);

  // The slider chooses the page the next step shows.
  EXPECT_EQ(slider->maximum(), F().FAllPage);
  slider->setValue(3);
  EXPECT_EQ(F().FPage, 3);
  EXPECT_EQ(Widget<SwatchLabel>("Label1")->Caption(), "3");
  Widget<TriButton>("TriButton1")->click();
  EXPECT_EQ(F().FPage, 3);
  EXPECT_EQ(slider->value(), 3);
}

TEST_F(WindowTest, ToggledCheckBoxRunsItsHandlerAndAgreesWithTheModel) {
  auto* slow = Widget<LozengeCheckBox>("LCheckBox14");
  ASSERT_FALSE(F().LCheckBox14.Checked);
  for (bool on : {true, false}) {
    slow->click();
    EXPECT_EQ(F().LCheckBox14.Checked, on);
    EXPECT_EQ(slow->isChecked(), on);
    // Only the "Slow" handler writes this, and the status label shows it.
    EXPECT_EQ(Widget<SwatchLabel>("HintLabel1")->Caption(), on ? "Slow on" : "Slow off");
  }

  // A handler that changes other boxes shows them all.
  Widget<LozengeCheckBox>("TurnCheckBox")->click();
  for (const char* name : {"FullCheckBox", "BigFontCheckBox", "MoreBigCheckBox"})
    EXPECT_TRUE(Widget<LozengeCheckBox>(name)->isChecked()) << name;
  EXPECT_EQ(F().FRetsuCount, 8);

  // A model changed by a command shows at the next Sync, without its handler.
  F().LCheckBox8.Checked = true;
  F().LCheckBox8.Enabled = false;
  window->Sync();
  EXPECT_TRUE(Widget<LozengeCheckBox>("LCheckBox8")->isChecked());
  EXPECT_FALSE(Widget<LozengeCheckBox>("LCheckBox8")->isEnabled());

  EXPECT_EQ(window->Control("Effect1")->property("text").toString(), "Difference");
  F().PNameoff();
  window->Sync();
  EXPECT_TRUE(window->Control("Effect1")->property("text").toString().isEmpty());
  EXPECT_TRUE(window->Control("LCheckBox4")->statusTip().isEmpty());
  EXPECT_EQ(window->Control("Small1")->property("text").toString(), "Small");
}

TEST_F(WindowTest, EveryControlOfTheTableIsAWidgetWithItsHint) {
  for (const TControlEntry& e : ControlTable()) {
    if (e.Kind == "menuitem") continue;
    SCOPED_TRACE(e.Name);
    QWidget* w = window->Control(e.Name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName().toStdString(), e.Name);
    EXPECT_EQ(w->geometry(), QRect(e.Left, e.Top, e.Width, e.Height));
    EXPECT_TRUE(w->isVisible());
    const TCheckBox* box = F().FindCheckBox(e.Name);
    EXPECT_TRUE(e.Kind == "panel" || w->statusTip().isEmpty() == (box && !box->HintVisible));
  }
  EXPECT_EQ(window->Control("Leafgo1")->statusTip(), "1 page");
  EXPECT_EQ(window->Control("Image1")->statusTip(), "neko");  // the text's name
  EXPECT_EQ(window->size(), QSize(876, 605));
  EXPECT_EQ(window->windowTitle(), "Quillane ");
}

TEST_F(WindowTest, TheMenuHoldsItsItemsWithTheirShortcuts) {
  QMenu* menu = window->PopupMenu1();
  QStringList captions;
  for (QAction* a : menu->actions())
    if (!a->isSeparator()) captions << a->text();
  ASSERT_EQ(captions.size(), 22);
  EXPECT_EQ(captions[0], "Open");
  EXPECT_EQ(captions[2], "Deep (Mu-gen)");
  EXPECT_EQ(captions.last(), "Exit");
  for (auto [name, keys] : {std::pair{"Open1", "Ctrl+O"},
                            {"Deep1", "Ctrl+P"},
                            {"Ecriture1", "Ctrl+F"},
                            {"Exit2", "Ctrl+T"},
                            {"Small2", "Ctrl+L"},
                            {"Bitmapsave1", ""}}) {
    auto* action = menu->findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    EXPECT_EQ(action->shortcut(), QKeySequence(keys)) << name;
    EXPECT_TRUE(!*keys || window->actions().contains(action)) << name;  // window-wide
  }
  EXPECT_EQ(menu->findChild<QAction*>("Ecriture1")->statusTip(), "Front Ctrl+F");
  EXPECT_TRUE(menu->findChild<QAction*>("Deep1")->statusTip().isEmpty());

  Widget<TriButton>("TriButton1")->click();
  menu->findChild<QAction*>("Ecriture1")->trigger();
  EXPECT_EQ(F().FPage, 2);
  menu->findChild<QAction*>("BackPage1")->trigger();
  EXPECT_EQ(F().FPage, 1);
}

TEST_F(WindowTest, TheHintOfTheControlUnderTheMouseShowsInTheStatusLabel) {
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(window->Control("LCheckBox8"), &enter);
  EXPECT_EQ(F().HintLabel1.Caption, "Horizontal");
  EXPECT_EQ(Widget<SwatchLabel>("HintLabel1")->Caption(), "Horizontal");
  QCoreApplication::sendEvent(window->Control("SaveAllButton"), &enter);
  EXPECT_EQ(F().HintLabel1.Caption, "すべて画像で保存");
  // Leaving keeps the last text, so a command's message is not wiped out.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(window->Control("SaveAllButton"), &leave);
  EXPECT_EQ(F().HintLabel1.Caption, "すべて画像で保存");
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
  EXPECT_EQ(F().FFileName, dropped);
  EXPECT_EQ(F().FAllPage, 1);
  EXPECT_EQ(Widget<SwatchLabel>("HintLabel1")->Caption(), QString::fromUtf8("落し"));
}

TEST_F(WindowTest, TimersFollowTheirModels) {
  QTimer* timer1 = window->TimerFor("Timer1");
  ASSERT_NE(timer1, nullptr);
  EXPECT_FALSE(timer1->isActive());
  for (bool on : {true, false}) {
    F().Timer1.Enabled = on;
    F().Timer1.Interval = 321;
    window->Sync();
    EXPECT_EQ(timer1->isActive(), on);
  }
  EXPECT_EQ(timer1->interval(), 321);

  // The title card's handler switches its own model off: the window must stop it.
  F().Timer2.Enabled = true;
  F().Timer2.Interval = 20;
  window->Sync();
  QTimer* timer2 = window->TimerFor("Timer2");
  EXPECT_TRUE(timer2->isActive());
  EXPECT_TRUE(WaitFor([&] { return !timer2->isActive(); }));
  EXPECT_FALSE(F().Timer2.Enabled);
}

TEST_F(WindowTest, ClosingDuringACommandBreaksItOffAndClosesAfterIt) {
  bool visibleAfterRequest = false;
  bool busyAfterRequest = true;
  window->Run([&] {
    F().FBusy = true;  // as a batch job between two pages
    window->close();
    visibleAfterRequest = window->isVisible();
    busyAfterRequest = F().FBusy;
    EXPECT_FALSE(std::filesystem::exists(F().FIniFileName));
  });
  EXPECT_TRUE(visibleAfterRequest);
  EXPECT_FALSE(busyAfterRequest);  // the job was told to stop
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(std::filesystem::exists(F().FIniFileName));
}

TEST_F(WindowTest, ExitDuringABatchClosesAtOnceWithoutBoxesAndStoresThePlace) {
  window->move(150, 120);
  platform->EventHook = [&] {
    if (F().FBusy && F().FPage == 2) window->PopupMenu1()->findChild<QAction*>("Exit2")->trigger();
  };
  qobject_cast<QAbstractButton*>(window->Control("SaveAllButton"))->click();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(platform->Messages.empty());  // no break box, no elapsed time
  EXPECT_NE(testsupport::ReadFile(F().FIniFileName).find("Top=120"), std::string::npos);
}

TEST(WindowPlacementTest, AStoredPositionOffEveryScreenFallsBackToTheFirstRunPlace) {
  const QList<QRect> screens = {QRect(0, 0, 1280, 1024)};
  const QSize size(876, 605);
  EXPECT_EQ(ReachablePosition(150, 120, size, screens), QPoint(150, 120));
  EXPECT_EQ(ReachablePosition(-700, -500, size, screens), QPoint(-700, -500));  // a corner shows
  EXPECT_EQ(ReachablePosition(3000, 200, size, screens), QPoint(100, 100));
  EXPECT_EQ(ReachablePosition(1250, 1000, size, screens), QPoint(100, 100));  // a sliver only
  const QList<QRect> two = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
  EXPECT_EQ(ReachablePosition(3000, 200, size, two), QPoint(3000, 200));
}

}  // namespace
