#pragma once
// A Platform without a screen: dialogs and questions are answered from queues
// filled in advance, and every message, error, sound and repaint is recorded.
// Time is virtual unless RealTime is set: waiting advances the clock at once,
// so batch jobs run at full speed.
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/Platform.h"

class HeadlessPlatform : public Platform {
 public:
  struct Message {
    std::string Text;
    MsgButtons Buttons = MsgButtons::Ok;
    MsgIcon Icon = MsgIcon::None;
  };

  // --- the script ---
  // Answers to Yes/No questions, in order; when empty a question is answered Yes.
  std::deque<MsgResult> Answers;
  // Paths chosen in the file, picture and directory dialogs, in order of asking
  // (one queue for all of them); std::nullopt cancels. Empty queue: cancel.
  std::deque<std::optional<std::string>> FileAnswers;
  std::deque<std::optional<TColor>> ColorAnswers;   // empty: cancel
  std::deque<std::optional<double>> NumberAnswers;  // empty: closed without OK
  std::deque<std::optional<int>> SizeAnswers;       // empty: cancel
  std::deque<std::optional<int>> PageAnswers;       // empty: cancel
  std::optional<std::string> Clipboard;             // UTF-8
  // Runs whenever the program handles events (ProcessMessages, WaitMessages).
  std::function<void()> EventHook;
  bool RealTime = false;
  std::uint32_t Clock = 1000;  // virtual milliseconds
  LocalTime Time{2026, 12, 6, 10, 20, 30, 0};

  // --- what happened ---
  std::vector<Message> Messages;
  std::vector<std::string> Errors;
  std::vector<std::string> Sounds;
  std::vector<std::string> DialogsShown;         // "open", "save", "openpicture", "savepicture",
                                                 // "directory", "color", "number", "size", "page"
  std::vector<FileDialogOptions> DialogOptions;  // options of each file dialog, in order
  std::vector<std::pair<int, int>> Popups;       // screen positions the popup menu opened at
  int Repaints = 0;
  int EventPasses = 0;
  bool BusyCursor = false;
  std::vector<std::string> Documents;  // files handed to the desktop, in order
  bool DocumentsOpen = true;           // what OpenDocument answers

  // The texts of all messages shown so far.
  std::vector<std::string> MessageTexts() const;
  // Whether a message with exactly this text was shown.
  bool Shown(const std::string& text) const;

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

  // --- the tray and the main window ---
  bool TrayAvailable = true;  // script: whether the desktop has a tray
  bool TrayIcon = false;      // the icon is in the tray
  std::string TrayTip;
  bool WindowVisible = true;
  int TrayMenus = 0;  // times the tray menu opened
  int ForegroundRequests = 0;
  bool AddTrayIcon(const std::string& tip) override;
  void DeleteTrayIcon() override;
  void ShowMainWindow(bool visible) override;
  void PopupTrayMenu() override;
  void SetForeground() override;

 private:
  std::optional<std::string> NextFile(const char* kind, const FileDialogOptions& options);
};
