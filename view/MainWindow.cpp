#include "view/MainWindow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include <xcb/xcb.h>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSlider>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QTimer>

#include "form/ControlTable.h"
#include "form/Unit1.h"
#include "view/ControlExtra.h"
#include "view/PageView.h"
#include "view/QtColor.h"
#include "view/QtPlatform.h"
#include "view/widgets/BalloonHint.h"
#include "view/widgets/DrawnMenu.h"
#include "view/widgets/FaceWidget.h"
#include "view/widgets/FlatButton.h"
#include "view/widgets/LozengeCheckBox.h"
#include "view/widgets/SwatchLabel.h"
#include "view/widgets/TriButton.h"

namespace {

constexpr TColor kWindowColor = 12177598;
// A menu row with this caption is a separator.
constexpr const char* kSeparatorCaption = "-";
constexpr int kMainMenuWidth = 105;
constexpr int kTrayMenuWidth = 60;
// Marks the actions a submenu lists from the form, made anew at each opening.
constexpr const char* kListedProperty = "listed";
// A submenu's item width, and what of it a caption may take (it starts 15 px in).
constexpr const char* kItemWidthProperty = "itemWidth";
constexpr int kCaptionMargins = 15 + 10;
// Captions may hold a file's name, which may not be UTF-8.
QString Q(const std::string& text) {
  return DisplayString(text);
}

TKey ToKey(int key) {
  static const std::pair<int, TKey> keys[] = {
      {Qt::Key_Space, TKey::Space},   {Qt::Key_Return, TKey::Enter},
      {Qt::Key_Enter, TKey::Enter},   {Qt::Key_Backspace, TKey::Backspace},
      {Qt::Key_Delete, TKey::Delete}, {Qt::Key_Insert, TKey::Insert},
      {Qt::Key_Home, TKey::Home},     {Qt::Key_End, TKey::End},
      {Qt::Key_Left, TKey::Left},     {Qt::Key_Right, TKey::Right},
      {Qt::Key_Up, TKey::Up},         {Qt::Key_Down, TKey::Down},
      {Qt::Key_PageUp, TKey::PageUp}, {Qt::Key_PageDown, TKey::PageDown},
  };
  for (const auto& [qtKey, which] : keys)
    if (qtKey == key) return which;
  return TKey::Other;
}

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

}  // namespace

// Qt drops a window manager's close request to a window that a modal box
// blocks, so closing the window while a box was up did nothing. The request is
// caught on its way in and becomes a close of our own, which no box blocks.
class MainWindow::BlockedCloseFilter : public QAbstractNativeEventFilter {
 public:
  BlockedCloseFilter(MainWindow& window, xcb_connection_t* connection)
      : window_(window),
        protocols_(InternAtom(connection, "WM_PROTOCOLS")),
        deleteWindow_(InternAtom(connection, "WM_DELETE_WINDOW")) {}

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t" || !QApplication::activeModalWidget()) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->window != window_.winId() || client->type != protocols_ ||
        client->data.data32[0] != deleteWindow_)
      return false;
    QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
    return true;
  }

 private:
  MainWindow& window_;
  xcb_atom_t protocols_;
  xcb_atom_t deleteWindow_;
};

MainWindow::MainWindow(TForm1& form, QWidget* parent) : QWidget(parent), form_(form) {
  setWindowTitle("Quillane ");
  setFixedSize(876, 605);
  BuildFace();
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(kWindowColor));
  setPalette(pal);
  setAutoFillBackground(true);
  // A narrow face keeps the captions inside their small controls; the Japanese
  // hints fall back to the proportional Gothic.
  QFont font;
  font.setFamilies({"Liberation Sans Narrow", "IPAPGothic"});
  font.setPixelSize(12);
  setFont(font);
  setAcceptDrops(true);

  for (const TControlEntry& entry : ControlTable()) {
    if (entry.Kind == "menuitem") continue;
    const auto parentIt = controls_.find(entry.Parent);
    QWidget* owner = parentIt != controls_.end() ? parentIt->second : this;
    QWidget* widget = BuildControl(entry, owner);
    if (!widget) continue;
    widget->setObjectName(Q(entry.Name));
    widget->setGeometry(entry.Left, entry.Top, entry.Width, entry.Height);
    widget->setStatusTip(Q(entry.Hint));
    controls_[entry.Name] = widget;
  }
  BuildMenu();
  BuildTrayMenu();
  new BalloonHints(this);  // owned by the window
  BuildTimers();
  Sync();
  qApp->installEventFilter(this);
  // Only the X11 platform has the request to catch (the offscreen one of the
  // tests answers for X11 too, without a connection).
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 && x11->connection() && QGuiApplication::platformName() == "xcb") {
    closeFilter_ = std::make_unique<BlockedCloseFilter>(*this, x11->connection());
    QCoreApplication::instance()->installNativeEventFilter(closeFilter_.get());
  }
}

MainWindow::~MainWindow() {
  if (closeFilter_) QCoreApplication::instance()->removeNativeEventFilter(closeFilter_.get());
}

QWidget* MainWindow::BuildControl(const TControlEntry& entry, QWidget* parent) {
  if (entry.Kind == "panel") {
    auto* panel = new QWidget(parent);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::black);
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
    return panel;
  }
  if (entry.Kind == "image") {
    page_ = new PageView(form_.Image1, parent);
    connect(page_, &PageView::Pressed, this, &MainWindow::PagePressed);
    connect(page_, &PageView::Moved, this,
            [this](QPoint at) { Run([&] { form_.Image1MouseMove(at.x(), at.y()); }); });
    connect(page_, &PageView::Wheeled, this,
            [this](int notches) { Run([&] { form_.Image1MouseWheel(notches); }); });
    return page_;
  }
  if (entry.Kind == "button" || entry.Kind == "tributton") return BuildButton(entry, parent);
  if (entry.Kind == "checkbox") return BuildCheckBox(entry, parent);
  if (entry.Kind == "label") return BuildLabel(entry, parent);
  if (entry.Kind == "trackbar") return BuildTrackBar(parent);
  if (entry.Kind == "updown") return BuildUpDown(parent);
  return nullptr;
}

QWidget* MainWindow::BuildButton(const TControlEntry& entry, QWidget* parent) {
  QAbstractButton* button;
  if (entry.Kind == "tributton") {
    const bool right = ExtraValue(entry.Extra, "direction") != "left";
    button =
        new TriButton(right ? TriButton::Direction::Right : TriButton::Direction::Left, parent);
  } else {
    button = new FlatButton(parent);
    button->setText(Q(entry.Caption));
  }
  if (TButton* model = form_.FindButton(entry.Name)) buttons_.emplace_back(model, button);
  if (entry.Name == "Exit1") {
    connect(button, &QAbstractButton::clicked, this, &MainWindow::ExitClick);
  } else if (TCommand command = ButtonCommand(entry.Name)) {
    connect(button, &QAbstractButton::clicked, this, [this, command] { Run(command); });
  } else {
    inert_.push_back(button);
    button->setEnabled(false);
  }
  return button;
}

QWidget* MainWindow::BuildCheckBox(const TControlEntry& entry, QWidget* parent) {
  auto* box = new LozengeCheckBox(Q(entry.Caption), parent);
  QFont small = font();
  small.setPixelSize(11);
  box->setFont(small);
  TCheckBox* model = form_.FindCheckBox(entry.Name);
  if (!model) return box;
  checkBoxes_.emplace_back(model, box);
  const TCommand command = CheckBoxCommand(entry.Name);
  connect(box, &QAbstractButton::clicked, this, [this, model, command](bool checked) {
    model->Checked = checked;
    if (command)
      Run(command);
    else
      Sync();
  });
  return box;
}

QWidget* MainWindow::BuildLabel(const TControlEntry& entry, QWidget* parent) {
  auto* label = new SwatchLabel(ExtraHas(entry.Extra, "swatch"), parent);
  label->SetCaption(Q(entry.Caption));
  if (ExtraHas(entry.Extra, "status")) {
    QFont font("IPAPMincho");
    font.setPixelSize(15);
    label->setFont(font);
  }
  if (TLabel* model = form_.FindLabel(entry.Name)) labels_.emplace_back(model, label);
  return label;
}

QWidget* MainWindow::BuildTrackBar(QWidget* parent) {
  trackBar_ = new QSlider(Qt::Horizontal, parent);
  trackBar_->setTickPosition(QSlider::TicksBelow);
  trackBar_->setPageStep(1);
  connect(trackBar_, &QSlider::valueChanged, this, [this](int value) {
    form_.ExtTrackBar1.SetPosition(value);
    Run(&TForm1::ExtTrackBar1Change);
  });
  return trackBar_;
}

QWidget* MainWindow::BuildUpDown(QWidget* parent) {
  upDown_ = new QSpinBox(parent);
  connect(upDown_, &QSpinBox::valueChanged, this,
          [this](int value) { form_.JQualityUpDown.Position = value; });
  return upDown_;
}

void MainWindow::BuildMenu() {
  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  MakeDrawnMenu(popup_, kMainMenuWidth);
  ShowHintsOf(popup_);
  // The menus rows may be put in: the popup menu and its submenus, by name. A
  // row is a submenu when other rows name it as their parent, or when it says
  // so ("submenu=WIDTH", the width of its items) for a list the form fills.
  std::map<std::string, QMenu*> menus = {{"PopupMenu1", popup_}};
  std::set<std::string> parents;
  for (const TControlEntry& entry : ControlTable())
    if (entry.Kind == "menuitem") parents.insert(entry.Parent);
  for (const TControlEntry& entry : ControlTable()) {
    if (entry.Kind != "menuitem") continue;
    const auto owner = menus.find(entry.Parent);
    if (owner == menus.end()) continue;
    QMenu* menu = owner->second;
    if (entry.Caption == kSeparatorCaption) {
      menu->addSeparator()->setObjectName(Q(entry.Name));
      continue;
    }
    if (const std::string width = ExtraValue(entry.Extra, "submenu");
        !width.empty() || parents.contains(entry.Name)) {
      // Its rows of the table come first; what the form lists is added each
      // time it opens.
      QMenu* sub = menu->addMenu(Q(entry.Caption));
      sub->setObjectName(Q(entry.Name));
      sub->menuAction()->setStatusTip(Q(entry.Hint));
      const int itemWidth = width.empty() ? kMainMenuWidth : std::stoi(width);
      MakeDrawnMenu(sub, itemWidth);
      sub->setProperty(kItemWidthProperty, itemWidth);
      ShowHintsOf(sub);
      connect(sub, &QMenu::aboutToShow, this, [this, sub] { FillSubmenu(*sub); });
      menus[entry.Name] = sub;
      continue;
    }
    QAction* action = menu->addAction(Q(entry.Caption));
    action->setObjectName(Q(entry.Name));
    action->setStatusTip(Q(entry.Hint));
    // The drawn item shows no shortcut, and Qt would widen the whole menu by a
    // column for the shortcuts' text.
    action->setShortcutVisibleInContextMenu(false);
    const std::string shortcut = ExtraValue(entry.Extra, "shortcut");
    if (!shortcut.empty()) {
      action->setShortcut(QKeySequence(Q(shortcut)));
      action->setShortcutContext(Qt::WindowShortcut);
      addAction(action);  // the shortcut works while the menu is closed
    }
    if (form_.MenuChecked(entry.Name)) {
      action->setCheckable(true);
      checkItems_.push_back(action);
    }
    if (entry.Name == "Exit2") {
      connect(action, &QAction::triggered, this, &MainWindow::ExitClick);
    } else if (TCommand command = MenuCommand(entry.Name)) {
      connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    } else {
      action->setEnabled(false);
    }
  }
  // A submenu with nothing to list cannot be opened.
  connect(popup_, &QMenu::aboutToShow, this, [this] {
    if (QMenu* books = popup_->findChild<QMenu*>("Books1"))
      books->menuAction()->setEnabled(!form_.RecentBooks().empty());
  });
}

void MainWindow::ShowHintsOf(QMenu* menu) {
  connect(menu, &QMenu::hovered, this, [this](QAction* action) {
    if (action->statusTip().isEmpty()) return;
    QStatusTipEvent tip(action->statusTip());
    QCoreApplication::sendEvent(this, &tip);
  });
}

void MainWindow::FillSubmenu(QMenu& menu) {
  for (QAction* action : menu.actions())
    if (action->property(kListedProperty).toBool()) {
      menu.removeAction(action);
      action->deleteLater();
    }
  const auto add = [&menu](const QString& caption, const QString& hint) {
    QAction* action = menu.addAction(caption);
    action->setProperty(kListedProperty, true);
    action->setStatusTip(hint);
    return action;
  };
  if (menu.objectName() == "Books1") {
    // The books by their absolute paths, shortened in the middle to the item.
    const QFontMetrics metrics(menu.font());
    const int room = menu.property(kItemWidthProperty).toInt() - kCaptionMargins;
    for (const TBookPlace& book : form_.RecentBooks()) {
      const QString path = Q(book.Path);
      const QString caption = metrics.elidedText(path, Qt::ElideMiddle, room);
      QAction* action = add(caption, QString::number(book.Page) + " page");
      action->setObjectName(path);
      connect(action, &QAction::triggered, this,
              [this, path = book.Path] { Run([&] { form_.OpenBookClick(path); }); });
    }
  } else if (menu.objectName() == "GoTo1") {
    // After "Page...", the places the text offers, headings among them.
    if (!form_.FHeadings.empty()) add(QString(), QString())->setSeparator(true);
    for (const TForm1::TJumpTarget& target : form_.FHeadings) {
      QAction* action =
          add(QString::fromStdString(target.Caption), QString::number(target.Page) + " page");
      connect(action, &QAction::triggered, this,
              [this, page = target.Page] { Run([&] { form_.GoToPage(page); }); });
    }
  }
}

void MainWindow::BuildTimers() {
  for (TTimer* model : form_.Timers()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(Q(model->Name));
    if (TCommand command = TimerCommand(model->Name))
      connect(timer, &QTimer::timeout, this, [this, command] { Run(command); });
    timers_.emplace_back(model, timer);
  }
}

QWidget* MainWindow::Control(const std::string& name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

QTimer* MainWindow::TimerFor(const std::string& name) const {
  for (const auto& [model, timer] : timers_)
    if (model->Name == name) return timer;
  return nullptr;
}

void MainWindow::Run(const std::function<void()>& handler) {
  ++running_;
  form_.Dispatch(handler);
  --running_;
  if (form_.FClosePending) {
    form_.FClosePending = false;
    closePending_ = true;
  }
  Sync();
  if (closePending_ && running_ == 0) {
    closePending_ = false;
    // Closing a hidden window (in the tray) does not end the program by itself.
    const bool hidden = !isVisible();
    close();
    if (hidden && closed_) QCoreApplication::quit();
  }
}

void MainWindow::Run(TCommand command) {
  TForm1& form = form_;
  Run([&form, command] { (form.*command)(); });
}

void MainWindow::Sync() {
  for (QAction* action : checkItems_)
    action->setChecked(form_.MenuChecked(action->objectName().toStdString()).value_or(false));
  for (auto& [model, box] : checkBoxes_) {
    box->setChecked(model->Checked);
    box->setEnabled(model->Enabled);
    box->setStatusTip(model->HintVisible ? Q(model->Hint) : QString());
  }
  for (auto& [model, button] : buttons_) {
    const bool inert = std::find(inert_.begin(), inert_.end(), button) != inert_.end();
    button->setEnabled(model->Enabled && !inert);
    button->setStatusTip(Q(model->Hint));
    if (auto* tri = qobject_cast<TriButton*>(button)) {
      tri->SetFace(ToQColor(model->Color));
    } else if (auto* flat = qobject_cast<FlatButton*>(button)) {
      flat->setText(Q(model->Caption));
      flat->SetFace(model->Color ? std::optional(ToQColor(model->Color)) : std::nullopt);
    }
  }
  for (auto& [model, label] : labels_) {
    label->SetCaption(Q(model->Caption));
    label->SetFill(ToQColor(model->Color), !model->Transparent);
    label->setStatusTip(Q(model->Hint));
  }
  if (trackBar_) {
    const TTrackBar& bar = form_.ExtTrackBar1;
    const QSignalBlocker block(trackBar_);
    trackBar_->setRange(bar.Min, std::max(bar.Min, bar.Max));
    trackBar_->setValue(bar.Position());
    trackBar_->setTickInterval(std::max(1, bar.Frequency));
    trackBar_->setEnabled(bar.Enabled);
    trackBar_->setStatusTip(Q(bar.Hint));
    // Focus is a request of the key commands: grant it once.
    if (form_.ExtTrackBar1.Focused) {
      trackBar_->setFocus();
      form_.ExtTrackBar1.Focused = false;
    }
  }
  if (upDown_) {
    const QSignalBlocker block(upDown_);
    upDown_->setRange(form_.JQualityUpDown.Min, form_.JQualityUpDown.Max);
    upDown_->setValue(form_.JQualityUpDown.Position);
  }
  if (page_) {
    page_->setStatusTip(Q(form_.Image1.Hint));
    page_->update();
  }
  SyncTimers();
  // The counter window follows its model: made when "co" first creates it, made
  // anew when the model was closed and created again.
  if (form_.Form2 && (!counter_ || counter_->Closed()))
    counter_ = new CounterWindow(form_, *form_.Form2, this);
  if (counter_ && !counter_->Closed()) counter_->Sync();
}

void MainWindow::SyncTimers() {
  for (auto& [model, timer] : timers_) {
    if (!model->Enabled || closed_) {
      timer->stop();
    } else if (!timer->isActive() || timer->interval() != model->Interval) {
      timer->start(std::max(0, model->Interval));
    }
  }
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // The status label shows the hint of whatever the mouse is over; leaving a
    // control (an empty tip) keeps the last text, so command messages stay.
    const std::string tip = static_cast<QStatusTipEvent*>(event)->tip().toStdString();
    if (tip.empty()) return true;
    Run([&] { form_.AppHint(tip); });
    if (QWidget* label = Control("HintLabel1")) label->repaint();
    return true;
  }
  return QWidget::event(event);
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  if (!shownOnce_) {
    shownOnce_ = true;
    Run([this] {
      form_.FormShow();
      form_.CMShowingChanged(true);
    });
  } else {
    Run([this] { form_.CMShowingChanged(true); });
  }
}

void MainWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous() && !closed_) Run([this] { form_.CMShowingChanged(false); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A close is never refused, but one that arrives while a command runs (a
  // batch handles events between its pages, a box waits for its answer) would
  // write the settings and empty the line stores under it. The job is broken
  // off and its box dismissed instead, and the window closes once the command
  // has returned.
  if (running_ > 0 && !closed_) {
    form_.CloseRequest();
    closePending_ = true;
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
    event->ignore();
    return;
  }
  if (!closed_) {
    closed_ = true;
    form_.Form1Left = x();
    form_.Form1Top = y();
    Run(&TForm1::FormCloseQuery);
  }
  event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || closed_) return false;
  // An unhandled key travels up to the parents; act on its first delivery only,
  // and only for keys of this window (not of a dialog or another window).
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  QWidget* focus = QApplication::focusWidget();
  if (widget != (focus ? focus : this)) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  // A command may move the focus (a dialog that closes leaves none), and then
  // the copy of the key that travels on to the parents would pass the test
  // above: it is known by its time and key at a parent of where it was handled.
  if (lastKey_.At && widget->isAncestorOf(lastKey_.At) && key->timestamp() == lastKey_.Time &&
      key->key() == lastKey_.Key)
    return false;
  lastKey_ = {key->timestamp(), key->key(), widget};
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const TKey which = ToKey(key->key());
  const bool velocity = form_.FVelocity;
  Run([&] { form_.FormKeyDown(which); });
  const QString text = key->text();
  // Delete comes with the character 0x7F, which is no character key: it would
  // run the character handler (and step the Deep pen) a second time.
  if (text.size() == 1 && text[0].unicode() < 0x7F) {
    const char c = static_cast<char>(text[0].unicode());
    Run([&] { form_.FormKeyPress(c); });
  }
  // Space and Enter page, and must not also press a focused button; the
  // cursor keys steer Velocity while it runs, and otherwise move the slider.
  switch (which) {
    case TKey::Space:
    case TKey::Enter:
      return true;
    case TKey::Home:
    case TKey::End:
    case TKey::Left:
    case TKey::Right:
    case TKey::Up:
    case TKey::Down:
    case TKey::PageUp:
    case TKey::PageDown:
      return velocity;
    default:
      return false;
  }
}

void MainWindow::ExitClick() {
  Run(&TForm1::Exit1Click);
}

void MainWindow::PagePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
  if (button == Qt::RightButton) {
    ShowPopup(page_->mapToGlobal(at));
    return;
  }
  TMouseButton which;
  if (button == Qt::LeftButton)
    which = TMouseButton::Left;
  else if (button == Qt::MiddleButton)
    which = TMouseButton::Middle;
  else
    return;
  const bool shift = modifiers.testFlag(Qt::ShiftModifier);
  Run([&] { form_.Image1MouseDown(which, shift, at.x(), at.y()); });
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) ShowPopup(event->globalPosition().toPoint());
  QWidget::mousePressEvent(event);
}

void MainWindow::ShowPopup(const QPoint& globalPos) {
  popup_->popup(globalPos);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files.push_back(LocalFilePath(url));
  if (files.empty()) return;
  event->acceptProposedAction();
  Run([&] { form_.DropDst1FileDrop(files); });
}

// ---------------------------------------------------------------- chrome

void MainWindow::BuildFace() {
  // No frame: the face is the window, cut to its outline.
  setWindowFlag(Qt::FramelessWindowHint);
  face_ = new FaceWidget(FacePicture(), this);
  face_->setObjectName("Rgn1");
  face_->move(0, 0);
  setMask(face_->Outline());
}

void MainWindow::BuildTrayMenu() {
  trayMenu_ = new QMenu(this);
  trayMenu_->setObjectName("PopupMenu2");
  QAction* show = trayMenu_->addAction("Show");
  show->setObjectName("Show1");
  connect(show, &QAction::triggered, this, [this] { Run(&TForm1::Show1Click); });
  trayMenu_->addSeparator()->setObjectName("N1");
  QAction* close = trayMenu_->addAction("Close");
  close->setObjectName("Close1");
  connect(close, &QAction::triggered, this, [this] { Run(&TForm1::Close1Click); });
  MakeDrawnMenu(trayMenu_, kTrayMenuWidth);
}

void MainWindow::TrayMouse(TTrayMouse event) {
  Run([&] { form_.TrayIconMessage(event); });
}
