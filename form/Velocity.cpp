// Velocity: 100 dots fly out from a centre point, each drawn from where it is
// to where it will be next, so they seem to speed up as they leave the centre.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <string>

#include "effects/VelocityColors.h"
#include "form/Effects.h"
#include "text/Sjis.h"

namespace {

constexpr int kLockLimit = 2147483000;
constexpr int kWarmUpTicks = 30;

struct TVelOptions {
  bool Movement, BlackHole, RoadMovie, Clock;
};

TVelOptions Options(const TForm1& f) {
  return {f.Movement(), f.MiniBlackHole(), f.RoadMovie(), f.Clock()};
}

// The band the centre keeps to in Clock mode.
struct TClockBand {
  int Left, Right, Top, Bottom;
};
TClockBand ClockBand(int w, int h) {
  return {3 * (w / 8), 5 * (w / 8), 4 * (h / 10), 6 * (h / 10)};
}

void NewClockTarget(TForm1& f, int w, int h) {
  f.FVelTargetX = 3 * (w / 8) + f.Random(w / 4);
  f.FVelTargetY = 4 * (h / 10) + f.Random(h / 5);
}

int RoundHalfEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

// Where a dot that left the picture is born again.
TPoint BirthPoint(TForm1& f, int i, const TVelOptions& o, int w, int h) {
  if (o.Clock) {
    const LocalTime t = f.P.Now();
    f.FVelHour = t.Hour;
    f.FVelMin = t.Minute;
    f.FVelSec = t.Second;
    f.FVelMSec = t.MSec;
    double a;
    if (i < 25)
      a = (3 - (t.Hour + t.Minute / 60.0)) * std::numbers::pi / 6;
    else if (i < 50)
      a = (15 - (t.Minute + t.Second / 60.0)) * std::numbers::pi / 30;
    else
      a = (15 - t.Second) * std::numbers::pi / 30;
    return {f.Pcx + RoundHalfEven(std::cos(a) * 90), f.Pcy - RoundHalfEven(std::sin(a) * 90)};
  }
  if (o.RoadMovie) {
    const int r = f.Random(f.FVelDiv - 1);
    const int r2 = f.Random(f.FVelDiv - 1);
    const int dx = i < 25 || i >= 75 ? -1 - r : 1 + r;
    const int dy = i < 50 ? -1 - r2 : 1 + r2;
    return {f.Pcx + dx, f.Pcy + dy};
  }
  const int x = f.Random(w);
  return {x, f.Random(h)};
}

// One axis of the next position, moved away from the centre.
int Advance(int next, int centre, int div, bool blackHole) {
  const int o = next - centre;
  if (!blackHole && std::abs(o) < div) return next + (o > 0 ? 2 : -2);
  return next + o / div;
}

// Keeps a hand that points straight up, down, left or right on the axis.
void AlignToHand(TForm1& f, int i) {
  TRect& d = f.FVelDots[i];
  bool vertical, horizontal;
  if (i < 25) {
    const int hr = f.FVelHour;
    vertical = f.FVelMin == 0 && (hr == 0 || hr == 6 || hr == 12 || hr == 18);
    horizontal = f.FVelMin == 0 && (hr == 3 || hr == 9 || hr == 15 || hr == 21);
  } else {
    const int v = i < 50 ? f.FVelMin : f.FVelSec;
    vertical = v == 0 || v == 30;
    horizontal = v == 15 || v == 45;
  }
  if (vertical) d.Left = d.Right = f.Pcx;
  if (horizontal) d.Top = d.Bottom = f.Pcy;
}

bool ScopeHit(const TForm1& f, int i) {
  const TRect& d = f.FVelDots[i];
  const int threshold = f.Pform == 2 ? 200 : 90;
  return d.Left > f.Pcx - 6 && d.Top > f.Pcy - 6 && d.Right < f.Pcx + 6 && d.Bottom < f.Pcy + 6 &&
         f.FVelBright[i] > threshold;
}

void StepDot(TForm1& f, int i, const TVelOptions& o, int w, int h) {
  TRect& d = f.FVelDots[i];
  const bool warming = (o.RoadMovie || o.Clock) && f.FVelWarm >= 1 && f.FVelWarm <= kWarmUpTicks;
  if (warming)
    f.FVelBright[i] = 0;
  else if (f.FVelBright[i] < 230)
    f.FVelBright[i] += 25;
  d.Left = d.Right;
  d.Top = d.Bottom;
  if (d.Left < 0 || d.Left > w || d.Top < 0 || d.Top > h) {
    const TPoint n = BirthPoint(f, i, o, w, h);
    if (n.x == f.Pcx || n.y == f.Pcy) {
      const int off = o.Clock ? 1 : 2;
      d.Left = f.Pcx + off;
      d.Top = f.Pcy + off;
    } else {
      d.Left = n.x;
      d.Top = n.y;
    }
    d.Right = n.x;
    d.Bottom = n.y;
    f.FVelBright[i] = o.Clock ? 75 : 0;
  }
  d.Right = Advance(d.Right, f.Pcx, f.FVelDiv, o.BlackHole);
  d.Bottom = Advance(d.Bottom, f.Pcy, f.FVelDiv, o.BlackHole);
  if (o.Clock && f.Pformt != 2) AlignToHand(f, i);
}

void DrawScope(TForm1& f, TCanvas& c, int w, int h) {
  const bool centred = f.Pcx == w / 2 && f.Pcy == h / 2;
  c.Pen.Width = 1;
  c.Pen.Color =
      f.FVelHit ? RGBColor(255, 0, 0) : (centred ? RGBColor(160, 104, 48) : RGBColor(50, 120, 190));
  const int x = f.Pcx, y = f.Pcy;
  c.MoveTo(x, y - 6), c.LineTo(x, y - 10);
  c.MoveTo(x, y + 6), c.LineTo(x, y + 10);
  c.MoveTo(x - 6, y), c.LineTo(x - 10, y);
  c.MoveTo(x + 6, y), c.LineTo(x + 10, y);
  c.Arc(x - 6, y - 6, x + 6, y + 6, x + 6, y, x + 6, y);
}

void DrawDigitalTime(TForm1& f, TCanvas& c, int w, int h) {
  TLogFont font;
  font.lfHeight = 17;
  font.lfWeight = 500;
  font.lfFaceName = "Times New Roman";
  c.SetFont(font);
  const bool centred = f.Pcx == w / 2 && f.Pcy == h / 2;
  c.FontColor = centred ? RGBColor(125, 157, 123) : RGBColor(50, 120, 190);
  c.TextOut(f.Pcx - 23, f.Pcy - 10, Utf8ToSjis(f.P.LongTimeText(f.P.Now())));
}

void MoveCentre(TForm1& f, const TVelOptions& o, int w, int h) {
  if (o.Clock) {
    const int r = f.Random(15);
    if (f.Pcx < f.FVelTargetX && (r == 0 || r == 2)) ++f.Pcx;
    if (f.Pcx > f.FVelTargetX && (r == 0 || r == 2)) --f.Pcx;
    if (f.Pcy < f.FVelTargetY && r == 2) ++f.Pcy;
    if (f.Pcy > f.FVelTargetY && r == 1) --f.Pcy;
  } else if (f.Pmouse) {
    f.Pcx = f.FVelMouseX;
    f.Pcy = f.FVelMouseY;
    return;
  } else {
    const int r = f.Random(3);
    if (f.Pcx < f.FVelTargetX) f.Pcx += r == 0 ? f.Pmvc : (r == 2 ? 1 : 0);
    if (f.Pcx > f.FVelTargetX) f.Pcx -= r == 0 ? 1 : (r == 2 ? f.Pmvc : 0);
    if (f.Pcy < f.FVelTargetY) f.Pcy += r == 0 ? f.Pmvc : (r == 2 ? 1 : 0);
    if (f.Pcy > f.FVelTargetY) f.Pcy -= r == 1 ? 1 : (r == 2 ? f.Pmvc : 0);
  }
  f.Pcx = std::clamp(f.Pcx, 0, w - 1);
  f.Pcy = std::clamp(f.Pcy, 0, h - 1);
  if (std::abs(f.Pcx - f.FVelTargetX) <= 1) {
    if (o.Clock) {
      NewClockTarget(f, w, h);
    } else {
      f.FVelTargetX = f.Random(w);
      f.FVelTargetY = f.Random(h);
    }
  }
}

}  // namespace

void TForm1::VelocityClick() {
  if (!EffectMayStart(*this, TEffectKind::Velocity)) return;
  const TVelOptions o = Options(*this);
  const int w = Image1.Width();
  const int h = Image1.Height();
  HintLabel1.Caption = "Velocity";
  if (GColor != clBlack) PFadeOutB(Image1);
  FBColor = true;
  FPageShown = false;
  FRedraw = true;
  FFirstShow = false;
  FArtsCanvas = false;
  FVelMouseX = w / 2;
  FVelMouseY = h / 2;
  FVelocity = true;
  FVelHit = false;
  FVelLock = 0;
  ExtTrackBar1.Enabled = false;
  FVelWarm = o.RoadMovie || o.Clock ? 0 : 32;
  Randomize();
  if (o.Clock) {
    NewClockTarget(*this, w, h);
    Pcx = w / 2;
    Pcy = h / 2;
  } else {
    FVelTargetX = Random(w);
    FVelTargetY = Random(h);
  }
  Image1.Picture.Fill(clBlack);
  for (int i = 0; i < 100; ++i) {
    const int x = Random(w);
    const int y = Random(h);
    TRect& d = FVelDots[i];
    d = {x, y, x, y};
    if (x == Pcx || y == Pcy) d.Left = w - 1;
    d.Right = x + (x - Pcx) / FVelDiv;
    d.Bottom = y + (y - Pcy) / FVelDiv;
    FVelBright[i] = o.Clock ? 75 : 0;
  }
  Image1.Hint = "Velocity";
  Timer3.Enabled = true;
}

void TForm1::Timer3Timer() {
  if (!FVelocity) return;
  const TVelOptions o = Options(*this);
  const int w = Image1.Width();
  const int h = Image1.Height();
  TCanvas canvas(Image1.Picture);
  Image1.Picture.Fill(clBlack);
  if ((o.RoadMovie || o.Clock) && FVelWarm == 0) FVelWarm = 1;
  if (o.Clock) {
    const TClockBand band = ClockBand(w, h);
    Pcx = std::clamp(Pcx, band.Left, band.Right);
    Pcy = std::clamp(Pcy, band.Top, band.Bottom);
    if (FVelTargetX < band.Left || FVelTargetX > band.Right)
      FVelTargetX = band.Left + Random(w / 4);
    if (FVelTargetY < band.Top || FVelTargetY > band.Bottom) FVelTargetY = band.Top + Random(h / 5);
  }
  Randomize();
  const bool plain = !o.RoadMovie && !o.Clock;
  for (int i = 0; i < 100; ++i) {
    if (plain || FVelWarm > kWarmUpTicks) {
      if (o.Clock) {
        DrawClockDot(canvas, i);
      } else {
        DrawDot(canvas, i);
        if (Pdigi && ScopeHit(*this, i)) FVelHit = true;
      }
    }
    StepDot(*this, i, o, w, h);
  }
  if (FVelHit && FVelLock < kLockLimit) {
    ++FVelLock;
    HintLabel1.Caption = "lock " + std::to_string(FVelLock);
  }
  if (o.BlackHole && Pb && !o.Movement) {
    canvas.Brush.Color = clBlack;
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
    const int r = FVelDiv + 2;
    canvas.Rectangle(Pcx - r, Pcy - r, Pcx + r, Pcy + r);
  }
  if (o.Clock && Pdigit) DrawDigitalTime(*this, canvas, w, h);
  if (!o.Clock && Pdigi) {
    DrawScope(*this, canvas, w, h);
    FVelHit = false;
  }
  if (plain || FVelWarm > kWarmUpTicks)
    P.Repaint();
  else
    ++FVelWarm;
  if (o.Movement) MoveCentre(*this, o, w, h);
}

void TForm1::DrawDot(TCanvas& canvas, int i) {
  const TRect& d = FVelDots[i];
  const int v = FVelBright[i];
  if (const std::optional<TColor> c = DotColor(Piro, i, v, false, Rng)) canvas.Pen.Color = *c;
  canvas.Pen.Width = Pb ? 2 : 1;
  const int shape = (Pmix && (Pform == 2 || Pform == 3) && v < 250) ? 1 : Pform;
  if (shape == 1) {
    canvas.MoveTo(d.Left, d.Top);
    canvas.LineTo(d.Right, d.Bottom);
  } else if (shape == 2) {
    DrawEllipseOutline(canvas, d);
  } else if (shape == 3) {
    DrawRectOutline(canvas, d);
  }
}

void TForm1::DrawClockDot(TCanvas& canvas, int i) {
  TRect& d = FVelDots[i];
  if (const std::optional<TColor> c = DotColor(Pirot, i, FVelBright[i], true, Rng))
    canvas.Pen.Color = *c;
  canvas.Pen.Width = Pbt ? 3 : 2;
  const auto line = [&] {
    canvas.MoveTo(d.Left, d.Top);
    canvas.LineTo(d.Right, d.Bottom);
  };
  if (Pformt == 1) {
    line();
  } else if (Pformt == 2) {
    // The dot is widened in place, which changes its flight too.
    if (std::abs(d.Right - d.Left) < 4) {
      if (d.Left < Pcx - 1) {
        d.Right -= 4 - std::abs(d.Right - d.Left);
        d.Left += 4 - std::abs(d.Right - d.Left);
      } else {
        d.Right += 4 - std::abs(d.Right - d.Left);
        d.Left -= 4 - std::abs(d.Right - d.Left);
      }
    }
    if (std::abs(d.Bottom - d.Top) < 4) {
      if (d.Top < Pcy - 1)
        d.Bottom -= 4 - std::abs(d.Bottom - d.Top);
      else
        d.Bottom += 4 - std::abs(d.Bottom - d.Top);
    }
    if (Pcy - 3 < d.Top && d.Top < Pcy + 3)
      line();
    else
      DrawEllipseOutline(canvas, d);
  } else if (Pformt == 3) {
    if (d.Left == Pcx) d.Right = Pcx;
    if (d.Top == Pcy) {
      d.Bottom = Pcy;
      line();
    } else {
      DrawRectOutline(canvas, d);
    }
  }
}

void TForm1::LCheckBox16Click() {
  if (FBusy || !Movement()) return;
  HintLabel1.Caption = "MoveLevel " + std::to_string(Pmvc);
}

void TForm1::LCheckBox19Click() {
  if (FBusy || !Clock()) return;
  Pcx = Image1.Width() / 2;
  Pcy = Image1.Height() / 2;
}

void TForm1::Image1MouseMove(int x, int y) {
  if (!Pmouse) return;
  FVelMouseX = x;
  FVelMouseY = y;
}
