#pragma once
// Laying out one line of text for the drawing layer, in the line's own frame:
// u runs along the line from the top-left corner of its first cell, v runs
// across it from the top of the cells. The escapement later turns this frame
// about the text origin.
//
// An "@" face sets full-width characters a quarter turn counter-clockwise in
// this frame, with their vertical forms, so that a line turned a quarter turn
// clockwise (escapement 2700) shows an upright top-to-bottom column. Half-width
// characters, and full-width ones that need a vertical form the font lacks,
// stay as they are in the frame and so end up turned in the column.
#include <QPointF>
#include <QVector>
#include <string_view>
#include <vector>

#include "render/Fonts.h"

struct TLineGlyphs {
  // Glyphs drawn in the line frame; positions are baseline origins.
  QVector<quint32> PlainIds;
  QVector<QPointF> PlainPositions;
  // Glyphs drawn a quarter turn counter-clockwise: positions are in the line
  // frame rotated by -90 degrees (QTransform::rotate(-90)).
  QVector<quint32> TurnedIds;
  QVector<QPointF> TurnedPositions;
  double Length = 0;  // advance of the whole line along u, in pixels
};

class TCarriedChars;

// The glyphs of one line of code-page-932 text. The carried codes among them
// are drawn as the characters `carried` says they stand for (none: as code
// page 932 reads them): each in a full-width cell, centred in it, with the
// rules of any full-width character; one the face has no glyph for is drawn
// as 〓.
// With `starts`, also where each byte's character begins along the line (u,
// in pixels before any squeeze): one entry per byte, the bytes of a character
// sharing its start, and a last one at the end of the line.
TLineGlyphs LayOutLine(const TSizedFont& font, std::string_view sjis,
                       const TCarriedChars* carried = nullptr,
                       std::vector<double>* starts = nullptr);

// Whether a full-width character must change shape in a vertical column
// (brackets, dashes, the long vowel mark ...), so that it is drawn turned when
// the font has no vertical form for it.
bool NeedsVerticalForm(char32_t codePoint);
