#include "render/PageNotes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/Fonts.h"
#include "render/VerticalText.h"
#include "text/Sjis.h"

namespace {

// The dot marks, one glyph repeated beside each character, by TMarkKind, and
// the size of its ink as a share of the text's em: the sesame dots are a tick,
// the shapes a little larger, the cross lighter.
struct TDotMark {
  char32_t Glyph;
  double Ink;
};
constexpr TDotMark kDotMarks[] = {
    {U'﹅', 0.28},  // Sesame
    {U'﹆', 0.28},  // WhiteSesame
    {U'●', 0.30},   // BlackCircle
    {U'○', 0.32},   // WhiteCircle
    {U'▲', 0.32},   // BlackTriangle
    {U'△', 0.34},   // WhiteTriangle
    {U'◎', 0.36},   // Bullseye
    {U'◉', 0.36},   // FishEye
    {U'×', 0.28},   // Cross
};
static_assert(std::size(kDotMarks) == static_cast<std::size_t>(TMarkKind::SolidLine));

// Space between the em box of the text and the notes beside it, in pixels.
constexpr double kNotePad = 1;

// The line's frame on the page: the origin is the top-left corner of its first
// cell; `along` runs down a column (right along a row), `across` from the side
// the readings are on to the other.
struct TFrame {
  double X, Y;
  double Ux, Uy;  // one pixel along
  double Vx, Vy;  // one pixel across
  TFrame(int x, int y, int escapement) : X(x), Y(y) {
    // The escapements of the program's lines: 0, 900 and 2700.
    if (escapement == 2700)
      Ux = 0, Uy = 1, Vx = -1, Vy = 0;
    else if (escapement == 900)
      Ux = 0, Uy = -1, Vx = 1, Vy = 0;
    else
      Ux = 1, Uy = 0, Vx = 0, Vy = 1;
  }
  double PageX(double along, double across) const { return X + along * Ux + across * Vx; }
  double PageY(double along, double across) const { return Y + along * Uy + across * Vy; }
};

bool IsVerticalFace(const TLogFont& font) {
  return !font.lfFaceName.empty() && font.lfFaceName.front() == '@';
}

// One character of the slot (or one upright run) and where its cell lies
// along the line, from the line's first cell.
struct TUnit {
  std::size_t Begin, End;
  double From, To;
};

// A stretch of the slot drawn in one go: plain text in one font, or an upright run.
struct TSegment {
  std::size_t Begin, End;
  bool Upright = false;
  int Heading = -1;  // THeadingLevel, or -1
  double From = 0;   // along the line, from its first cell
};

template <typename Range>
bool Covers(const Range& r, std::size_t begin, std::size_t end) {
  return r.Begin <= begin && end <= r.End;
}

// Cuts the slot where a heading or an upright run begins or ends.
std::vector<TSegment> Segments(std::size_t size, const TSlotDecor& decor, bool vertical) {
  std::vector<std::size_t> cuts = {0, size};
  const auto cut = [&](std::size_t at) {
    if (at < size) cuts.push_back(at);
  };
  for (const auto& h : decor.Headings) cut(h.Begin), cut(h.End);
  if (vertical)
    for (const auto& u : decor.Upright) cut(u.Begin), cut(u.End);
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  std::vector<TSegment> segments;
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    TSegment s{cuts[i], cuts[i + 1]};
    for (const auto& h : decor.Headings)
      if (Covers(h, s.Begin, s.End)) s.Heading = static_cast<int>(h.Level);
    if (vertical)
      for (const auto& u : decor.Upright) s.Upright = s.Upright || Covers(u, s.Begin, s.End);
    const bool joins = !segments.empty() && !s.Upright && !segments.back().Upright &&
                       segments.back().Heading == s.Heading;
    if (joins)
      segments.back().End = s.End;
    else
      segments.push_back(s);
  }
  return segments;
}

TLogFont HeadingFont(TLogFont font, int heading) {
  if (heading < 0) return font;
  font.lfWeight = 700;
  if (heading == static_cast<int>(THeadingLevel::Large))
    font.lfFaceName = std::string(IsVerticalFace(font) ? "@" : "") + kFaceGothic;
  return font;
}

// The same face at a note's size, squeezed as the text is.
TLogFont NoteFont(const TLogFont& font, int size) {
  TLogFont note = font;
  note.lfHeight = size;
  note.lfWeight = 500;
  if (font.lfWidth > 0)
    note.lfWidth =
        std::max(1, static_cast<int>(std::lround(1.0 * font.lfWidth * size / font.lfHeight)));
  return note;
}

// Where the em box of a sized font lies across its line: its top and bottom
// below the top of the cell.
double EmTop(const TSizedFont& f) {
  return f.Ascent - f.EmBoxAscent;
}
double EmBottom(const TSizedFont& f) {
  return EmTop(f) + f.Em;
}

// The laid-out slot: its segments and characters, along the line.
struct TSlotPlan {
  std::vector<TSegment> Segments;
  std::vector<TUnit> Units;
  double Length = 0;

  // Along the line: where the character holding byte `begin` starts, and
  // where the one holding byte end - 1 ends.
  double From(std::size_t begin) const {
    auto it = std::upper_bound(Units.begin(), Units.end(), begin,
                               [](std::size_t b, const TUnit& u) { return b < u.End; });
    return it == Units.end() ? Length : it->From;
  }
  double To(std::size_t end) const {
    if (end == 0) return 0;
    auto it = std::upper_bound(Units.begin(), Units.end(), end - 1,
                               [](std::size_t b, const TUnit& u) { return b < u.End; });
    return it == Units.end() ? Length : it->To;
  }
};

TSlotPlan PlanSlot(std::string_view text, const TSlotDecor& decor, const TLogFont& font,
                   double cell, const TCarriedChars* carried) {
  TSlotPlan plan;
  plan.Segments = Segments(text.size(), decor, IsVerticalFace(font));
  std::vector<double> starts;
  double along = 0;
  for (TSegment& s : plan.Segments) {
    s.From = along;
    if (s.Upright) {
      plan.Units.push_back({s.Begin, s.End, along, along + cell});
      along += cell;
      continue;
    }
    const auto sized = ResolveFont(HeadingFont(font, s.Heading));
    const std::string_view part = text.substr(s.Begin, s.End - s.Begin);
    LayOutLine(*sized, part, carried, &starts);
    for (std::size_t i = 0; i < part.size();) {
      const std::size_t length = SjisCharLength(part, i);
      plan.Units.push_back({s.Begin + i, s.Begin + i + length, along + starts[i] * sized->XScale,
                            along + starts[i + length] * sized->XScale});
      i += length;
    }
    along += starts.back() * sized->XScale;
  }
  plan.Length = along;
  return plan;
}

// Half-width characters side by side in one cell, upright as the reader holds
// the page, squeezed to the cell's length when they are wider.
void DrawUpright(TCanvas& canvas, const TFrame& frame, const TSizedFont& base, TLogFont font,
                 double from, double cell, std::string_view run) {
  const int upright = (font.lfEscapement + 900) % 3600;
  font.lfFaceName.erase(0, 1);  // the face without its vertical forms
  font.lfEscapement = upright;
  font.lfWidth = 0;
  const auto sized = ResolveFont(font);
  const double width = LayOutLine(*sized, run, canvas.Carried).Length;
  if (width <= 0) return;
  const double squeeze = std::min(1.0, cell / width);
  // The run's own frame: it advances against `across` and falls along the column.
  const double middleAlong = from + cell / 2, middleAcross = (EmTop(base) + EmBottom(base)) / 2;
  const double halfWidth = width * squeeze / 2, emMiddle = (EmTop(*sized) + EmBottom(*sized)) / 2;
  const double along = middleAlong - emMiddle, across = middleAcross + halfWidth;
  canvas.SetFont(font);
  canvas.TextOutAt(frame.PageX(along, across), frame.PageY(along, across), run, squeeze);
}

// Readings on one side, centred on their bases. A reading longer than its base
// overhangs its neighbours by up to a cell on each side (beyond that it is
// squeezed); readings that would meet are pushed apart as a group, centred
// where their bases want them, and squeezed only when the column cannot hold them.
struct TPlaced {
  std::size_t Index;
  double Start, Width, Squeeze;
};

std::vector<TPlaced> PlaceReadings(const std::vector<double>& centres,
                                   const std::vector<double>& widths, double lo, double hi) {
  struct TCluster {
    std::size_t First, Last;  // indices into `placed`
    double Width, Sum;        // Sum: of each member's wanted start less its offset in the cluster
    double Start() const { return Sum / static_cast<double>(Last - First + 1); }
  };
  std::vector<TPlaced> placed;
  std::vector<TCluster> clusters;
  const auto clamp = [&](TCluster& c) {
    return std::clamp(c.Start(), lo, std::max(lo, hi - c.Width));
  };
  for (std::size_t i = 0; i < centres.size(); ++i) {
    placed.push_back({i, 0, widths[i], 1});
    clusters.push_back(
        {placed.size() - 1, placed.size() - 1, widths[i], centres[i] - widths[i] / 2});
    while (clusters.size() >= 2) {
      TCluster& prev = clusters[clusters.size() - 2];
      TCluster& last = clusters.back();
      if (clamp(prev) + prev.Width <= clamp(last) + 1e-6) break;
      const double count = static_cast<double>(last.Last - last.First + 1);
      prev.Sum += last.Sum - count * prev.Width;
      prev.Width += last.Width;
      prev.Last = last.Last;
      clusters.pop_back();
    }
  }
  for (TCluster& c : clusters) {
    const double squeeze = c.Width > hi - lo ? (hi - lo) / c.Width : 1;
    double at = squeeze < 1 ? lo : clamp(c);
    for (std::size_t i = c.First; i <= c.Last; ++i) {
      placed[i].Start = at;
      placed[i].Width *= squeeze;
      placed[i].Squeeze = squeeze;
      at += placed[i].Width;
    }
  }
  return placed;
}

void DrawReadings(TCanvas& canvas, const TFrame& frame, const TSizedFont& base,
                  const TLogFont& font, const TSlotPlan& plan, double lineStart, double columnEnd,
                  double cell, const TSlotDecor& decor, TNoteSide side, int size) {
  const TLogFont noteFont = NoteFont(font, size);
  const auto note = ResolveFont(noteFont);
  std::vector<const TSlotDecor::TRuby*> ruby;
  for (const auto& r : decor.Ruby)
    if (r.Side == side && r.Begin < r.End && !r.Reading.empty()) ruby.push_back(&r);
  if (ruby.empty()) return;
  std::sort(ruby.begin(), ruby.end(), [](auto* a, auto* b) { return a->Begin < b->Begin; });
  std::vector<double> centres, widths, squeezes;
  for (const auto* r : ruby) {
    const double from = lineStart + plan.From(r->Begin), to = lineStart + plan.To(r->End);
    const double natural = LayOutLine(*note, r->Reading, canvas.Carried).Length * note->XScale;
    const double width = std::min(natural, to - from + 2 * cell);
    centres.push_back((from + to) / 2);
    widths.push_back(width);
    squeezes.push_back(natural > 0 ? width / natural : 1);
  }
  const double across = side == TNoteSide::Right ? EmTop(base) - kNotePad - EmBottom(*note)
                                                 : EmBottom(base) + kNotePad - EmTop(*note);
  std::vector<TCanvas::TPlacedText> texts;
  for (const TPlaced& p : PlaceReadings(centres, widths, 0, columnEnd)) {
    texts.push_back({frame.PageX(p.Start, across), frame.PageY(p.Start, across),
                     ruby[p.Index]->Reading, squeezes[p.Index] * p.Squeeze});
  }
  canvas.SetFont(noteFont);
  canvas.TextOutAll(texts);
}

// A line mark along [from, to) at `across`: solid, double, chain (long dash and
// dot), dashed or wavy, stepping outwards by `out` (-1 or +1) for the second line.
void DrawLineMark(TCanvas& canvas, const TFrame& frame, TMarkKind kind, double from, double to,
                  double across, double out, double cell, int pen) {
  const auto point = [&](double along, double at) {
    return TPoint{static_cast<int>(std::lround(frame.PageX(along, at))),
                  static_cast<int>(std::lround(frame.PageY(along, at)))};
  };
  const auto stroke = [&](double a, double b, double at) {
    const TPoint p = point(a, at), q = point(std::max(a + 1, b), at);
    canvas.MoveTo(p.x, p.y);
    canvas.LineTo(q.x, q.y);
  };
  // Dash patterns as lengths along the line, in cells: ink, gap, ink, gap...
  const auto dashes = [&](std::initializer_list<double> pattern) {
    double at = from;
    for (bool done = false; !done;)
      for (auto it = pattern.begin(); it != pattern.end() && !done; it += 2) {
        const double end = std::min(to, at + *it * cell);
        stroke(at, end, across);
        at = end + *(it + 1) * cell;
        done = at >= to;
      }
  };
  switch (kind) {
    case TMarkKind::SolidLine:
      stroke(from, to, across);
      break;
    case TMarkKind::DoubleLine:
      stroke(from, to, across);
      stroke(from, to, across + out * (pen + 2));
      break;
    case TMarkKind::ChainLine:
      dashes({0.45, 0.15, 0.08, 0.15});
      break;
    case TMarkKind::DashedLine:
      dashes({0.3, 0.2});
      break;
    case TMarkKind::WavyLine: {
      const double step = std::max(2.0, cell / 8), amplitude = std::max(1.0, pen * 1.5);
      std::vector<TPoint> points;
      int phase = 0;
      for (double at = from; at < to + step / 2; at += step, ++phase) {
        const double wave = phase % 2 == 0 ? 0 : (phase % 4 == 1 ? amplitude : -amplitude);
        points.push_back(point(std::min(at, to), across + out * (amplitude + wave)));
      }
      canvas.Polyline(points.data(), static_cast<int>(points.size()));
      break;
    }
    default:
      break;
  }
}

void DrawMarks(TCanvas& canvas, const TFrame& frame, const TSizedFont& base, const TLogFont& font,
               const TSlotPlan& plan, double lineStart, double cell, const TSlotDecor& decor,
               TNoteSide side, int size) {
  TLogFont noteFont = NoteFont(font, size);
  if (IsVerticalFace(noteFont)) noteFont.lfFaceName.erase(0, 1);
  noteFont.lfEscapement = 0;
  noteFont.lfWidth = 0;
  const auto note = ResolveFont(noteFont);
  const bool right = side == TNoteSide::Right;
  const double out = right ? -1 : 1;  // away from the text
  const double edge = right ? EmTop(base) - kNotePad : EmBottom(base) + kNotePad;
  const int upright = (font.lfEscapement + (IsVerticalFace(font) ? 900 : 0)) % 3600;
  const int pen = std::max(1, static_cast<int>(std::lround(base.Cell / 24)));
  canvas.SetFont(noteFont);
  canvas.Pen.Color = canvas.FontColor;
  canvas.Pen.Width = pen;
  for (const auto& m : decor.Marks) {
    if (m.Side != side || m.Begin >= m.End) continue;
    if (IsLineMark(m.Kind)) {
      DrawLineMark(canvas, frame, m.Kind, lineStart + plan.From(m.Begin) + 1,
                   lineStart + plan.To(m.End) - 1, edge + out * pen, out, cell, pen);
      continue;
    }
    const TDotMark& dot = kDotMarks[static_cast<std::size_t>(m.Kind)];
    // No larger than the room the readings have, with a pixel to spare.
    const double ink = std::min(dot.Ink * base.Em, note->Em - 1);
    const double across = edge + out * note->Em / 2;
    for (const TUnit& u : plan.Units) {
      if (u.Begin < m.Begin || u.End > m.End) continue;
      const double along = lineStart + (u.From + u.To) / 2;
      canvas.GlyphOut(frame.PageX(along, across), frame.PageY(along, across), dot.Glyph, upright,
                      ink);
    }
  }
}

}  // namespace

int ColumnCells(const TPageOptions& o) {
  // The wrap widths of the user text's sizes: 36, 30 and 26 bytes.
  if (!o.UserText) return 18;
  if (o.Turn || o.MoreBig) return 13;
  if (o.BigFont) return 15;
  return 18;
}

TNoteRoom NoteRoom(const TSlotLayout& layout, int k, int pageWidth, int pageHeight,
                   int columnCells) {
  const int cell = layout.Font.lfHeight;
  const bool columns = layout.Font.lfEscapement == 2700;
  // The gap after slot i (between it and slot i + 1), and before the first and
  // after the last, to the page's edge.
  const auto gapAfter = [&](int i) {
    const auto at = [&](int j) { return static_cast<std::size_t>(j); };
    if (columns) {
      if (i == 0) return pageWidth - layout.X[1];
      if (i == layout.Count) return layout.X[at(i)] - cell;
      return layout.X[at(i)] - cell - layout.X[at(i + 1)];
    }
    if (i == 0) return layout.Y[1];
    if (i == layout.Count) return pageHeight - layout.Y[at(i)] - cell;
    return layout.Y[at(i + 1)] - layout.Y[at(i)] - cell;
  };
  int between = cell;
  for (int i = 1; i < layout.Count; ++i) between = std::min(between, gapAfter(i));
  const int size = std::min(cell / 2, between - 1);
  TNoteRoom room;
  room.ColumnCells = columnCells;
  const int sideGaps[2] = {gapAfter(k - 1), gapAfter(k)};
  for (int side = 0; side < 2; ++side) {
    const int fits = std::min(size, sideGaps[side] - 1);
    room.Size[static_cast<std::size_t>(side)] = fits >= kNoteCellMin ? fits : 0;
  }
  return room;
}

void DrawNotedSlot(TCanvas& canvas, const TLogFont& font, int x, int y, std::string_view text,
                   const TSlotDecor& decor, const TNoteRoom& room) {
  const auto base = ResolveFont(font);
  const double cell = base->Face->FullWidthUnits() * base->Scale() * base->XScale;
  const TSlotPlan plan = PlanSlot(text, decor, font, cell, canvas.Carried);
  const double columnEnd = room.ColumnCells * cell;
  double lineStart = std::clamp(decor.IndentCells, 0, room.ColumnCells) * cell;
  if (decor.FootRaise >= 0)
    lineStart = std::max(lineStart, columnEnd - decor.FootRaise * cell - plan.Length);
  const TFrame frame(x, y, font.lfEscapement);

  for (const TSegment& s : plan.Segments) {
    const std::string_view part = text.substr(s.Begin, s.End - s.Begin);
    const TLogFont segmentFont = HeadingFont(font, s.Heading);
    if (s.Upright) {
      DrawUpright(canvas, frame, *base, segmentFont, lineStart + s.From, cell, part);
      continue;
    }
    canvas.SetFont(segmentFont);
    canvas.TextOutAt(frame.PageX(lineStart + s.From, 0), frame.PageY(lineStart + s.From, 0), part);
  }
  for (TNoteSide side : {TNoteSide::Right, TNoteSide::Left}) {
    const int size = room.Size[static_cast<std::size_t>(side)];
    if (size == 0) continue;
    DrawReadings(canvas, frame, *base, font, plan, lineStart,
                 std::max(columnEnd, lineStart + plan.Length), cell, decor, side, size);
    DrawMarks(canvas, frame, *base, font, plan, lineStart, cell, decor, side, size);
  }
}
