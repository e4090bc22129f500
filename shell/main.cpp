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

namespace {

// A position stored on another monitor setup could put the window where no
// screen shows it; such a window is placed at the first-run position instead.
QPoint ReachablePosition(int left, int top, QSize size) {
  const QRect wanted(QPoint(left, top), size);
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen->availableGeometry().intersects(wanted.adjusted(40, 20, -40, -20)))
      return wanted.topLeft();
  return {100, 100};
}

}  // namespace

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

  form.Dispatch([&] { form.FormCreate(); });
  std::vector<std::string> args;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
  form.Dispatch([&] { form.ExamineCommandLine(args); });

  window.Sync();
  window.move(ReachablePosition(form.Form1Left, form.Form1Top, window.size()));
  window.show();
  const int status = app.exec();
  form.Dispatch([&] { form.FormDestroy(); });
  return status;
}
