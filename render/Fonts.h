#pragma once
// Faces and sized fonts of the drawing layer. A logical font record names a face
// the program was designed with; here it maps to an installed font, whose cell
// (ascent + descent, from the OS/2 win metrics) is scaled to the record's height.
// Shaped data (glyph ids, vertical forms) is cached for the run of the program,
// by each thread for itself: a face or sized font is used on the thread that
// resolved it, so threads that draw pages at once share none of this state.
#include <QRawFont>
#include <memory>
#include <string>
#include <unordered_map>

#include "render/Canvas.h"

struct hb_face_t;
struct hb_font_t;

// One installed font at every size.
class TFontFace {
 public:
  // The face for a record's face name (without a leading "@"); never null.
  static std::shared_ptr<TFontFace> ForName(const std::string& faceName);
  ~TFontFace();
  TFontFace(const TFontFace&) = delete;
  TFontFace& operator=(const TFontFace&) = delete;

  QString FamilyName() const { return base_.familyName(); }
  int UnitsPerEm() const { return unitsPerEm_; }
  int CellUnits() const { return winAscent_ + winDescent_; }
  int WinAscent() const { return winAscent_; }
  // Top of the ideographic em box above the baseline, in font units.
  int EmBoxAscent() const { return emBoxAscent_; }
  int AverageWidthUnits() const { return avgWidth_; }

  // The face at a pixel size; crisp glyphs have no antialiasing.
  QRawFont RawAt(double pixelSize, bool crisp) const;
  // Nominal glyph of a code point (0 when the font has none).
  quint32 Glyph(char32_t codePoint) const;
  // The vertical-writing form of a code point's glyph; the nominal glyph when
  // the font has no vertical form for it.
  quint32 VerticalGlyph(char32_t codePoint) const;
  // Horizontal advance of a glyph in font units.
  int AdvanceUnits(quint32 glyph) const;
  // Advance of a full-width cell (the ideographic space) in font units.
  int FullWidthUnits() const { return fullWidth_; }

 private:
  TFontFace(QRawFont base, QRawFont crisp);
  QRawFont base_;
  QRawFont crisp_;
  hb_face_t* hbFace_ = nullptr;
  hb_font_t* hbFont_ = nullptr;
  int unitsPerEm_ = 2048;
  int winAscent_ = 1802;
  int winDescent_ = 455;
  int emBoxAscent_ = 1802;
  int avgWidth_ = 1024;
  int fullWidth_ = 2048;
  mutable std::unordered_map<char32_t, quint32> vertical_;
};

// Cells up to this height are drawn solid, without antialiasing. On a 320 x 240
// page (the camera size) an antialiased stroke is narrower than a pixel, so
// small type never reached its colour and looked faint on a camera screen;
// from the full page's 19-pixel cells up, smooth Mincho keeps its thin strokes
// that a solid rendering breaks.
constexpr int kCrispCellMax = 16;

// A face at one cell height, ready to draw.
struct TSizedFont {
  std::shared_ptr<TFontFace> Face;
  QRawFont Raw;
  bool Vertical = false;   // an "@" face
  bool Bold = false;       // weight 600 and above, drawn by overprinting
  bool Crisp = false;      // no antialiasing (cells up to kCrispCellMax)
  double Cell = 0;         // cell height in pixels (the record's height)
  double Em = 0;           // em size in pixels
  double Ascent = 0;       // baseline below the top of the cell, pixels
  double EmBoxAscent = 0;  // top of the em box above the baseline, pixels
  double XScale = 1;       // horizontal squeeze from the record's width
  double Scale() const { return Em / Face->UnitsPerEm(); }  // pixels per font unit
};

// The sized font for a record, cached (per thread) by face, height, width and weight.
std::shared_ptr<const TSizedFont> ResolveFont(const TLogFont& font);
