#pragma once
// The one interface through which TForm1 reaches the world. QtPlatform serves the
// window; HeadlessPlatform answers from a script for tests and the command line.
// All texts here are UTF-8 with '\n' for line breaks, except clipboard text,
// which is code-page-932 bytes like every text the program holds.
#include <cstdint>
#include <optional>
#include <string>

#include "base/Types.h"

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Information, Warning, Error };
enum class MsgResult { Ok, Yes, No, Cancel };

struct LocalTime {
  int Year = 2000, Month = 1, Day = 1;
  int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

// What a file dialog is asked to show. Filter uses the "Text(*.txt)|*.txt|All(*.*)|*.*" form.
struct FileDialogOptions {
  std::string Filter;
  std::string FileName;
  std::string DefaultExt;
  std::string InitialDir;
};

// Mouse events on the tray icon.
enum class TTrayMouse { LeftDown, RightDown, Other };

class Platform {
 public:
  virtual ~Platform() = default;

  // A message box; returns the button pressed (Ok for a box with only OK).
  virtual MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) = 0;
  // A plain message with an OK button (the platform's ShowMessage).
  MsgResult ShowMessage(const std::string& text) {
    return MessageBox(text, MsgButtons::Ok, MsgIcon::None);
  }
  // The application's default error box, for file-system and decoder failures.
  virtual void ShowError(const std::string& text) = 0;

  // Dialogs; std::nullopt when the user cancels.
  virtual std::optional<std::string> OpenFileDialog(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> SaveFileDialog(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> OpenPictureDialog(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> SavePictureDialog(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> SelectDirectory(const std::string& startDir) = 0;
  virtual std::optional<TColor> ColorDialog(TColor initial) = 0;
  // The number dialog (TForm3): the value entered when closed with OK.
  virtual std::optional<double> NumberDialog(double initial) = 0;
  // The size dialog (TForm4): the up-down's position when closed with OK.
  virtual std::optional<int> SizeDialog(int initial) = 0;
  // The page dialog: a page from 1 to allPage, offered at page; the page
  // entered when closed with OK.
  virtual std::optional<int> PageDialog(int page, int allPage) = 0;

  // Clipboard text as UTF-8, every character as it is; std::nullopt when it
  // holds no text. The form converts it as it converts a loaded text.
  virtual std::optional<std::string> ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& utf8) = 0;

  // Plays a sound cue by its bare file name, asynchronously: from the current
  // folder when there, else the program's own (FindCueFile in shell/SoundCues.h).
  // A missing file plays nothing and reports nothing.
  virtual void PlaySound(const std::string& fileName) = 0;

  // Opens the window's popup menu with its top-left corner at this screen position.
  virtual void PopupMenu(int screenX, int screenY) = 0;

  // Repaints the page view Image1 at once.
  virtual void Repaint() = 0;
  // Handles all pending events once (Application.ProcessMessages).
  virtual void ProcessMessages() = 0;
  // Handles events, waiting at most maxMs for one to arrive.
  virtual void WaitMessages(int maxMs) = 0;

  // Milliseconds from an arbitrary start, monotonic.
  virtual std::uint32_t TickCount() = 0;
  virtual LocalTime Now() = 0;
  // The system's long time text for the Clock display ("14:05:09").
  virtual std::string LongTimeText(const LocalTime& time) = 0;

  // The hourglass cursor while a long command runs.
  virtual void SetBusyCursor(bool busy) = 0;

  // Opens a file with the desktop's program for its type (a web page in the
  // browser) and returns at once; false when no program could be started.
  virtual bool OpenDocument(const std::string& path) = 0;

  // --- the tray icon and the main window's visibility ---
  // (The icon's mouse events go to TForm1::TrayIconMessage.)
  // Adds the tray icon with this tip; false when the desktop has no tray.
  virtual bool AddTrayIcon(const std::string& tip) = 0;
  virtual void DeleteTrayIcon() = 0;
  virtual void ShowMainWindow(bool visible) = 0;
  // Opens the tray menu ("Show" / "Close") at the pointer.
  virtual void PopupTrayMenu() = 0;
  // Brings the program to the front, so that its menu closes when clicked away from.
  virtual void SetForeground() = 0;
};
