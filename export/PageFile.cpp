#include "export/PageFile.h"

#include <cstdio>
#include <optional>

#include "export/CountThumb.h"
#include "export/ExifThumb.h"
#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/JpegTTx.h"
#include "export/Streams.h"
#include "text/FileNames.h"
#include "text/Sjis.h"

namespace {

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

std::string Thumbnail(const TPageFileSettings& s, int page, TABitmap& bitmap) {
  if (s.CountThumb) return MakeCountThumb(page, s.Bold, s.Gothic, s.Quality);
  // The page is not needed after its file is made, so it is shrunk in place.
  ShrinkBitmap(bitmap, kThumbWidth, kThumbHeight);
  return EncodeThumbnailAsIs(bitmap, s.Quality);
}

TPageFile ExifPage(const TPageFileSettings& s, const std::string& templatePath,
                   const TABitmap& bitmap) {
  TPageFile file;
  file.TemplateName = ExtractFileName(templatePath);
  file.Path = s.Folder + file.TemplateName;
  const auto head = ExifHead(templatePath);
  if (!head) {
    file.Outcome = TPageFileOutcome::NoExif;
    file.Message = kMsgNoExif;
    return file;
  }
  file.Bytes = AfterHead(*head, EncodePageJpeg(bitmap, s.Quality));
  return file;
}

TPageFile ExifThumbPage(const TPageFileSettings& s, int page, const std::string& templatePath,
                        TABitmap& bitmap) {
  TPageFile file;
  file.TemplateName = ExtractFileName(templatePath);
  file.Path = s.Folder + file.TemplateName;
  TFileStream source(templatePath);
  ExifTemplate tmpl;
  ExifRefusal r = ReadExifTemplate(source, tmpl);
  const std::string jpeg = EncodePageJpeg(bitmap, s.Quality);
  TMemoryStream out;
  if (r == ExifRefusal::None) {
    const std::string thumb = Thumbnail(s, page, bitmap);
    r = ReplaceThumbnail(out, source, tmpl, thumb, std::string_view(jpeg).substr(2));
  }
  if (r == ExifRefusal::None) {
    file.Bytes = out.TakeData();
    return file;
  }
  // A template whose thumbnail cannot be replaced still carries the page, with
  // its own thumbnail; the batch tells of all such pages once, at its end.
  const auto head = ExifHead(templatePath);
  if (!head) {
    file.Outcome = TPageFileOutcome::Refused;
    file.Message = ExifRefusalMessage(r, tmpl.Thumb.Compression);
    return file;
  }
  file.Outcome = TPageFileOutcome::WriteKeptThumb;
  file.Bytes = AfterHead(*head, jpeg);
  return file;
}

}  // namespace

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

TPageFile MakePageFile(const TPageFileSettings& settings, int page, const std::string& templatePath,
                       TABitmap& bitmap) {
  switch (settings.Kind) {
    case TPageFileKind::Exif:
      return ExifPage(settings, templatePath, bitmap);
    case TPageFileKind::ExifThumb:
      return ExifThumbPage(settings, page, templatePath, bitmap);
    case TPageFileKind::Numbered:
      break;
  }
  TPageFile file;
  file.Path = settings.Folder + NumberedPageName(settings.AllPage, page, settings.SaveName);
  file.Bytes = EncodePageJpeg(bitmap, settings.Quality);
  return file;
}
