#pragma once
// The counter window: a thin view over TForm2. It forwards keys, clicks, the
// panel drag, menu items and timer ticks to the model's handlers and mirrors
// the model onto its widgets after each one. Closing it destroys the model
// (TForm1::Form2Close) and, later, the window itself.
#include <QWidget>
#include <functional>

class TForm1;
class TForm2;
class QLabel;
class QLineEdit;
class QMenu;
class QSpinBox;
class QTimer;

class CounterWindow : public QWidget {
  Q_OBJECT
 public:
  CounterWindow(TForm1& form1, TForm2& model, QWidget* parent = nullptr);

  // Brings the widgets in line with the model; shows the window when asked.
  void Sync();
  // Runs a handler of the model as the event loop does, then Sync.
  void Run(const std::function<void(TForm2&)>& handler);
  // Whether the window has been closed (its model is then gone).
  bool Closed() const { return closed_; }

  QWidget* Panel1() const { return panel_; }
  QLabel* Label1() const { return label_; }
  QSpinBox* CountUpDown() const { return upDown_; }
  QLineEdit* Edit1() const { return edit_; }
  QMenu* PopupMenu1() const { return menu_; }
  QTimer* Timer1() const { return timer_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();

  TForm1& form1_;
  TForm2* model_;
  QWidget* panel_ = nullptr;
  QLabel* label_ = nullptr;
  QSpinBox* upDown_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* soundAction_ = nullptr;
  QTimer* timer_ = nullptr;
  int running_ = 0;  // handlers on the stack (a colour dialog waits inside one)
  bool closePending_ = false;
  bool closed_ = false;
};
