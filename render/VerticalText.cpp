#include "render/VerticalText.h"

#include <QTransform>

#include "text/Sjis.h"

bool NeedsVerticalForm(char32_t c) {
  switch (c) {
    case U'ー':
    case U'―':
    case U'‐':
    case U'－':
    case U'～':
    case U'〜':
    case U'…':
    case U'‥':
    case U'：':
    case U'＝':
    case U'≪':
    case U'≫':
    case U'（':
    case U'）':
    case U'［':
    case U'］':
    case U'｛':
    case U'｝':
    case U'〔':
    case U'〕':
    case U'「':
    case U'」':
    case U'『':
    case U'』':
    case U'【':
    case U'】':
    case U'〈':
    case U'〉':
    case U'《':
    case U'》':
    case U'＜':
    case U'＞':
    case U'＿':
    case U'￣':
    case U'｜':
    case U'−':
    case U'→':
    case U'←':
      return true;
    default:
      return false;
  }
}

TLineGlyphs LayOutLine(const TSizedFont& font, std::string_view sjis) {
  TLineGlyphs line;
  const TFontFace& face = *font.Face;
  const double scale = font.Scale();
  // Where the em box of a turned glyph must sit: its centre on the line at
  // the height the upright em box would have.
  const double emCentreV = font.Ascent - font.EmBoxAscent + font.Em / 2;
  QTransform back;
  back.rotate(90);  // undoes the quarter turn of the turned glyphs' frame
  double u = 0;
  for (std::size_t i = 0; i < sjis.size();) {
    const std::size_t length = SjisCharLength(sjis, i);
    const char32_t cp = SjisCharToCodePoint(sjis.substr(i, length));
    const bool fullWidth = length == 2;
    i += length;
    const quint32 nominal = face.Glyph(cp);
    const double advance = face.AdvanceUnits(nominal) * scale;
    bool turn = font.Vertical && fullWidth;
    quint32 glyph = nominal;
    if (turn) {
      glyph = face.VerticalGlyph(cp);
      if (glyph == nominal && NeedsVerticalForm(cp)) turn = false;
    }
    if (turn) {
      const QPointF centre(u + advance / 2, emCentreV);
      const QPointF glyphCentre(advance / 2, -(font.EmBoxAscent - font.Em / 2));
      line.TurnedIds.push_back(glyph);
      line.TurnedPositions.push_back(back.map(centre) - glyphCentre);
    } else {
      line.PlainIds.push_back(glyph);
      line.PlainPositions.push_back(QPointF(u, font.Ascent));
    }
    u += advance;
  }
  line.Length = u;
  return line;
}
