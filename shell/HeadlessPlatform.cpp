#include "shell/HeadlessPlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

std::vector<std::string> HeadlessPlatform::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& m : Messages) texts.push_back(m.Text);
  return texts;
}

bool HeadlessPlatform::Shown(const std::string& text) const {
  return std::any_of(Messages.begin(), Messages.end(),
                     [&](const Message& m) { return m.Text == text; });
}

MsgResult HeadlessPlatform::MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) {
  Messages.push_back({text, buttons, icon});
  if (buttons == MsgButtons::Ok) return MsgResult::Ok;
  if (Answers.empty()) return MsgResult::Yes;
  MsgResult answer = Answers.front();
  Answers.pop_front();
  return answer;
}

void HeadlessPlatform::ShowError(const std::string& text) {
  Errors.push_back(text);
}

std::optional<std::string> HeadlessPlatform::NextFile(const char* kind,
                                                      const FileDialogOptions& options) {
  DialogsShown.push_back(kind);
  DialogOptions.push_back(options);
  if (FileAnswers.empty()) return std::nullopt;
  auto answer = FileAnswers.front();
  FileAnswers.pop_front();
  return answer;
}

std::optional<std::string> HeadlessPlatform::OpenFileDialog(const FileDialogOptions& o) {
  return NextFile("open", o);
}
std::optional<std::string> HeadlessPlatform::SaveFileDialog(const FileDialogOptions& o) {
  return NextFile("save", o);
}
std::optional<std::string> HeadlessPlatform::OpenPictureDialog(const FileDialogOptions& o) {
  return NextFile("openpicture", o);
}
std::optional<std::string> HeadlessPlatform::SavePictureDialog(const FileDialogOptions& o) {
  return NextFile("savepicture", o);
}
std::optional<std::string> HeadlessPlatform::SelectDirectory(const std::string& startDir) {
  FileDialogOptions o;
  o.InitialDir = startDir;
  return NextFile("directory", o);
}

std::optional<TColor> HeadlessPlatform::ColorDialog(TColor) {
  DialogsShown.push_back("color");
  if (ColorAnswers.empty()) return std::nullopt;
  auto answer = ColorAnswers.front();
  ColorAnswers.pop_front();
  return answer;
}

std::optional<double> HeadlessPlatform::NumberDialog(double) {
  DialogsShown.push_back("number");
  if (NumberAnswers.empty()) return std::nullopt;
  auto answer = NumberAnswers.front();
  NumberAnswers.pop_front();
  return answer;
}

std::optional<int> HeadlessPlatform::PageDialog(int, int) {
  DialogsShown.push_back("page");
  if (PageAnswers.empty()) return std::nullopt;
  auto answer = PageAnswers.front();
  PageAnswers.pop_front();
  return answer;
}

std::optional<int> HeadlessPlatform::SizeDialog(int) {
  DialogsShown.push_back("size");
  if (SizeAnswers.empty()) return std::nullopt;
  auto answer = SizeAnswers.front();
  SizeAnswers.pop_front();
  return answer;
}

std::optional<std::string> HeadlessPlatform::ClipboardText() {
  return Clipboard;
}
void HeadlessPlatform::SetClipboardText(const std::string& utf8) {
  Clipboard = utf8;
}
void HeadlessPlatform::PlaySound(const std::string& fileName) {
  Sounds.push_back(fileName);
}
void HeadlessPlatform::PopupMenu(int screenX, int screenY) {
  Popups.emplace_back(screenX, screenY);
}

void HeadlessPlatform::Repaint() {
  ++Repaints;
}

void HeadlessPlatform::ProcessMessages() {
  ++EventPasses;
  if (EventHook) EventHook();
}

void HeadlessPlatform::WaitMessages(int maxMs) {
  ProcessMessages();
  if (maxMs <= 0) return;
  if (RealTime) {
    std::this_thread::sleep_for(std::chrono::milliseconds(maxMs));
  } else {
    Clock += static_cast<std::uint32_t>(maxMs);
  }
}

std::uint32_t HeadlessPlatform::TickCount() {
  if (!RealTime) return Clock;
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

LocalTime HeadlessPlatform::Now() {
  return Time;
}

std::string HeadlessPlatform::LongTimeText(const LocalTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.Hour, t.Minute, t.Second);
  return buf;
}

void HeadlessPlatform::SetBusyCursor(bool busy) {
  BusyCursor = busy;
}

bool HeadlessPlatform::OpenDocument(const std::string& path) {
  Documents.push_back(path);
  return DocumentsOpen;
}

bool HeadlessPlatform::AddTrayIcon(const std::string& tip) {
  if (!TrayAvailable) return false;
  TrayIcon = true;
  TrayTip = tip;
  return true;
}

void HeadlessPlatform::DeleteTrayIcon() {
  TrayIcon = false;
}

void HeadlessPlatform::ShowMainWindow(bool visible) {
  WindowVisible = visible;
}

void HeadlessPlatform::PopupTrayMenu() {
  ++TrayMenus;
}

void HeadlessPlatform::SetForeground() {
  ++ForegroundRequests;
}
