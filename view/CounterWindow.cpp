#include "view/CounterWindow.h"

#include <xcb/xcb.h>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "form/Counter.h"
#include "form/Unit1.h"
#include "view/QtColor.h"

namespace {

QString Q(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

TCounterKey CounterKey(int key) {
  switch (key) {
    case Qt::Key_Space:
      return TCounterKey::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return TCounterKey::Enter;
    case Qt::Key_Backspace:
      return TCounterKey::Backspace;
    case Qt::Key_Home:
      return TCounterKey::Home;
    case Qt::Key_End:
      return TCounterKey::End;
    default:
      return TCounterKey::Other;
  }
}

void SetColor(QWidget& widget, QPalette::ColorRole role, TColor color) {
  QPalette pal = widget.palette();
  pal.setColor(role, ToQColor(color));
  widget.setPalette(pal);
}

// The edit's own ground, dark enough for the white text it is set in.
constexpr TColor kEditGround = 0x404040;

// The number in a bold face. The IPA faces have no bold of their own and Qt
// does not embolden them, so the outline is drawn with a pen as wide as the
// emboldening FreeType gives (a 24th of the em): the strokes grow by half of
// it on each side.
class BoldLabel : public QLabel {
 public:
  using QLabel::QLabel;

  QSize sizeHint() const override {
    const QSize text = QLabel::sizeHint();
    return {text.width() + Stroke() + 1, text.height()};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    QPainterPath path;
    path.addText(Stroke() / 2.0, metrics.ascent(), font(), text());
    const QColor ink = palette().color(QPalette::WindowText);
    painter.fillPath(path, ink);
    painter.strokePath(path, QPen(ink, Stroke(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  }

 private:
  int Stroke() const { return std::max(1, font().pixelSize() / 24); }
};

// Qt never publishes an empty title: it puts the program's name in its place.
// The counter's caption is empty while its timer starts a new round, so on
// X11 both title properties are emptied again after Qt has set them.
void SetCaption(QWidget& window, const QString& caption) {
  window.setWindowTitle(caption);
  if (!caption.isEmpty() || !window.testAttribute(Qt::WA_WState_Created)) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection || QGuiApplication::platformName() != "xcb") return;
  const auto atom = [connection](const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return found;
  };
  const auto id = static_cast<xcb_window_t>(window.winId());
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom("_NET_WM_NAME"),
                      atom("UTF8_STRING"), 8, 0, nullptr);
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      0, nullptr);
  xcb_flush(connection);
}

}  // namespace

CounterWindow::CounterWindow(TForm1& form1, TForm2& model, QWidget* parent)
    : QWidget(parent, Qt::Window), form1_(form1), model_(&model) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("Form2");
  resize(TForm2::ClientWidth, TForm2::ClientHeight);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);

  panel_ = new QWidget(this);
  panel_->setObjectName(Q(model.Panel1.Name));
  panel_->setGeometry(model.Panel1.Left, model.Panel1.Top, model.Panel1.Width, model.Panel1.Height);
  panel_->setAutoFillBackground(true);
  panel_->setToolTip(Q(model.Panel1.Hint));
  panel_->installEventFilter(this);

  label_ = new BoldLabel(panel_);
  label_->setObjectName("Label1");
  label_->move(1, 20);
  QFont big;
  big.setFamilies({"IPAMincho", "IPAexMincho", "Noto Serif CJK JP"});
  big.setPixelSize(117);
  big.setBold(true);
  label_->setFont(big);
  // Pressing the number moves the panel as pressing the panel does: the number
  // covers most of the panel, so a drag would otherwise be hard to start.
  label_->setAttribute(Qt::WA_TransparentForMouseEvents);

  upDown_ = new QSpinBox(this);
  upDown_->setObjectName(Q(model.CountUpDown.Name));
  upDown_->setGeometry(8, 8, 64, 24);
  upDown_->setRange(model.CountUpDown.Min, model.CountUpDown.Max);
  upDown_->setToolTip(Q(model.CountUpDown.Hint));
  // A new interval is only noted; the next tick reads it.
  connect(upDown_, &QSpinBox::valueChanged, this, [this](int value) {
    if (!closed_) model_->CountUpDown.Position = value;
  });

  edit_ = new QLineEdit(this);
  edit_->setObjectName(Q(model.Edit1.Name));
  edit_->setGeometry(80, 8, 697, 24);
  edit_->setFrame(false);
  QFont gothic;
  gothic.setFamilies({"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP"});
  gothic.setPixelSize(18);
  edit_->setFont(gothic);
  SetColor(*edit_, QPalette::Text, clWhite);
  SetColor(*edit_, QPalette::Base, kEditGround);
  edit_->setToolTip(Q(model.Edit1.Hint));
  edit_->installEventFilter(this);
  connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!closed_) model_->Edit1.Text = text.toStdString();
  });

  timer_ = new QTimer(this);
  timer_->setObjectName(Q(model.Timer1.Name));
  connect(timer_, &QTimer::timeout, this, [this] { Run(&TForm2::Timer1Timer); });

  BuildMenu();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  Sync();
}

void CounterWindow::BuildMenu() {
  menu_ = new QMenu(this);
  menu_->setObjectName("PopupMenu1");
  for (const TForm2::TMenuItem& item : TForm2::MenuItems()) {
    QAction* action = menu_->addAction(Q(item.Caption));
    action->setObjectName(Q(item.Name));
    if (item.Name == std::string("sound1")) {
      action->setCheckable(true);
      soundAction_ = action;
    }
    const auto click = item.Click;
    connect(action, &QAction::triggered, this, [this, click] { Run(click); });
  }
}

void CounterWindow::Run(const std::function<void(TForm2&)>& handler) {
  if (closed_) return;
  ++running_;
  form1_.Dispatch([&] { handler(*model_); });
  --running_;
  Sync();
  if (closePending_ && running_ == 0) close();
}

void CounterWindow::Sync() {
  if (closed_) return;
  const TForm2& m = *model_;
  SetCaption(*this, Q(m.Caption));
  SetColor(*this, QPalette::Window, m.Color);
  SetColor(*panel_, QPalette::Window, m.Color);
  panel_->move(m.Panel1.Left, m.Panel1.Top);
  label_->setText(Q(m.Label1.Caption));
  SetColor(*label_, QPalette::WindowText, m.Label1FontColor);
  label_->adjustSize();
  {
    const QSignalBlocker block(upDown_);
    upDown_->setValue(m.CountUpDown.Position);
  }
  upDown_->setVisible(m.CountUpDown.Visible);
  if (edit_->text() != Q(m.Edit1.Text)) edit_->setText(Q(m.Edit1.Text));
  edit_->setVisible(m.Edit1.Visible);
  soundAction_->setChecked(m.sound1.Checked);
  if (!m.Timer1.Enabled)
    timer_->stop();
  else if (!timer_->isActive())
    timer_->start(m.Timer1.Interval);
  if (model_->ShowPending) {
    model_->ShowPending = false;
    // A new window comes up in front; one already open is brought forward.
    if (isVisible()) {
      setWindowState(windowState() & ~Qt::WindowMinimized);
      raise();
      activateWindow();
    }
    show();
  }
}

void CounterWindow::keyPressEvent(QKeyEvent* event) {
  // Keys typed into the edit or the interval field are theirs, not the counter's.
  const QWidget* focused = QApplication::focusWidget();
  if (focused == edit_ || focused == upDown_ || upDown_->isAncestorOf(focused)) {
    QWidget::keyPressEvent(event);
    return;
  }
  const TCounterKey key = CounterKey(event->key());
  Run([key](TForm2& m) { m.FormKeyDown(key); });
}

void CounterWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Run(&TForm2::FormDblClick);
}

void CounterWindow::contextMenuEvent(QContextMenuEvent* event) {
  menu_->popup(event->globalPos());
}

bool CounterWindow::eventFilter(QObject* watched, QEvent* event) {
  if (closed_) return QWidget::eventFilter(watched, event);
  const auto type = event->type();
  if (watched == edit_ && type == QEvent::MouseButtonPress) {
    Run(&TForm2::Edit1Click);
  } else if (watched == panel_ &&
             (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
              type == QEvent::MouseMove || type == QEvent::MouseButtonRelease)) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // Other buttons pass on to the window (the right one opens the menu).
    if (type != QEvent::MouseMove && mouse->button() != Qt::LeftButton) return false;
    const QPoint at = panel_->mapTo(this, mouse->position().toPoint());
    if (type == QEvent::MouseMove)
      Run([at](TForm2& m) { m.Panel1MouseMove(at.x(), at.y()); });
    else if (type == QEvent::MouseButtonRelease)
      Run(&TForm2::Panel1MouseUp);
    else
      Run([at](TForm2& m) { m.Panel1MouseDown(at.x(), at.y()); });
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CounterWindow::closeEvent(QCloseEvent* event) {
  // A handler waiting in a dialog still holds the model: close once it returns.
  if (running_ > 0) {
    closePending_ = true;
    event->ignore();
    return;
  }
  if (!closed_) {
    timer_->stop();
    closed_ = true;
    model_ = nullptr;
    form1_.Dispatch([this] { form1_.Form2Close(); });
  }
  event->accept();
}
