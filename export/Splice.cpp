#include "export/Splice.h"

#include <functional>
#include <vector>

#include "base/Errors.h"
#include "export/FileWrite.h"
#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/JpegTTx.h"
#include "export/Streams.h"

namespace {

SpliceOutcome Refuse(SpliceRefusal refusal, int compression = 0) {
  return SpliceOutcome{refusal, compression, {}};
}

SpliceOutcome Refuse(SpliceRefusal refusal, std::string detail) {
  return SpliceOutcome{refusal, 0, std::move(detail)};
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

// The picture of a JPEG, or the refusal when there is none to decode: a picture
// too large names its size, anything else libjpeg cannot read is no JPEG.
SpliceOutcome Decode(std::string_view jpeg, TABitmap& picture) {
  try {
    picture = DecodeJpeg(jpeg);
    return {};
  } catch (const EPictureTooLarge& e) {
    return Refuse(SpliceRefusal::TooLarge, e.what());
  } catch (const EImageError&) {
    return Refuse(SpliceRefusal::NotJpegImage);
  }
}

// The bytes after a JPEG's own Exif block; std::nullopt when there are none.
std::optional<std::string> ExifTail(std::string_view jpeg) {
  TMemoryStream source{std::string(jpeg)};
  TMemoryStream tail;
  if (!CopyExifTail(tail, source) || tail.Size() == 0) return std::nullopt;
  return tail.TakeData();
}

// The template's block with a thumbnail of the picture in jpeg, then imageData.
SpliceOutcome Replaced(std::string_view templ, std::string_view jpeg,
                       const std::optional<std::string>& imageData, int quality, std::string& out) {
  TMemoryStream source{std::string(templ)};
  ExifTemplate tmpl;
  if (auto r = ReadExifTemplate(source, tmpl); r != ExifRefusal::None)
    return FromExif(r, tmpl.Thumb.Compression);
  if (!imageData) return Refuse(SpliceRefusal::NotJpegImage);
  TABitmap picture;
  if (SpliceOutcome decoded = Decode(jpeg, picture); !decoded.Ok()) return decoded;
  const std::string thumb = EncodeThumbnail(picture, quality);
  TMemoryStream written;
  if (auto r = ReplaceThumbnail(written, source, tmpl, thumb, *imageData); r != ExifRefusal::None)
    return FromExif(r, tmpl.Thumb.Compression);
  out = written.TakeData();
  return {};
}

using TByteSplice = std::function<SpliceOutcome(const std::vector<std::string>&, std::string&)>;

SpliceOutcome OnFiles(const std::vector<std::string>& inputs, const std::string& outPath,
                      const TByteSplice& splice) {
  if (auto refusal = OverwriteRefusal(outPath, inputs))
    return Refuse(SpliceRefusal::Overwrite, std::move(*refusal));
  std::vector<std::string> bytes;
  for (const auto& path : inputs) bytes.push_back(ReadWholeFile(path));
  std::string out;
  SpliceOutcome outcome = splice(bytes, out);
  if (outcome.Ok()) WriteFileAtomically(outPath, out);
  return outcome;
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
    case SpliceRefusal::TooLarge:
    case SpliceRefusal::Overwrite:
      return Detail;
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

SpliceOutcome SpliceKeepThumbnailBytes(std::string_view templ, std::string_view insert,
                                       std::string& out) {
  TMemoryStream source{std::string(templ)};
  TMemoryStream head;
  if (!CopyExifHead(head, source) || head.Size() == 0) return Refuse(SpliceRefusal::NoExif);
  const auto data = InsertImageData(insert);
  if (!data) return Refuse(SpliceRefusal::NotJpegImage);
  TABitmap picture;
  if (SpliceOutcome decoded = Decode(insert, picture); !decoded.Ok()) return decoded;
  head.Write(*data);
  out = head.TakeData();
  return {};
}

SpliceOutcome SpliceReplaceThumbnailBytes(std::string_view templ, std::string_view insert,
                                          int quality, std::string& out) {
  return Replaced(templ, insert, InsertImageData(insert), quality, out);
}

SpliceOutcome SameThumbnailBytes(std::string_view jpeg, int quality, std::string& out) {
  return Replaced(jpeg, jpeg, ExifTail(jpeg), quality, out);
}

SpliceOutcome SpliceKeepThumbnail(const std::string& templatePath, const std::string& insertPath,
                                  const std::string& outPath) {
  return OnFiles({templatePath, insertPath}, outPath, [](const auto& in, std::string& out) {
    return SpliceKeepThumbnailBytes(in[0], in[1], out);
  });
}

SpliceOutcome SpliceReplaceThumbnail(const std::string& templatePath, const std::string& insertPath,
                                     int quality, const std::string& outPath) {
  return OnFiles({templatePath, insertPath}, outPath, [quality](const auto& in, std::string& out) {
    return SpliceReplaceThumbnailBytes(in[0], in[1], quality, out);
  });
}

SpliceOutcome SameThumbnail(const std::string& path, int quality, const std::string& outPath) {
  return OnFiles({path}, outPath, [quality](const auto& in, std::string& out) {
    return SameThumbnailBytes(in[0], quality, out);
  });
}
