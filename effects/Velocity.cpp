#include "effects/Velocity.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>

#include "effects/Outlines.h"
#include "effects/VelocityColors.h"
#include "render/Canvas.h"
#include "text/Sjis.h"

namespace {

constexpr int kLockLimit = 2147483000;
constexpr int kWarmUpTicks = 30;

// Everything one tick works on.
struct TTick {
  TVelocityState& S;
  const TVelocityOptions& O;
  TPoint& C;  // the centre
  TRandom& R;
  int W, H;
};

// The band the centre keeps to in Clock mode.
struct TClockBand {
  int Left, Right, Top, Bottom;
};
TClockBand ClockBand(int w, int h) {
  return {3 * (w / 8), 5 * (w / 8), 4 * (h / 10), 6 * (h / 10)};
}

void NewClockTarget(TVelocityState& s, TRandom& random, int w, int h) {
  s.TargetX = 3 * (w / 8) + random.Random(w / 4);
  s.TargetY = 4 * (h / 10) + random.Random(h / 5);
}

int RoundHalfEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

// Where a dot that left the picture is born again.
TPoint BirthPoint(TTick& t, int i, const TVelocityClock& clock) {
  if (t.O.Clock) {
    t.S.Hour = clock.Hour;
    t.S.Min = clock.Minute;
    t.S.Sec = clock.Second;
    t.S.MSec = clock.MSec;
    double a;
    if (i < 25)
      a = (3 - (clock.Hour + clock.Minute / 60.0)) * std::numbers::pi / 6;
    else if (i < 50)
      a = (15 - (clock.Minute + clock.Second / 60.0)) * std::numbers::pi / 30;
    else
      a = (15 - clock.Second) * std::numbers::pi / 30;
    return {t.C.x + RoundHalfEven(std::cos(a) * 90), t.C.y - RoundHalfEven(std::sin(a) * 90)};
  }
  if (t.O.RoadMovie) {
    const int r = t.R.Random(t.S.Div - 1);
    const int r2 = t.R.Random(t.S.Div - 1);
    const int dx = i < 25 || i >= 75 ? -1 - r : 1 + r;
    const int dy = i < 50 ? -1 - r2 : 1 + r2;
    return {t.C.x + dx, t.C.y + dy};
  }
  const int x = t.R.Random(t.W);
  return {x, t.R.Random(t.H)};
}

// One axis of the next position, moved away from the centre.
int Advance(int next, int centre, int div, bool blackHole) {
  const int o = next - centre;
  if (!blackHole && std::abs(o) < div) return next + (o > 0 ? 2 : -2);
  return next + o / div;
}

// Keeps a hand that points straight up, down, left or right on the axis.
void AlignToHand(TTick& t, int i) {
  TRect& d = t.S.Dots[i];
  bool vertical, horizontal;
  if (i < 25) {
    const int hr = t.S.Hour;
    vertical = t.S.Min == 0 && (hr == 0 || hr == 6 || hr == 12 || hr == 18);
    horizontal = t.S.Min == 0 && (hr == 3 || hr == 9 || hr == 15 || hr == 21);
  } else {
    const int v = i < 50 ? t.S.Min : t.S.Sec;
    vertical = v == 0 || v == 30;
    horizontal = v == 15 || v == 45;
  }
  if (vertical) d.Left = d.Right = t.C.x;
  if (horizontal) d.Top = d.Bottom = t.C.y;
}

bool ScopeHit(const TTick& t, int i) {
  const TRect& d = t.S.Dots[i];
  const int threshold = t.O.Shape == 2 ? 200 : 90;
  return d.Left > t.C.x - 6 && d.Top > t.C.y - 6 && d.Right < t.C.x + 6 && d.Bottom < t.C.y + 6 &&
         t.S.Bright[i] > threshold;
}

void StepDot(TTick& t, int i, const TVelocityClock& clock) {
  TRect& d = t.S.Dots[i];
  std::uint8_t& bright = t.S.Bright[i];
  const bool warming = (t.O.RoadMovie || t.O.Clock) && t.S.Warm >= 1 && t.S.Warm <= kWarmUpTicks;
  if (warming)
    bright = 0;
  else if (bright < 230)
    bright += 25;
  d.Left = d.Right;
  d.Top = d.Bottom;
  if (d.Left < 0 || d.Left > t.W || d.Top < 0 || d.Top > t.H) {
    const TPoint n = BirthPoint(t, i, clock);
    if (n.x == t.C.x || n.y == t.C.y) {
      const int off = t.O.Clock ? 1 : 2;
      d.Left = t.C.x + off;
      d.Top = t.C.y + off;
    } else {
      d.Left = n.x;
      d.Top = n.y;
    }
    d.Right = n.x;
    d.Bottom = n.y;
    bright = t.O.Clock ? 75 : 0;
  }
  d.Right = Advance(d.Right, t.C.x, t.S.Div, t.O.BlackHole);
  d.Bottom = Advance(d.Bottom, t.C.y, t.S.Div, t.O.BlackHole);
  if (t.O.Clock && t.O.ClockShape != 2) AlignToHand(t, i);
}

// A dot keeps the pen colour of the dot before it when it draws in no colour
// of its own, so the tick passes its one canvas down.
void DrawDot(TTick& t, TCanvas& canvas, int i) {
  const TRect& d = t.S.Dots[i];
  const int v = t.S.Bright[i];
  if (const std::optional<TColor> c = DotColor(t.O.Colours, i, v, false, t.R))
    canvas.Pen.Color = *c;
  canvas.Pen.Width = t.O.Bold ? 2 : 1;
  const int shape = (t.O.Mix && (t.O.Shape == 2 || t.O.Shape == 3) && v < 250) ? 1 : t.O.Shape;
  if (shape == 1) {
    canvas.MoveTo(d.Left, d.Top);
    canvas.LineTo(d.Right, d.Bottom);
  } else if (shape == 2) {
    DrawEllipseOutline(canvas, d);
  } else if (shape == 3) {
    DrawRectOutline(canvas, d);
  }
}

void DrawClockDot(TTick& t, TCanvas& canvas, int i) {
  TRect& d = t.S.Dots[i];
  const int cx = t.C.x, cy = t.C.y;
  if (const std::optional<TColor> c = DotColor(t.O.ClockColours, i, t.S.Bright[i], true, t.R))
    canvas.Pen.Color = *c;
  canvas.Pen.Width = t.O.BoldClock ? 3 : 2;
  const auto line = [&] {
    canvas.MoveTo(d.Left, d.Top);
    canvas.LineTo(d.Right, d.Bottom);
  };
  if (t.O.ClockShape == 1) {
    line();
  } else if (t.O.ClockShape == 2) {
    // The dot is widened in place, which changes its flight too.
    if (std::abs(d.Right - d.Left) < 4) {
      if (d.Left < cx - 1) {
        d.Right -= 4 - std::abs(d.Right - d.Left);
        d.Left += 4 - std::abs(d.Right - d.Left);
      } else {
        d.Right += 4 - std::abs(d.Right - d.Left);
        d.Left -= 4 - std::abs(d.Right - d.Left);
      }
    }
    if (std::abs(d.Bottom - d.Top) < 4) {
      if (d.Top < cy - 1)
        d.Bottom -= 4 - std::abs(d.Bottom - d.Top);
      else
        d.Bottom += 4 - std::abs(d.Bottom - d.Top);
    }
    if (cy - 3 < d.Top && d.Top < cy + 3)
      line();
    else
      DrawEllipseOutline(canvas, d);
  } else if (t.O.ClockShape == 3) {
    if (d.Left == cx) d.Right = cx;
    if (d.Top == cy) {
      d.Bottom = cy;
      line();
    } else {
      DrawRectOutline(canvas, d);
    }
  }
}

bool Centred(const TTick& t) {
  return t.C.x == t.W / 2 && t.C.y == t.H / 2;
}

void DrawScope(const TTick& t, TCanvas& c) {
  c.Pen.Width = 1;
  c.Pen.Color = t.S.Hit ? RGBColor(255, 0, 0)
                        : (Centred(t) ? RGBColor(160, 104, 48) : RGBColor(50, 120, 190));
  const int x = t.C.x, y = t.C.y;
  c.MoveTo(x, y - 6), c.LineTo(x, y - 10);
  c.MoveTo(x, y + 6), c.LineTo(x, y + 10);
  c.MoveTo(x - 6, y), c.LineTo(x - 10, y);
  c.MoveTo(x + 6, y), c.LineTo(x + 10, y);
  c.Arc(x - 6, y - 6, x + 6, y + 6, x + 6, y, x + 6, y);
}

void DrawDigitalTime(const TTick& t, TCanvas& c, const std::string& text) {
  TLogFont font;
  font.lfHeight = 17;
  font.lfWeight = 500;
  font.lfFaceName = "Times New Roman";
  c.SetFont(font);
  c.FontColor = Centred(t) ? RGBColor(125, 157, 123) : RGBColor(50, 120, 190);
  c.TextOut(t.C.x - 23, t.C.y - 10, Utf8ToSjis(text));
}

void MoveCentre(TTick& t) {
  TPoint& c = t.C;
  TVelocityState& s = t.S;
  if (t.O.Clock) {
    const int r = t.R.Random(15);
    if (c.x < s.TargetX && (r == 0 || r == 2)) ++c.x;
    if (c.x > s.TargetX && (r == 0 || r == 2)) --c.x;
    if (c.y < s.TargetY && r == 2) ++c.y;
    if (c.y > s.TargetY && r == 1) --c.y;
  } else if (t.O.FollowMouse) {
    c = {s.MouseX, s.MouseY};
    return;
  } else {
    const int r = t.R.Random(3);
    const int m = t.O.MoveLevel;
    if (c.x < s.TargetX) c.x += r == 0 ? m : (r == 2 ? 1 : 0);
    if (c.x > s.TargetX) c.x -= r == 0 ? 1 : (r == 2 ? m : 0);
    if (c.y < s.TargetY) c.y += r == 0 ? m : (r == 2 ? 1 : 0);
    if (c.y > s.TargetY) c.y -= r == 1 ? 1 : (r == 2 ? m : 0);
  }
  c.x = std::clamp(c.x, 0, t.W - 1);
  c.y = std::clamp(c.y, 0, t.H - 1);
  if (std::abs(c.x - s.TargetX) <= 1) {
    if (t.O.Clock) {
      NewClockTarget(s, t.R, t.W, t.H);
    } else {
      s.TargetX = t.R.Random(t.W);
      s.TargetY = t.R.Random(t.H);
    }
  }
}

}  // namespace

void StartVelocity(TVelocityState& s, const TVelocityOptions& o, TPoint& centre, int w, int h,
                   TRandom& random) {
  s.MouseX = w / 2;
  s.MouseY = h / 2;
  s.Hit = false;
  s.Lock = 0;
  s.Warm = o.RoadMovie || o.Clock ? 0 : 32;
  if (o.Clock) {
    NewClockTarget(s, random, w, h);
    centre = {w / 2, h / 2};
  } else {
    s.TargetX = random.Random(w);
    s.TargetY = random.Random(h);
  }
  for (int i = 0; i < 100; ++i) {
    const int x = random.Random(w);
    const int y = random.Random(h);
    TRect& d = s.Dots[i];
    d = {x, y, x, y};
    if (x == centre.x || y == centre.y) d.Left = w - 1;
    d.Right = x + (x - centre.x) / s.Div;
    d.Bottom = y + (y - centre.y) / s.Div;
    s.Bright[i] = o.Clock ? 75 : 0;
  }
}

bool VelocityTick(TVelocityState& s, const TVelocityOptions& o, TPoint& centre, TABitmap& picture,
                  TRandom& random, std::optional<std::uint64_t> seed, const TVelocityClock& clock) {
  TTick t{s, o, centre, random, picture.Width(), picture.Height()};
  TCanvas canvas(picture);
  picture.Fill(clBlack);
  if ((o.RoadMovie || o.Clock) && s.Warm == 0) s.Warm = 1;
  if (o.Clock) {
    const TClockBand band = ClockBand(t.W, t.H);
    centre.x = std::clamp(centre.x, band.Left, band.Right);
    centre.y = std::clamp(centre.y, band.Top, band.Bottom);
    if (s.TargetX < band.Left || s.TargetX > band.Right)
      s.TargetX = band.Left + random.Random(t.W / 4);
    if (s.TargetY < band.Top || s.TargetY > band.Bottom)
      s.TargetY = band.Top + random.Random(t.H / 5);
  }
  if (seed) random.Seed(*seed);
  const bool plain = !o.RoadMovie && !o.Clock;
  for (int i = 0; i < 100; ++i) {
    if (plain || s.Warm > kWarmUpTicks) {
      if (o.Clock) {
        DrawClockDot(t, canvas, i);
      } else {
        DrawDot(t, canvas, i);
        if (o.Scope && ScopeHit(t, i)) s.Hit = true;
      }
    }
    StepDot(t, i, clock);
  }
  if (s.Hit && s.Lock < kLockLimit) ++s.Lock;
  if (o.BlackHole && o.Bold && !o.Movement) {
    canvas.Brush.Color = clBlack;
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
    const int r = s.Div + 2;
    canvas.Rectangle(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
  }
  if (o.Clock && o.Digital) DrawDigitalTime(t, canvas, clock.Text);
  if (!o.Clock && o.Scope) {
    DrawScope(t, canvas);
    s.Hit = false;
  }
  const bool shown = plain || s.Warm > kWarmUpTicks;
  if (!shown) ++s.Warm;
  if (o.Movement) MoveCentre(t);
  return shown;
}
