// Velocity in the window: the start, the tick's hand-over to the engine in
// effects/Velocity, and the option boxes and mouse it listens to.
#include "effects/Velocity.h"

#include <string>

#include "form/Effects.h"

namespace {

TVelocityOptions Options(const TForm1& f) {
  TVelocityOptions o;
  o.Movement = f.Movement();
  o.BlackHole = f.MiniBlackHole();
  o.RoadMovie = f.RoadMovie();
  o.Clock = f.Clock();
  o.MoveLevel = f.Pmvc;
  o.Colours = f.Piro;
  o.Shape = f.Pform;
  o.ClockColours = f.Pirot;
  o.ClockShape = f.Pformt;
  o.Scope = f.Pdigi;
  o.Digital = f.Pdigit;
  o.Bold = f.Pb;
  o.BoldClock = f.Pbt;
  o.Mix = f.Pmix;
  o.FollowMouse = f.Pmouse;
  return o;
}

// The time only Clock reads, and its text only when it is written.
TVelocityClock ClockNow(TForm1& f, const TVelocityOptions& o) {
  TVelocityClock clock;
  if (!o.Clock) return clock;
  const LocalTime now = f.P.Now();
  clock = {now.Hour, now.Minute, now.Second, now.MSec, {}};
  if (o.Digital) clock.Text = f.P.LongTimeText(now);
  return clock;
}

}  // namespace

void TForm1::VelocityClick() {
  if (!EffectMayStart(*this, TEffectKind::Velocity)) return;
  HintLabel1.Caption = "Velocity";
  if (GColor != clBlack) PFadeOutB(Image1);
  TakeViewForEffect(*this);
  FVelocity = true;
  ExtTrackBar1.Enabled = false;
  Randomize();
  TPoint centre{Pcx, Pcy};
  StartVelocity(Vel, Options(*this), centre, Image1.Width(), Image1.Height(), Rng);
  Pcx = centre.x;
  Pcy = centre.y;
  Image1.Picture.Fill(clBlack);
  Image1.Hint = "Velocity";
  Timer3.Enabled = true;
}

void TForm1::Timer3Timer() {
  if (!FVelocity) return;
  const TVelocityOptions o = Options(*this);
  const int lock = Vel.Lock;
  TPoint centre{Pcx, Pcy};
  const bool shown =
      VelocityTick(Vel, o, centre, Image1.Picture, Rng, ClockSeed(), ClockNow(*this, o));
  Pcx = centre.x;
  Pcy = centre.y;
  if (Vel.Lock != lock) HintLabel1.Caption = "lock " + std::to_string(Vel.Lock);
  if (shown) P.Repaint();
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
  Vel.MouseX = x;
  Vel.MouseY = y;
}
