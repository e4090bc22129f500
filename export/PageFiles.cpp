// Page image files: the two single saves of the page view and the three page
// writers a batch export hands each rendered page to.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "export/CountThumb.h"
#include "export/ExifThumb.h"
#include "export/FileWrite.h"
#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/JpegTTx.h"
#include "export/Streams.h"
#include "render/BmpFile.h"
#include "shell/Unit1.h"
#include "text/Sjis.h"

namespace {

constexpr int kSingleSaveQuality = 95;

// The first maxBytes bytes of the name's code-page-932 form, shortened by one
// byte when the cut would split a two-byte character, back as UTF-8.
std::string NamePrefix(const std::string& name, std::size_t maxBytes) {
  const std::string sjis = Utf8ToSjis(name);
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
  WriteExportFile(*path, EncodeBmp(Image1.Picture));
}

void TForm1::JpegButtonClick() {
  if (!Idle()) return;
  const auto path = AskPicturePath(P, "JPEG Image File (*.jpg;*.jpeg)|*.jpg;*.jpeg", "jpg");
  if (!path) return;
  WriteExportFile(*path, EncodePageJpeg(Image1.Picture, kSingleSaveQuality));
}

void TForm1::SavePageJpeg(TABitmap& bitmap) {
  const std::string jpeg = EncodePageJpeg(bitmap, JQualityUpDown.Position);
  const std::string folder = FOutDir + "all_page/" + FSaveName + "/";
  WriteExportFile(folder + NumberedPageName(FAllPage, FPage, FSaveName), jpeg);
}

void TForm1::SavePageExif(TABitmap& bitmap) {
  if (FPage < 1 || static_cast<std::size_t>(FPage) > FExifFiles.size()) return;
  const std::string& templatePath = FExifFiles[FPage - 1];
  TMemoryStream head;
  {
    TFileStream source(templatePath, TFileStream::Mode::ReadOnly);
    // The head ends with the Exif APP1 segment itself: an XMP APP1 before it
    // would otherwise cut the head short of the camera's tags.
    if (!CopyExifHead(head, source) || head.Size() == 0) {
      P.ShowMessage(kMsgNoExif);
      FBusy = false;
      return;
    }
  }
  const std::string jpeg = EncodePageJpeg(bitmap, JQualityUpDown.Position);
  head.Write(std::string_view(jpeg).substr(2));
  WriteExportFile(FOutDir + FSaveName + "/" + FileNameOf(templatePath), head.Data());
}

void TForm1::SavePageExifThumb(TABitmap& bitmap) {
  if (FPage < 1 || static_cast<std::size_t>(FPage) > FExifFiles.size()) return;
  const std::string& templatePath = FExifFiles[FPage - 1];
  TFileStream source(templatePath, TFileStream::Mode::ReadOnly);
  ExifTemplate tmpl;
  if (const ExifRefusal r = ReadExifTemplate(source, tmpl); r != ExifRefusal::None) {
    // The batch goes on with the next page; the user learns why this one is missing.
    P.ShowMessage(ExifRefusalMessage(r, tmpl.Thumb.Compression));
    return;
  }
  const int quality = JQualityUpDown.Position;
  const std::string jpeg = EncodePageJpeg(bitmap, quality);
  std::string thumb;
  if (CountCheckBox.Checked) {
    thumb = MakeCountThumb(FPage, BoldCheckBox.Checked, Gothic(), quality);
  } else {
    // The renderer discards the page after this call, so it may be shrunk in place.
    ShrinkBitmap(bitmap, kThumbWidth, kThumbHeight);
    JpegTTx encoder;
    encoder.SetBitmap(bitmap);
    encoder.SetQuality(quality);
    encoder.SetHeaderless(true);
    encoder.SetSampling(JpegTTx::Sampling::Y2x1C1x1);
    thumb = encoder.Encode();
  }
  TMemoryStream out;
  const ExifRefusal r =
      ReplaceThumbnail(out, source, tmpl, thumb, std::string_view(jpeg).substr(2));
  if (r != ExifRefusal::None) {
    P.ShowMessage(ExifRefusalMessage(r, tmpl.Thumb.Compression));
    return;
  }
  WriteExportFile(FOutDir + FileNameOf(templatePath), out.Data());
}
