// Page image files: the two single saves of the page view and the three page
// writers a batch export hands each rendered page to.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "base/Files.h"
#include "export/CountThumb.h"
#include "export/ExifThumb.h"
#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/JpegTTx.h"
#include "export/Streams.h"
#include "form/Unit1.h"
#include "render/BmpFile.h"
#include "text/FileNames.h"
#include "text/Sjis.h"

namespace {

constexpr int kSingleSaveQuality = 95;

// The first maxBytes bytes of the name's code-page-932 form (see SjisFileName),
// shortened by one byte when the cut would split a two-byte character, back as
// UTF-8.
std::string NamePrefix(const std::string& name, std::size_t maxBytes) {
  const std::string sjis = SjisFileName(name);
  std::size_t end = 0;
  while (end < sjis.size()) {
    const std::size_t next = end + SjisCharLength(sjis, end);
    if (next > maxBytes) break;
    end = next;
  }
  return SjisToUtf8(std::string_view(sjis).substr(0, end));
}

// Numbered page name: the number's width follows the size of the whole text, so
// the names of one text sort in page order.
std::string NumberedPageName(int allPage, int page, const std::string& saveName) {
  char number[16];
  std::string prefix;
  if (allPage < 10000) {
    std::snprintf(number, sizeof number, "%.4d", page);
    prefix = NamePrefix(saveName, 4);
  } else if (allPage < 1000000) {
    std::snprintf(number, sizeof number, "%.6d", page);
    prefix = NamePrefix(saveName, 2);
  } else {
    std::snprintf(number, sizeof number, "%.8d", page);
  }
  return prefix + number + ".jpg";
}

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// The template from its start to the end of its Exif APP1 segment; std::nullopt
// when it has none.
std::optional<std::string> ExifHead(const std::string& templatePath) {
  TFileStream source(templatePath);
  TMemoryStream head;
  // The head ends with the Exif APP1 segment itself: an XMP APP1 before it
  // would otherwise cut the head short of the camera's tags.
  if (!CopyExifHead(head, source) || head.Size() == 0) return std::nullopt;
  return head.TakeData();
}

// A page JPEG behind a template's head: the page's SOI goes, the head has its own.
std::string AfterHead(const std::string& head, const std::string& pageJpeg) {
  return head + pageJpeg.substr(2);
}

// How many names of kept thumbnails the summary lists.
constexpr std::size_t kKeptNamesShown = 5;

std::optional<std::string> AskPicturePath(Platform& p, const char* filter, const char* ext) {
  FileDialogOptions options;
  options.Filter = filter;
  options.DefaultExt = ext;
  options.FileName.clear();
  return p.SavePictureDialog(options);
}

}  // namespace

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
  const std::string jpeg = EncodePageJpeg(bitmap, JQualityUpDown.Position);
  const std::string folder = FOutDir + "all_page/" + FSaveName + "/";
  WriteOutputFile(folder + NumberedPageName(FAllPage, FPage, FSaveName), jpeg);
}

void TForm1::SavePageExif(TABitmap& bitmap) {
  if (FPage < 1 || static_cast<std::size_t>(FPage) > FExifFiles.size()) return;
  const std::string& templatePath = FExifFiles[FPage - 1];
  const auto head = ExifHead(templatePath);
  if (!head) {
    P.ShowMessage(kMsgNoExif);
    FBusy = false;
    return;
  }
  const std::string jpeg = EncodePageJpeg(bitmap, JQualityUpDown.Position);
  WriteOutputFile(FOutDir + FSaveName + "/" + FileNameOf(templatePath), AfterHead(*head, jpeg));
}

void TForm1::SavePageExifThumb(TABitmap& bitmap) {
  if (FPage < 1 || static_cast<std::size_t>(FPage) > FExifFiles.size()) return;
  const std::string& templatePath = FExifFiles[FPage - 1];
  const std::string outPath = FOutDir + FileNameOf(templatePath);
  const int quality = JQualityUpDown.Position;
  TFileStream source(templatePath);
  ExifTemplate tmpl;
  ExifRefusal r = ReadExifTemplate(source, tmpl);
  const std::string jpeg = EncodePageJpeg(bitmap, quality);
  TMemoryStream out;
  if (r == ExifRefusal::None) {
    const std::string thumb = PageThumbnail(bitmap, quality);
    r = ReplaceThumbnail(out, source, tmpl, thumb, std::string_view(jpeg).substr(2));
  }
  if (r == ExifRefusal::None) {
    WriteOutputFile(outPath, out.Data());
    return;
  }
  // A template whose thumbnail cannot be replaced still carries the page, with
  // its own thumbnail; the batch tells of all such pages once, at its end.
  const auto head = ExifHead(templatePath);
  if (!head) {
    P.ShowMessage(ExifRefusalMessage(r, tmpl.Thumb.Compression));
    return;
  }
  WriteOutputFile(outPath, AfterHead(*head, jpeg));
  FKeptThumbs.push_back(FileNameOf(templatePath));
}

std::string TForm1::PageThumbnail(TABitmap& bitmap, int quality) {
  if (CountCheckBox.Checked) return MakeCountThumb(FPage, BoldCheckBox.Checked, Gothic(), quality);
  // The renderer discards the page after the writer returns, so it may be shrunk in place.
  ShrinkBitmap(bitmap, kThumbWidth, kThumbHeight);
  return EncodeThumbnailAsIs(bitmap, quality);
}

void TForm1::ReportKeptThumbs() {
  if (FKeptThumbs.empty()) return;
  std::string text = std::to_string(FKeptThumbs.size()) + kMsgKeptThumbs;
  for (std::size_t k = 0; k < FKeptThumbs.size() && k < kKeptNamesShown; ++k)
    text += "\n" + FKeptThumbs[k];
  if (FKeptThumbs.size() > kKeptNamesShown) text += "\n…";
  P.ShowMessage(text);
}
