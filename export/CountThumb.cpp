#include "export/CountThumb.h"

#include "export/JpegTTx.h"
#include "render/Canvas.h"

int CountThumbX(int page) {
  int digits = 1;
  for (long long limit = 10; page >= limit && digits < 7; limit *= 10) ++digits;
  return 68 - 10 * (digits - 1);
}

void DrawCountNumber(TABitmap& bitmap, int number, int x, int y, int height, bool bold, bool gothic,
                     TColor color) {
  TCanvas canvas(bitmap);
  TLogFont font;
  font.lfHeight = height;
  font.lfWeight = bold ? 600 : 500;
  font.lfFaceName = PageFaceName(gothic);
  canvas.SetFont(font);
  canvas.FontColor = color;
  canvas.TextOut(x, y, std::to_string(number));
}

TABitmap DrawCountThumb(int page, bool bold, bool gothic) {
  TABitmap bitmap(kThumbWidth, kThumbHeight);
  bitmap.Fill(clWhite);
  DrawCountNumber(bitmap, page, CountThumbX(page), 45, 40, bold, gothic, clBlack);
  return bitmap;
}

std::string MakeCountThumb(int page, bool bold, bool gothic, int quality) {
  return EncodeThumbnailAsIs(DrawCountThumb(page, bold, gothic), quality);
}
