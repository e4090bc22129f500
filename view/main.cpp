// The window program: the Qt event loop around one TForm1 and its view.
#include <xcb/xcb.h>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "QuillaneVersion.h"
#include "form/Unit1.h"
#include "shell/Paths.h"
#include "view/MainWindow.h"
#include "view/PageView.h"
#include "view/QtPlatform.h"
#include "view/WindowPlacement.h"

namespace {

constexpr char kUsage[] =
    "usage: quillane [FILE]\n"
    "\n"
    "Opens the window of Quillane, which sets Japanese text as pictures, on FILE\n"
    "(.txt, .TXT, .ini, .htm, .html, or a .lnk shortcut to one), else on the text\n"
    "read last, at the page where it was left.\n"
    "\n"
    "  --help, -h   print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "The window needs a display. quillane-cli does the same work without one:\n"
    "quillane-cli --help lists its commands. man quillane tells more.\n";

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// Why the window cannot open here; nothing when it can. Without a display it
// can reach, Qt prints its own complaint and aborts the program.
std::optional<std::string> NoDisplay() {
  const std::string platform = EnvText("QT_QPA_PLATFORM");
  // A platform chosen by hand (offscreen, vnc, wayland...) reports for itself.
  if (!platform.empty() && !platform.starts_with("xcb")) return std::nullopt;
  if (platform.empty() && !EnvText("WAYLAND_DISPLAY").empty()) return std::nullopt;
  const std::string display = EnvText("DISPLAY");
  if (display.empty()) return std::string("no display to open the window on (DISPLAY is not set)");
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool reached = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  if (!reached) return "cannot reach the display " + display;
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view option = argc > 1 ? argv[1] : "";
  if (option == "--version") {
    std::printf("quillane %s\n", QUILLANE_VERSION);
    return 0;
  }
  if (option == "--help" || option == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (const auto problem = NoDisplay()) {
    std::fprintf(stderr,
                 "quillane: %s.\nquillane-cli does the same work without a window: quillane-cli "
                 "--help lists its commands.\n",
                 problem->c_str());
    return 1;
  }

  QApplication app(argc, argv);
  QtPlatform platform;
  TForm1 form(platform);
  const TProgramPaths paths = ComputeProgramPaths(CurrentExecutablePath());
  form.FProgramDir = paths.ProgramDir;
  form.FIniFileName = paths.IniFileName;
  form.FBooksFileName = paths.BooksFileName;

  MainWindow window(form);
  platform.AttachView(
      &window,
      [&window] {
        window.Sync();
        window.Page()->repaint();
      },
      [&window] { window.Sync(); });
  platform.AttachTray([&window](TTrayMouse event) { window.TrayMouse(event); });

  form.Dispatch([&] { form.FormCreate(); });
  // argv, not QCoreApplication::arguments(): a file name that is not UTF-8 must
  // reach the loader as the file system's bytes. QApplication has already taken
  // its own options out of argv.
  const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
  form.Dispatch([&] { form.ExamineCommandLine(args); });

  window.Sync();
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
  window.move(ReachablePosition(form.Form1Left, form.Form1Top, window.size(), screens));
  window.show();
  const int status = app.exec();
  form.Dispatch([&] { form.FormDestroy(); });
  return status;
}
