#pragma once
// The main window: a view over TForm1. It builds its widgets from the control
// table, forwards every user action to TForm1's handler through Dispatch, and
// after each one mirrors the models onto the widgets in one Sync pass.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shell/Platform.h"
#include "view/CounterWindow.h"
#include "view/Handlers.h"

class TForm1;
struct TButton;
struct TCheckBox;
struct TLabel;
struct TTimer;
class FaceWidget;
class LozengeCheckBox;
class PageView;
class QAbstractButton;
class QMenu;
class QSlider;
class QSpinBox;
class QTimer;
class SwatchLabel;
struct TControlEntry;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(TForm1& form, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Brings every widget in line with its model.
  void Sync();
  // Runs a command as the event loop does (failures go to the error box), then Sync.
  void Run(const std::function<void()>& handler);
  void Run(TCommand command);

  TForm1& Form() const { return form_; }
  PageView* Page() const { return page_; }
  QMenu* PopupMenu1() const { return popup_; }
  // A mouse event on the tray icon.
  void TrayMouse(TTrayMouse event);
  // The widget built for a control of the table; nullptr when there is none.
  QWidget* Control(const std::string& name) const;
  QTimer* TimerFor(const std::string& name) const;
  CounterWindow* Counter() const { return counter_; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Key preview: every key of the window reaches the form before the focused control.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QWidget* BuildControl(const TControlEntry& entry, QWidget* parent);
  QWidget* BuildButton(const TControlEntry& entry, QWidget* parent);
  QWidget* BuildCheckBox(const TControlEntry& entry, QWidget* parent);
  QWidget* BuildLabel(const TControlEntry& entry, QWidget* parent);
  QWidget* BuildTrackBar(QWidget* parent);
  QWidget* BuildUpDown(QWidget* parent);
  void BuildMenu();
  // The hint of the item under the mouse goes to the status line.
  void ShowHintsOf(QMenu* menu);
  // Lists in a submenu what the form offers now (the books read lately, the
  // places to go to).
  void FillSubmenu(QMenu& menu);
  void BuildTimers();
  void PagePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
  void ShowPopup(const QPoint& globalPos);
  void ExitClick();
  void SyncTimers();
  void BuildFace();
  void BuildTrayMenu();

  class BlockedCloseFilter;
  std::unique_ptr<BlockedCloseFilter> closeFilter_;  // on X11 only
  TForm1& form_;
  PageView* page_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* trayMenu_ = nullptr;
  FaceWidget* face_ = nullptr;
  QSlider* trackBar_ = nullptr;
  QSpinBox* upDown_ = nullptr;
  std::map<std::string, QWidget*> controls_;
  std::vector<std::pair<TCheckBox*, LozengeCheckBox*>> checkBoxes_;
  // Menu items that show a state of the form (TForm1::MenuChecked).
  std::vector<QAction*> checkItems_;
  std::vector<std::pair<TButton*, QAbstractButton*>> buttons_;
  // Buttons whose command the program does not have yet: shown, but disabled.
  std::vector<QAbstractButton*> inert_;
  std::vector<std::pair<TLabel*, SwatchLabel*>> labels_;
  std::vector<std::pair<TTimer*, QTimer*>> timers_;
  int running_ = 0;  // commands on the stack (a long one handles events inside)
  bool closePending_ = false;
  // The key last handled (eventFilter): its time, its code and where.
  struct {
    quint64 Time = 0;
    int Key = 0;
    QPointer<QWidget> At;
  } lastKey_;
  bool shownOnce_ = false;
  bool closed_ = false;

  QPointer<CounterWindow> counter_;  // the view of TForm1::Form2 while it is open
};
