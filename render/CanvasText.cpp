// Text output of the drawing layer: glyph runs painted with QPainter on a QImage
// that shares the bitmap's bytes.
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "render/CanvasImpl.h"
#include "render/VerticalText.h"

namespace {

void DrawRun(QPainter& painter, const QRawFont& raw, const QVector<quint32>& ids,
             const QVector<QPointF>& positions) {
  if (ids.isEmpty()) return;
  QGlyphRun run;
  run.setRawFont(raw);
  run.setGlyphIndexes(ids);
  run.setPositions(positions);
  painter.drawGlyphRun(QPointF(0, 0), run);
}

}  // namespace

void TCanvas::SetFont(const TLogFont& font) {
  impl_->font = font;
  impl_->sized.reset();
}

void TCanvas::TextOut(int x, int y, std::string_view sjis) {
  TextOutAt(x, y, sjis, 1);
}

void TCanvas::TextOutAt(double x, double y, std::string_view sjis, double squeeze) {
  const TPlacedText text{x, y, sjis, squeeze};
  TextOutAll({&text, 1});
}

void TCanvas::TextOutAll(std::span<const TPlacedText> texts) {
  if (bitmap_.Empty()) return;
  if (std::all_of(texts.begin(), texts.end(), [](const auto& t) { return t.Sjis.empty(); })) return;
  if (!impl_->sized) impl_->sized = ResolveFont(impl_->font);
  const TSizedFont& font = *impl_->sized;

  QImage image(bitmap_.Bits(), bitmap_.Width(), bitmap_.Height(), bitmap_.Stride(),
               QImage::Format_BGR888);
  QPainter painter(&image);
  // Turned glyphs may be filled as paths, so both hints follow the font.
  painter.setRenderHint(QPainter::Antialiasing, !font.Crisp);
  painter.setRenderHint(QPainter::TextAntialiasing, !font.Crisp);
  painter.setPen(QColor(ColorR(FontColor), ColorG(FontColor), ColorB(FontColor)));
  for (const TPlacedText& text : texts) {
    if (text.Sjis.empty()) continue;
    const TLineGlyphs line = LayOutLine(font, text.Sjis, Carried);
    painter.resetTransform();
    painter.translate(text.X, text.Y);
    painter.rotate(-impl_->font.lfEscapement / 10.0);
    painter.scale(font.XScale * text.Squeeze, 1);
    // Bold is overprinted one pixel further along the line: the faces have no
    // bold of their own.
    for (int pass = 0; pass < (font.Bold ? 2 : 1); ++pass) {
      painter.save();
      painter.translate(pass, 0);
      DrawRun(painter, font.Raw, line.PlainIds, line.PlainPositions);
      painter.rotate(-90);
      DrawRun(painter, font.Raw, line.TurnedIds, line.TurnedPositions);
      painter.restore();
    }
  }
}

void TCanvas::GlyphOut(double x, double y, char32_t codePoint, int escapement, double inkSize) {
  if (bitmap_.Empty() || inkSize <= 0) return;
  if (!impl_->sized) impl_->sized = ResolveFont(impl_->font);
  const TFontFace& face = *impl_->sized->Face;
  const quint32 glyph = face.Glyph(codePoint);
  if (glyph == 0) return;
  // Measured large, where the outline's box is exact, then sized to the ink.
  constexpr double kMeasure = 64;
  const QRectF box = face.RawAt(kMeasure, false).boundingRect(glyph);
  const double across = std::max(box.width(), box.height());
  if (across <= 0) return;
  const double scale = inkSize / across;
  QImage image(bitmap_.Bits(), bitmap_.Width(), bitmap_.Height(), bitmap_.Stride(),
               QImage::Format_BGR888);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor colour(ColorR(FontColor), ColorG(FontColor), ColorB(FontColor));
  painter.translate(x, y);
  painter.rotate(-escapement / 10.0);
  painter.scale(scale, scale);
  painter.translate(-box.center());
  // Filled and traced with a thin pen: the outlines of the white marks are a
  // fraction of a pixel thick at these sizes and would come out faint.
  const QPainterPath outline = face.RawAt(kMeasure, false).pathForGlyph(glyph);
  painter.fillPath(outline, colour);
  painter.strokePath(outline, QPen(colour, 0.6 / scale));
}
