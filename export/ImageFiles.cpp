#include "export/ImageFiles.h"

#include <QByteArray>
#include <QImage>
#include <cstring>

#include "base/Errors.h"
#include "export/JpegCodec.h"
#include "export/Streams.h"

TABitmap ReadPictureFile(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xD8)
    return DecodeJpeg(bytes);

  QImage image;
  if (!image.loadFromData(QByteArray::fromRawData(bytes.data(), static_cast<int>(bytes.size()))))
    throw EImageError("画像ファイル " + path + " を読めません");
  image = image.convertToFormat(QImage::Format_BGR888);
  TABitmap bitmap(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(bitmap.ScanLine(y), image.constScanLine(y),
                static_cast<std::size_t>(image.width()) * 3);
  return bitmap;
}
