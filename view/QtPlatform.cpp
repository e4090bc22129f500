#include "view/QtPlatform.h"

#include <QApplication>
#include <QAudioDevice>
#include <QClipboard>
#include <QColorDialog>
#include <QCursor>
#include <QDateTime>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSoundEffect>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>

#include "shell/Paths.h"
#include "shell/SoundCues.h"
#include "text/FileNames.h"
#include "view/NumberDialog.h"
#include "view/PageDialog.h"
#include "view/QtColor.h"
#include "view/SizeDialog.h"
#include "view/widgets/FaceWidget.h"

namespace {

QString Q(const std::string& text) {
  return DisplayString(text);
}

// A path handed to a Qt dialog as its starting place.
QString QPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

std::string LocalFilePath(const QUrl& url) {
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

QString DisplayString(const std::string& text) {
  return QString::fromStdString(DisplayName(text));
}

QString ConvertFileFilter(const std::string& filter) {
  const QStringList parts = Q(filter).split('|');
  QStringList qtFilters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    qtFilters << parts[i] + " (" + patterns.simplified() + ")";
  }
  if (qtFilters.isEmpty() && !parts.isEmpty() && !parts[0].isEmpty()) qtFilters << parts[0];
  return qtFilters.join(";;");
}

QtPlatform::QtPlatform() {
  clock_.start();
}

QtPlatform::~QtPlatform() {
  if (busy_) QGuiApplication::restoreOverrideCursor();
}

void QtPlatform::AttachView(QWidget* window, std::function<void()> onRepaint,
                            std::function<void()> onEvents) {
  window_ = window;
  onRepaint_ = std::move(onRepaint);
  onEvents_ = std::move(onEvents);
}

MsgResult QtPlatform::MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) {
  QMessageBox box(window_);
  box.setWindowTitle("Quillane");
  box.setText(Q(text));
  switch (icon) {
    case MsgIcon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MsgIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MsgIcon::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MsgIcon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  if (buttons == MsgButtons::YesNo) {
    QPushButton* yes = box.addButton("はい", QMessageBox::YesRole);
    QPushButton* no = box.addButton("いいえ", QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? MsgResult::Yes : MsgResult::No;
  }
  QPushButton* ok = box.addButton("OK", QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return MsgResult::Ok;
}

void QtPlatform::ShowError(const std::string& text) {
  QMessageBox::critical(window_, "Quillane", Q(text));
}

std::optional<std::string> QtPlatform::FileDialog(const FileDialogOptions& options, bool save) {
  QFileDialog dialog(window_, QString(), QPath(options.InitialDir),
                     ConvertFileFilter(options.Filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!options.DefaultExt.empty()) dialog.setDefaultSuffix(Q(options.DefaultExt));
  if (!options.FileName.empty()) dialog.selectFile(Q(options.FileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedUrls().isEmpty()) return std::nullopt;
  return LocalFilePath(dialog.selectedUrls().first());
}

std::optional<std::string> QtPlatform::OpenFileDialog(const FileDialogOptions& options) {
  return FileDialog(options, false);
}
std::optional<std::string> QtPlatform::SaveFileDialog(const FileDialogOptions& options) {
  return FileDialog(options, true);
}
std::optional<std::string> QtPlatform::OpenPictureDialog(const FileDialogOptions& options) {
  return FileDialog(options, false);
}
std::optional<std::string> QtPlatform::SavePictureDialog(const FileDialogOptions& options) {
  return FileDialog(options, true);
}

std::optional<std::string> QtPlatform::SelectDirectory(const std::string& startDir) {
  const QUrl dir = QFileDialog::getExistingDirectoryUrl(window_, QString(),
                                                        QUrl::fromLocalFile(QPath(startDir)));
  if (dir.isEmpty()) return std::nullopt;
  return LocalFilePath(dir);
}

std::optional<TColor> QtPlatform::ColorDialog(TColor initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), window_);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<double> QtPlatform::NumberDialog(double initial) {
  return TForm3::Ask(initial, window_);
}

std::optional<int> QtPlatform::SizeDialog(int initial) {
  return TForm4::Ask(initial, window_);
}

std::optional<int> QtPlatform::PageDialog(int page, int allPage) {
  return PageDialog::Ask(page, allPage, window_);
}

std::optional<std::string> QtPlatform::ClipboardText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return std::nullopt;
  return data->text().toStdString();
}

void QtPlatform::SetClipboardText(const std::string& utf8) {
  QGuiApplication::clipboard()->setText(Q(utf8));
}

void QtPlatform::PlaySound(const std::string& fileName) {
  // The lookup reads the current folder and the executable's place, so it is
  // made here at the edge; the headless platform records the bare names.
  const std::string path = FindCueFile(fileName);
  // Without an audio output the effect would only complain on stderr per cue.
  if (path.empty() || QMediaDevices::audioOutputs().isEmpty()) return;
  const QFileInfo file(Q(path));
  // The effect lives until it has played (or failed to load); the cue is
  // asynchronous, so the command that asked for it goes on at once.
  auto* sound = new QSoundEffect(this);
  ++soundsPlaying_;
  auto finish = [this, sound] {
    --soundsPlaying_;
    sound->deleteLater();
  };
  connect(sound, &QSoundEffect::playingChanged, sound, [sound, finish] {
    if (!sound->isPlaying() && sound->status() == QSoundEffect::Ready) finish();
  });
  connect(sound, &QSoundEffect::statusChanged, sound, [sound, finish] {
    if (sound->status() == QSoundEffect::Error) finish();
  });
  sound->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  sound->play();
}

void QtPlatform::PopupMenu(int screenX, int screenY) {
  if (!window_) return;
  if (auto* menu = window_->findChild<QMenu*>("PopupMenu1")) menu->popup(QPoint(screenX, screenY));
}

void QtPlatform::Repaint() {
  if (onRepaint_) onRepaint_();
}

void QtPlatform::ProcessMessages() {
  if (onEvents_) onEvents_();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtPlatform::WaitMessages(int maxMs) {
  if (onEvents_) onEvents_();
  // The timer bounds the wait; any other event ends it sooner.
  QTimer bound;
  bound.setSingleShot(true);
  bound.start(std::max(0, maxMs));
  QEventLoop loop;
  loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

std::uint32_t QtPlatform::TickCount() {
  return static_cast<std::uint32_t>(clock_.elapsed());
}

LocalTime QtPlatform::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

std::string QtPlatform::LongTimeText(const LocalTime& time) {
  return QString::asprintf("%d:%02d:%02d", time.Hour, time.Minute, time.Second).toStdString();
}

void QtPlatform::SetBusyCursor(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

bool QtPlatform::OpenDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

// ---------------------------------------------------------------- the tray

void QtPlatform::AttachTray(std::function<void(TTrayMouse)> onTray) {
  onTray_ = std::move(onTray);
}

bool QtPlatform::AddTrayIcon(const std::string& tip) {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
  if (!tray_) {
    tray_ = new QSystemTrayIcon(this);
    tray_->setObjectName("TrayIcon");
    const std::string installed = FindDataFile("quillane.png");
    tray_->setIcon(installed.empty() ? FaceIcon(FacePicture()) : QIcon(Q(installed)));
    // A left click shows the window; anything else brings the program forward,
    // and the right button opens the tray menu.
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
      if (!onTray_) return;
      if (r == QSystemTrayIcon::Trigger)
        onTray_(TTrayMouse::LeftDown);
      else if (r == QSystemTrayIcon::Context)
        onTray_(TTrayMouse::RightDown);
      else
        onTray_(TTrayMouse::Other);
    });
  }
  tray_->setToolTip(Q(tip));
  tray_->show();
  return true;
}

void QtPlatform::DeleteTrayIcon() {
  if (tray_) tray_->hide();
}

void QtPlatform::ShowMainWindow(bool visible) {
  if (!window_) return;
  window_->setVisible(visible);
  if (visible) window_->activateWindow();
}

void QtPlatform::PopupTrayMenu() {
  if (!window_) return;
  if (auto* menu = window_->findChild<QMenu*>("PopupMenu2")) menu->popup(QCursor::pos());
}

void QtPlatform::SetForeground() {
  if (window_ && window_->isVisible()) window_->activateWindow();
}
