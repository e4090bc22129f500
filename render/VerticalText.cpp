#include "render/VerticalText.h"

#include <QTransform>

#include "text/Carried.h"
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

TLineGlyphs LayOutLine(const TSizedFont& font, std::string_view sjis, const TCarriedChars* carried,
                       std::vector<double>* starts) {
  TLineGlyphs line;
  const TFontFace& face = *font.Face;
  const double scale = font.Scale();
  // Where the em box of a turned glyph must sit: its centre on the line at
  // the height the upright em box would have.
  const double emCentreV = font.Ascent - font.EmBoxAscent + font.Em / 2;
  QTransform back;
  back.rotate(90);  // undoes the quarter turn of the turned glyphs' frame
  double u = 0;
  if (starts) {
    starts->clear();
    starts->reserve(sjis.size() + 1);
  }
  for (std::size_t i = 0; i < sjis.size();) {
    const std::size_t length = SjisCharLength(sjis, i);
    if (starts) starts->insert(starts->end(), length, u);
    const bool fullWidth = length == 2;
    const auto lead = static_cast<unsigned char>(sjis[i]);
    char32_t cp = 0;
    if (fullWidth && carried && IsCarriedLead(lead))
      cp = carried->Scalar(lead, static_cast<unsigned char>(sjis[i + 1]));
    const bool isCarried = cp != 0;
    if (!isCarried) cp = SjisCharToCodePoint(sjis.substr(i, length));
    i += length;
    quint32 nominal = face.Glyph(cp);
    if (isCarried && nominal == 0) {
      cp = U'〓';
      nominal = face.Glyph(cp);
    }
    const double advance = face.AdvanceUnits(nominal) * scale;
    // A carried character takes the full-width cell its two bytes stand for
    // in the wrap, whatever its glyph's own width (é is half-width in the
    // face), and sits in the middle of it.
    const double cell = isCarried ? face.FullWidthUnits() * scale : advance;
    bool turn = font.Vertical && fullWidth;
    quint32 glyph = nominal;
    if (turn) {
      glyph = face.VerticalGlyph(cp);
      if (glyph == nominal && NeedsVerticalForm(cp)) turn = false;
    }
    if (turn) {
      const QPointF centre(u + cell / 2, emCentreV);
      const QPointF glyphCentre(advance / 2, -(font.EmBoxAscent - font.Em / 2));
      line.TurnedIds.push_back(glyph);
      line.TurnedPositions.push_back(back.map(centre) - glyphCentre);
    } else {
      line.PlainIds.push_back(glyph);
      line.PlainPositions.push_back(QPointF(u + (cell - advance) / 2, font.Ascent));
    }
    u += cell;
  }
  line.Length = u;
  if (starts) starts->push_back(u);
  return line;
}
