// The window program: the Qt event loop around one TForm1 and its view.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <string>
#include <vector>

#include "form/Unit1.h"
#include "shell/Paths.h"
#include "view/MainWindow.h"
#include "view/PageView.h"
#include "view/QtPlatform.h"
#include "view/WindowPlacement.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QtPlatform platform;
  TForm1 form(platform);
  const TProgramPaths paths = ComputeProgramPaths(CurrentExecutablePath());
  form.FProgramDir = paths.ProgramDir;
  form.FIniFileName = paths.IniFileName;

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
