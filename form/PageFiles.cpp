// Page image files: the two single saves of the page view and the three page
// writers a batch export hands each rendered page to.
#include <optional>
#include <string>

#include "base/Files.h"
#include "export/ExifThumb.h"
#include "export/JpegCodec.h"
#include "export/PageFile.h"
#include "form/BatchPlan.h"
#include "form/Unit1.h"
#include "render/BmpFile.h"

namespace {

constexpr int kSingleSaveQuality = 95;

// How many names of kept thumbnails the summary lists.
constexpr std::size_t kKeptNamesShown = 5;

std::optional<std::string> AskPicturePath(Platform& p, const char* filter, const char* ext) {
  FileDialogOptions options;
  options.Filter = filter;
  options.DefaultExt = ext;
  options.FileName.clear();
  return p.SavePictureDialog(options);
}

// Makes the current page's file as every batch export does, and writes it. A
// template without Exif stops the batch; a page that kept its template's
// thumbnail is noted for the summary at the end.
void WriteBatchPage(TForm1& f, TPageFileKind kind, TABitmap& bitmap) {
  std::string templatePath;
  if (kind != TPageFileKind::Numbered) {
    if (f.FPage < 1 || static_cast<std::size_t>(f.FPage) > f.FExifFiles.size()) return;
    templatePath = f.FExifFiles[static_cast<std::size_t>(f.FPage - 1)];
  }
  const TPageFile file = MakePageFile(PageFileSettings(f, kind), f.FPage, templatePath, bitmap);
  switch (file.Outcome) {
    case TPageFileOutcome::Write:
      WriteOutputFile(file.Path, file.Bytes);
      break;
    case TPageFileOutcome::WriteKeptThumb:
      WriteOutputFile(file.Path, file.Bytes);
      f.FKeptThumbs.push_back(file.TemplateName);
      break;
    case TPageFileOutcome::NoExif:
      f.P.ShowMessage(file.Message);
      f.FBusy = false;
      break;
    case TPageFileOutcome::Refused:
      f.P.ShowMessage(file.Message);
      break;
  }
}

}  // namespace

TPageFileSettings PageFileSettings(const TForm1& f, TPageFileKind kind) {
  TPageFileSettings s;
  s.Kind = kind;
  s.Quality = f.JQualityUpDown.Position;
  switch (kind) {
    case TPageFileKind::Numbered:
      s.Folder = f.FOutDir + "all_page/" + f.FSaveName + "/";
      break;
    case TPageFileKind::Exif:
      s.Folder = f.FOutDir + f.FSaveName + "/";
      break;
    case TPageFileKind::ExifThumb:
      s.Folder = f.FOutDir;
      break;
  }
  s.SaveName = f.FSaveName;
  s.AllPage = f.FAllPage;
  s.CountThumb = f.CountCheckBox.Checked;
  s.Bold = f.BoldCheckBox.Checked;
  s.Gothic = f.Gothic();
  return s;
}

// The single saves need a quiet window: no job, no effect. The view always
// holds its bitmap here.
void TForm1::BitsaveClick() {
  if (!Idle()) return;
  const auto path = AskPicturePath(P, "Bitmaps (*.bmp)|*.bmp", "bmp");
  if (!path) return;
  WriteOutputFile(*path, EncodeBmp(Image1.Picture));
}

void TForm1::JpegButtonClick() {
  if (!Idle()) return;
  const auto path = AskPicturePath(P, "JPEG Image File (*.jpg;*.jpeg)|*.jpg;*.jpeg", "jpg");
  if (!path) return;
  WriteOutputFile(*path, EncodePageJpeg(Image1.Picture, kSingleSaveQuality));
}

void TForm1::SavePageJpeg(TABitmap& bitmap) {
  WriteBatchPage(*this, TPageFileKind::Numbered, bitmap);
}

void TForm1::SavePageExif(TABitmap& bitmap) {
  WriteBatchPage(*this, TPageFileKind::Exif, bitmap);
}

void TForm1::SavePageExifThumb(TABitmap& bitmap) {
  WriteBatchPage(*this, TPageFileKind::ExifThumb, bitmap);
}

void TForm1::ReportKeptThumbs() {
  if (FKeptThumbs.empty()) return;
  std::string text = std::to_string(FKeptThumbs.size()) + kMsgKeptThumbs;
  for (std::size_t k = 0; k < FKeptThumbs.size() && k < kKeptNamesShown; ++k)
    text += "\n" + FKeptThumbs[k];
  if (FKeptThumbs.size() > kKeptNamesShown) text += "\n…";
  P.ShowMessage(text);
}
