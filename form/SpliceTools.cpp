// The two splice buttons: "sp" puts a JPEG behind a camera photograph's Exif
// block, "sm" rebuilds a JPEG's thumbnail from its own picture.
#include <filesystem>

#include "export/Splice.h"
#include "form/Unit1.h"

namespace {

constexpr char kAskMode[] =
    "はい　で\n挿入するJpegを縮小サムネイルにして入れ替えます\nいいえ　で\n"
    "挿入されるJpegのサムネイルを残します";
constexpr char kAskTemplate[] = "挿入されるExif付きJpeg画像を選んでください";
constexpr char kTellInsert[] =
    "挿入するJpeg画像を選んでください\nExif付きでも、なくてもかまいません\n"
    "ただし大きさはカメラサポートの範囲で";
constexpr char kAskSame[] = "同一化するJpeg画像を選んでください";

bool Ask(Platform& p, const std::string& text) {
  return p.MessageBox(text, MsgButtons::YesNo, MsgIcon::Information) == MsgResult::Yes;
}

FileDialogOptions JpegDialog() {
  FileDialogOptions options;
  options.Filter = "JPEG(*.jpg;*.jpeg)|*.jpg;*.jpeg;*.JPG;*.JPEG|All(*.*)|*.*";
  options.DefaultExt = "jpg";
  return options;
}

// A picture chosen in the open-picture dialog; std::nullopt when cancelled or
// refused by its extension (the refusal is shown).
std::optional<std::string> ChooseJpeg(Platform& p) {
  auto path = p.OpenPictureDialog(JpegDialog());
  if (!path) return std::nullopt;
  if (!HasJpegExtension(*path)) {
    p.ShowMessage(kMsgNotJpegName);
    return std::nullopt;
  }
  return path;
}

// FProgramDir/folder/<file name of source>, the folder created when missing.
std::string OutputPath(const std::string& programDir, const char* folder,
                       const std::string& source) {
  const std::filesystem::path dir = std::filesystem::path(programDir) / folder;
  std::filesystem::create_directories(dir);
  return (dir / std::filesystem::path(source).filename()).string();
}

void Report(Platform& p, const SpliceOutcome& outcome) {
  p.ShowMessage(outcome.Ok() ? std::string(kMsgSuccess) : outcome.Message());
}

}  // namespace

void TForm1::SpButton1Click() {
  if (!Idle()) return;
  const bool replace = Ask(P, kAskMode);
  if (!Ask(P, kAskTemplate)) return;
  const auto templatePath = ChooseJpeg(P);
  if (!templatePath) return;
  P.ShowMessage(kTellInsert);
  const auto insertPath = ChooseJpeg(P);
  if (!insertPath) return;
  if (!Ask(P, "以下のファイルを選びました\n挿入されるJpeg画像\n" + *templatePath + "\n" +
                  "挿入するJpeg画像" + "\n" + *insertPath + "\n" + "よろしければ続行します"))
    return;
  const std::string out = OutputPath(FProgramDir, "special", *templatePath);
  Report(P, replace
                ? SpliceReplaceThumbnail(*templatePath, *insertPath, JQualityUpDown.Position, out)
                : SpliceKeepThumbnail(*templatePath, *insertPath, out));
}

void TForm1::SameButton1Click() {
  if (!Idle()) return;
  if (!Ask(P, kAskSame)) return;
  const auto path = ChooseJpeg(P);
  if (!path) return;
  const std::string out = OutputPath(FProgramDir, "same", *path);
  Report(P, SameThumbnail(*path, JQualityUpDown.Position, out));
}
