// plan de arts: a plasma cloud in shades of blue or green, made by recursive
// midpoint subdivision of a height field and faded in over the picture.
#include <cmath>
#include <cstdlib>
#include <string>

#include "form/Effects.h"

namespace {

constexpr int kMapWidth = 640;
constexpr int kMapHeight = 480;
// Longest time a picture in the making may keep the window from its events.
constexpr std::uint32_t kEventGapMs = 15;

std::uint8_t& Height(TForm1& f, int x, int y) {
  return f.PlasmaMap[static_cast<std::size_t>(y) * kMapWidth + x];
}

// Clears FArtsPainting on every way out of a picture.
class TPaintingScope {
 public:
  explicit TPaintingScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TPaintingScope() { flag_ = false; }
  TPaintingScope(const TPaintingScope&) = delete;
  TPaintingScope& operator=(const TPaintingScope&) = delete;

 private:
  bool& flag_;
};

void ShowLevel(TForm1& f, int level) {
  f.HintLabel1.Caption = "bright " + std::to_string(level);
}

void SwingLevel(TForm1& f) {
  if (f.FArtsUp) {
    if (f.FArtsLevel >= 125)
      f.FArtsUp = false;
    else
      f.FArtsLevel += 5;
  } else if (f.FArtsLevel <= 80) {
    f.SetGreen(!f.Green());
    f.FArtsUp = true;
  } else {
    f.FArtsLevel -= 5;
  }
}

// The height field as a picture: dark heights are lifted by the level.
void PaintHeights(TForm1& f, TABitmap& out, int level, bool green) {
  const int channel = green ? 1 : 0;  // bytes are blue, green, red
  for (int y = 0; y < out.Height(); ++y) {
    std::uint8_t* row = out.ScanLine(y);
    const std::uint8_t* heights = &Height(f, 0, y);
    for (int x = 0; x < out.Width(); ++x) {
      int v = heights[x];
      if (v < level) v += level;
      row[3 * x + channel] = static_cast<std::uint8_t>(v);
    }
  }
}

}  // namespace

void TForm1::fineartsClick() {
  // A start from the events handled inside a picture would rebuild the height
  // field under the picture being made: it is ignored like a second start.
  if (FBusy || FArts || FArtsPainting) return;
  EffectMayStart(*this, TEffectKind::Arts);
  if (GColor != clBlack && !FArtsCanvas) PFadeOutB(Image1);
  FArtsCanvas = true;
  Label3.Transparent = false;
  if (Devenir()) {
    FArts = true;
    FArtsUp = true;
    FArtsLevel = 80;
    SetGreen(false);
    ShowLevel(*this, FArtsLevel);
    Timer4.Enabled = true;
    Pplasma(Image1);
  } else if (Repetition()) {
    FArts = true;
    ShowLevel(*this, Fconm);
    Timer4.Enabled = true;
    Pplasma(Image1);
  } else {
    ShowLevel(*this, Fconm);
    Pplasma(Image1);
    Label3.Transparent = true;
  }
}

void TForm1::Timer4Timer() {
  // A tick that arrives while a picture is being made is dropped.
  if (FArtsPainting) return;
  if (FArts) Pplasma(Image1);
  if (!FArts) {
    Timer4.Enabled = false;
    Label3.Transparent = true;
  }
}

void TForm1::Pplasma(TImage& view) {
  if (FArtsPainting) return;
  TPaintingScope painting(FArtsPainting);
  const int w = std::min(view.Width(), kMapWidth);
  const int h = std::min(view.Height(), kMapHeight);
  if (w < 1 || h < 1) return;
  Randomize();
  PlasmaMap.assign(static_cast<std::size_t>(kMapWidth) * kMapHeight, 0);
  Height(*this, 0, h - 1) = static_cast<std::uint8_t>(Random(255));
  Height(*this, w - 1, h - 1) = static_cast<std::uint8_t>(Random(255));
  Height(*this, w - 1, 0) = static_cast<std::uint8_t>(Random(255));
  Height(*this, 0, 0) = static_cast<std::uint8_t>(Random(255));
  // The first subdivision handles pending events at once; later ones only when
  // the last pass is kEventGapMs old.
  FArtsLastEvents = P.TickCount() - kEventGapMs;
  Quartering(0, 0, w - 1, h - 1);

  const bool devenir = Devenir();
  const int level = devenir ? FArtsLevel : Fconm;
  TABitmap picture(w, h);
  PaintHeights(*this, picture, level, Green());

  // Events handled meanwhile may have given the view to a page or another
  // effect; the picture is then thrown away.
  const bool otherEffect = FDifference || FVelocity || FDeep;
  if ((FArts || FArtsCanvas) && !otherEffect) {
    for (int k = 0; k <= 16; ++k) {
      picture.BlendDraw(view.Picture, 0, 0, 6 * k);
      P.Repaint();
    }
    picture.CopyTo(view.Picture, 0, 0);
    P.Repaint();
  }

  if (devenir) {
    SwingLevel(*this);
    ShowLevel(*this, FArtsLevel);
  } else {
    ShowLevel(*this, Fconm);
  }
}

void TForm1::Quartering(int x1, int y1, int x2, int y2) {
  if (x2 - x1 < 2 && y2 - y1 < 2) return;
  const int mx = (x1 + x2) / 2;
  const int my = (y1 + y2) / 2;
  SetColor(x1, y1, mx, y1, x2, y1);
  SetColor(x2, y1, x2, my, x2, y2);
  SetColor(x1, y2, mx, y2, x2, y2);
  SetColor(x1, y1, x1, my, x1, y2);
  std::uint8_t& centre = Height(*this, mx, my);
  if (centre == 0) {
    const int sum = Height(*this, x1, y1) + Height(*this, x2, y1) + Height(*this, x2, y2) +
                    Height(*this, x1, y2);
    // Zero marks a point not yet computed, so a computed height is at least 1.
    centre = static_cast<std::uint8_t>(std::max(1, sum / 4));
  }
  const std::uint32_t now = P.TickCount();
  if (now - FArtsLastEvents >= kEventGapMs) {
    P.ProcessMessages();
    FArtsLastEvents = P.TickCount();
  }
  Quartering(x1, y1, mx, my);
  Quartering(mx, y1, x2, my);
  Quartering(mx, my, x2, y2);
  Quartering(x1, my, mx, y2);
}

void TForm1::SetColor(int x1, int y1, int x, int y, int x2, int y2) {
  std::uint8_t& point = Height(*this, x, y);
  if (point != 0) return;
  const double r = Rng.RandomReal();
  const int d = std::abs(x1 - x2) + std::abs(y1 - y2);
  int v = (Height(*this, x1, y1) + Height(*this, x2, y2)) / 2 +
          4 * static_cast<int>(std::trunc((r - 0.5) * d));
  point = static_cast<std::uint8_t>(std::clamp(v, 1, 255));
}

void TForm1::LCheckBox20Click() {
  if (FBusy) return;
  HintLabel1.Caption = Green() ? "Green arts" : "Blue arts";
}

void TForm1::LCheckBox21Click() {
  if (FBusy) return;
  Fconm = Bright() ? 125 : 80;
  ShowLevel(*this, Fconm);
}

void TForm1::LCheckBox22Click() {
  if (FBusy) return;
  if (Devenir()) {
    HintLabel1.Caption = "Devenir on";
  } else {
    FArts = false;
    HintLabel1.Caption = "Devenir off";
  }
}

void TForm1::LCheckBox23Click() {
  if (FBusy) return;
  if (Repetition()) {
    HintLabel1.Caption = "Repetition on " + std::to_string(Fconm);
  } else {
    FArts = false;
    HintLabel1.Caption = "Repetition off";
  }
}
