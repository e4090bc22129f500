#pragma once
// The drawing layer: the platform drawing calls the program makes, on a TABitmap.
// Conventions are those the program was designed for:
//  - colours are 0x00BBGGRR;
//  - shapes are drawn without antialiasing;
//  - a rectangle (l, t, r, b) covers columns l..r-1 and rows t..b-1 (fills,
//    outlines, ellipses inscribed in it); LineTo draws up to but not including
//    its end point; pens of width w > 1 are centred on the geometric line;
//  - text is drawn with a logical font record (TLogFont) whose height is the cell
//    height in pixels; TextOut(x, y) puts the top-left corner of the first cell at
//    (x, y) and rotates the line about that point by the escapement (tenths of a
//    degree, counter-clockwise); the background stays transparent; antialiased,
//    except small cells, which are drawn solid (render/Fonts.h);
//  - face names: "ＭＳ 明朝" -> IPAMincho, "ＭＳ ゴシック" -> IPAGothic,
//    "ＭＳ Ｐ明朝" -> IPAPMincho, "ＭＳ Ｐゴシック" -> IPAPGothic,
//    "Times New Roman" -> Liberation Serif; a leading "@" selects the vertical
//    face: full-width characters upright in a top-to-bottom column with their
//    vertical forms, half-width characters turned a quarter turn clockwise.
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/Types.h"
#include "render/ABitmap.h"

class TCarriedChars;

// Only the fields drawing reads: the face is always upright, plain, in the
// default character set.
struct TLogFont {
  int lfHeight = 0;        // cell height in pixels (positive)
  int lfWidth = 0;         // average character width; 0 = the face's own proportions
  int lfEscapement = 0;    // 0, 900 or 2700 in this program
  int lfWeight = 400;      // 600 and above draws bold
  std::string lfFaceName;  // UTF-8, e.g. "@ＭＳ 明朝"
};

// The two faces pages, the title card and the count pictures are set in.
inline constexpr char kFaceMincho[] = "ＭＳ 明朝";
inline constexpr char kFaceGothic[] = "ＭＳ ゴシック";
inline const char* PageFaceName(bool gothic) {
  return gothic ? kFaceGothic : kFaceMincho;
}
// Whether the face a record names (a leading "@" aside) has a glyph for the
// code point; a carried character it has none for is drawn as 〓.
bool FaceHasGlyph(const std::string& faceName, char32_t codePoint);

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
};

struct TBrush {
  TColor Color = clWhite;
};

class TCanvas {
 public:
  explicit TCanvas(TABitmap& bitmap);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen Pen;
  TBrush Brush;
  TColor FontColor = clBlack;
  // What the carried codes of the text drawn stand for (text/Carried.h); none:
  // every code is read as code page 932 reads it.
  const TCarriedChars* Carried = nullptr;
  // Selects the font for TextOut.
  void SetFont(const TLogFont& font);

  // Brush fill of the rectangle (nothing when Right <= Left or Bottom <= Top).
  void FillRect(const TRect& r);
  // One-pixel frame of the rectangle in the brush colour.
  void FrameRect(const TRect& r);
  // Pen outline filled with the brush. Corners are taken in either order.
  void Rectangle(int left, int top, int right, int bottom);
  // Ellipse inscribed in the rectangle: pen outline filled with the brush.
  void Ellipse(int left, int top, int right, int bottom);
  // Counter-clockwise arc of the inscribed ellipse from the ray towards (x1, y1)
  // to the ray towards (x2, y2); equal rays draw the full outline.
  void Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const TPoint* points, int count);
  void SetPixel(int x, int y, TColor color);
  // Draws code-page-932 text with the selected font and FontColor.
  void TextOut(int x, int y, std::string_view sjis);
  // TextOut at a point between pixels, the line squeezed along its length by
  // `squeeze` (1 = as the font sets it): a part of a line, a reading beside it.
  void TextOutAt(double x, double y, std::string_view sjis, double squeeze = 1);
  // Several TextOutAt calls in the selected font at once (one painter for all:
  // the readings beside a line).
  struct TPlacedText {
    double X = 0, Y = 0;
    std::string_view Sjis;
    double Squeeze = 1;
  };
  void TextOutAll(std::span<const TPlacedText> texts);
  // One character of the selected face, smooth, scaled so that its ink is
  // `inkSize` pixels across (the larger of its width and height), with the
  // middle of its ink at (x, y), turned counter-clockwise by `escapement`
  // tenths of a degree: an emphasis mark beside a line.
  void GlyphOut(double x, double y, char32_t codePoint, int escapement, double inkSize);
  // Block copy of a whole bitmap with its top-left corner at (x, y).
  void Draw(int x, int y, const TABitmap& source);

  TABitmap& Bitmap() { return bitmap_; }

 private:
  struct Impl;
  TABitmap& bitmap_;
  std::unique_ptr<Impl> impl_;
  TPoint penPos_;
};
