#pragma once
// The Platform of the window: Qt message boxes and dialogs, the system
// clipboard, sound effects, the event loop and the clock.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>

#include "shell/Platform.h"

class QSystemTrayIcon;
class QWidget;

// "Text(*.txt)|*.txt|All(*.*)|*.*" as Qt's "Text(*.txt) (*.txt);;All(*.*) (*.*)".
QString ConvertFileFilter(const std::string& filter);

// File names are kept as the file system's bytes, which need not be UTF-8 (a
// Shift-JIS name from an old archive); a QString cannot carry such a name, so
// paths leave Qt as bytes and are decoded only to be shown.
// A local file URL's path as bytes (the URL percent-encodes every byte).
std::string LocalFilePath(const QUrl& url);
// Text that may hold such a name, to be shown.
QString DisplayString(const std::string& text);

class QtPlatform : public QObject, public Platform {
  Q_OBJECT
 public:
  QtPlatform();
  ~QtPlatform() override;

  // The window dialogs belong to, and the hooks that bring the view up to date:
  // Repaint runs onRepaint (mirror the models, repaint the page at once); event
  // processing runs onEvents first (mirror the models so that labels and the
  // page slider follow a long job).
  void AttachView(QWidget* window, std::function<void()> onRepaint, std::function<void()> onEvents);

  MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) override;
  void ShowError(const std::string& text) override;
  std::optional<std::string> OpenFileDialog(const FileDialogOptions& options) override;
  std::optional<std::string> SaveFileDialog(const FileDialogOptions& options) override;
  std::optional<std::string> OpenPictureDialog(const FileDialogOptions& options) override;
  std::optional<std::string> SavePictureDialog(const FileDialogOptions& options) override;
  std::optional<std::string> SelectDirectory(const std::string& startDir) override;
  std::optional<TColor> ColorDialog(TColor initial) override;
  std::optional<double> NumberDialog(double initial) override;
  std::optional<int> SizeDialog(int initial) override;
  std::optional<int> PageDialog(int page, int allPage) override;
  std::optional<std::string> ClipboardText() override;
  void SetClipboardText(const std::string& utf8) override;
  void PlaySound(const std::string& fileName) override;
  void PopupMenu(int screenX, int screenY) override;
  void Repaint() override;
  void ProcessMessages() override;
  void WaitMessages(int maxMs) override;
  std::uint32_t TickCount() override;
  LocalTime Now() override;
  std::string LongTimeText(const LocalTime& time) override;
  void SetBusyCursor(bool busy) override;
  bool OpenDocument(const std::string& path) override;

  int SoundsPlaying() const { return soundsPlaying_; }

  // The tray: the icon's mouse events go to onTray (TForm1::TrayIconMessage).
  void AttachTray(std::function<void(TTrayMouse)> onTray);
  bool AddTrayIcon(const std::string& tip) override;
  void DeleteTrayIcon() override;
  void ShowMainWindow(bool visible) override;
  void PopupTrayMenu() override;
  void SetForeground() override;
  QSystemTrayIcon* TrayIcon() const { return tray_; }

 private:
  std::optional<std::string> FileDialog(const FileDialogOptions& options, bool save);

  QPointer<QWidget> window_;
  std::function<void()> onRepaint_;
  std::function<void()> onEvents_;
  QElapsedTimer clock_;
  bool busy_ = false;
  int soundsPlaying_ = 0;
  QSystemTrayIcon* tray_ = nullptr;
  std::function<void(TTrayMouse)> onTray_;
};
