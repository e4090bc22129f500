// The window program: the Qt event loop around one TForm1 and its view.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <string>
#include <vector>

#include "shell/Paths.h"
#include "shell/Unit1.h"
#include "shell/qt/MainWindow.h"
#include "shell/qt/PageView.h"
#include "shell/qt/QtPlatform.h"
#include "shell/qt/WindowPlacement.h"

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
  std::vector<std::string> args;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
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
