// plan de arts in the window: the command, the repetition and the option boxes
// around the engine in effects/Plasma, which makes and paints the pictures.
#include <string>

#include "effects/Plasma.h"
#include "form/Effects.h"

namespace {

// Longest time a picture in the making may keep the window from its events.
constexpr std::uint32_t kEventGapMs = 15;

// Clears Arts.Painting on every way out of a picture.
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

}  // namespace

void TForm1::fineartsClick() {
  // A start from the events handled inside a picture would rebuild the height
  // field under the picture being made: it is ignored like a second start.
  if (FBusy || FArts || Arts.Painting) return;
  EffectMayStart(*this, TEffectKind::Arts);
  if (GColor != clBlack && !FArtsCanvas) PFadeOutB(Image1);
  FArtsCanvas = true;
  Label3.Transparent = false;
  if (Devenir()) {
    FArts = true;
    Arts.Up = true;
    Arts.Level = 80;
    SetGreen(false);
    ShowLevel(*this, Arts.Level);
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
  if (Arts.Painting) return;
  if (FArts) Pplasma(Image1);
  if (!FArts) {
    Timer4.Enabled = false;
    Label3.Transparent = true;
  }
}

void TForm1::Pplasma(TImage& view) {
  if (Arts.Painting) return;
  TPaintingScope painting(Arts.Painting);
  const int w = std::min(view.Width(), kPlasmaWidth);
  const int h = std::min(view.Height(), kPlasmaHeight);
  if (w < 1 || h < 1) return;
  Randomize();
  // The first subdivision handles pending events at once; later ones only when
  // the last pass is kEventGapMs old.
  Arts.LastEvents = P.TickCount() - kEventGapMs;
  MakePlasma(Arts.Map, w, h, Rng, [this] {
    if (P.TickCount() - Arts.LastEvents < kEventGapMs) return;
    P.ProcessMessages();
    Arts.LastEvents = P.TickCount();
  });

  const bool devenir = Devenir();
  const int level = devenir ? Arts.Level : Fconm;
  TABitmap picture(w, h);
  PaintPlasma(Arts.Map, picture, level, Green());

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
    if (SwingArtsLevel(Arts)) SetGreen(!Green());
    ShowLevel(*this, Arts.Level);
  } else {
    ShowLevel(*this, Fconm);
  }
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
