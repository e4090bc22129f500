#include "export/Splice.h"

#include "base/Errors.h"
#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/JpegTTx.h"
#include "export/Streams.h"

namespace {

SpliceOutcome Refuse(SpliceRefusal refusal, int compression = 0) {
  return SpliceOutcome{refusal, compression};
}

SpliceOutcome FromExif(ExifRefusal refusal, int compression) {
  switch (refusal) {
    case ExifRefusal::None:
      return {};
    case ExifRefusal::NoExif:
      return Refuse(SpliceRefusal::NoExif);
    case ExifRefusal::NotJpegThumb:
      return Refuse(SpliceRefusal::NotJpegThumb, compression);
    case ExifRefusal::App1TooLong:
      return Refuse(SpliceRefusal::App1TooLong);
  }
  return {};
}

std::optional<TABitmap> Decode(std::string_view jpeg) {
  try {
    return DecodeJpeg(jpeg);
  } catch (const EImageError&) {
    return std::nullopt;
  }
}

// The template's block with a thumbnail of picture, then imageData, written to outPath.
SpliceOutcome WriteReplaced(TStream& source, const ExifTemplate& tmpl, const TABitmap& picture,
                            int quality, std::string_view imageData, const std::string& outPath) {
  const std::string thumb = EncodeThumbnail(picture, quality);
  TMemoryStream out;
  const ExifRefusal refusal = ReplaceThumbnail(out, source, tmpl, thumb, imageData);
  if (refusal != ExifRefusal::None) return FromExif(refusal, tmpl.Thumb.Compression);
  WriteFileAtomically(outPath, out.Data());
  return {};
}

}  // namespace

std::string SpliceOutcome::Message() const {
  switch (Refusal) {
    case SpliceRefusal::None:
      return {};
    case SpliceRefusal::NoExif:
      return kMsgNoExif;
    case SpliceRefusal::NotJpegThumb:
      return ExifRefusalMessage(ExifRefusal::NotJpegThumb, Compression);
    case SpliceRefusal::App1TooLong:
      return ExifRefusalMessage(ExifRefusal::App1TooLong, Compression);
    case SpliceRefusal::NotJpegImage:
      return kMsgNotJpegImage;
  }
  return {};
}

bool HasJpegExtension(const std::string& path) {
  for (const std::string_view e : kJpegExtensions) {
    if (path.size() > e.size() && std::string_view(path).substr(path.size() - e.size()) == e)
      return true;
  }
  return false;
}

std::optional<std::string> InsertImageData(std::string_view jpeg) {
  TMemoryStream source{std::string(jpeg)};
  TMemoryStream tail;
  if (CopyExifTail(tail, source) && tail.Size() > 0) return tail.TakeData();
  if (jpeg.size() >= 2 && jpeg.substr(0, 2) == "\xFF\xD8") return std::string(jpeg.substr(2));
  return std::nullopt;
}

SpliceOutcome SpliceKeepThumbnail(const std::string& templatePath, const std::string& insertPath,
                                  const std::string& outPath) {
  TFileStream source(templatePath, TFileStream::Mode::ReadOnly);
  TMemoryStream head;
  if (!CopyExifHead(head, source) || head.Size() == 0) return Refuse(SpliceRefusal::NoExif);
  const std::string insert = ReadWholeFile(insertPath);
  const auto data = InsertImageData(insert);
  if (!data || !Decode(insert)) return Refuse(SpliceRefusal::NotJpegImage);
  head.Write(*data);
  WriteFileAtomically(outPath, head.Data());
  return {};
}

SpliceOutcome SpliceReplaceThumbnail(const std::string& templatePath, const std::string& insertPath,
                                     int quality, const std::string& outPath) {
  TFileStream source(templatePath, TFileStream::Mode::ReadOnly);
  ExifTemplate tmpl;
  if (auto r = ReadExifTemplate(source, tmpl); r != ExifRefusal::None)
    return FromExif(r, tmpl.Thumb.Compression);
  const std::string insert = ReadWholeFile(insertPath);
  const auto data = InsertImageData(insert);
  if (!data) return Refuse(SpliceRefusal::NotJpegImage);
  const auto picture = Decode(insert);
  if (!picture) return Refuse(SpliceRefusal::NotJpegImage);
  return WriteReplaced(source, tmpl, *picture, quality, *data, outPath);
}

SpliceOutcome SameThumbnail(const std::string& path, int quality, const std::string& outPath) {
  const std::string bytes = ReadWholeFile(path);
  TMemoryStream source(bytes);
  ExifTemplate tmpl;
  if (auto r = ReadExifTemplate(source, tmpl); r != ExifRefusal::None)
    return FromExif(r, tmpl.Thumb.Compression);
  TMemoryStream tail;
  if (!CopyExifTail(tail, source) || tail.Size() == 0) return Refuse(SpliceRefusal::NotJpegImage);
  const auto picture = Decode(bytes);
  if (!picture) return Refuse(SpliceRefusal::NotJpegImage);
  return WriteReplaced(source, tmpl, *picture, quality, tail.Data(), outPath);
}
