#include "form/Effects.h"

#include <string>

bool EffectMayStart(TForm1& form, TEffectKind kind) {
  if (form.FBusy) return false;
  const bool other = (kind != TEffectKind::Difference && form.FDifference) ||
                     (kind != TEffectKind::Velocity && form.FVelocity) ||
                     (kind != TEffectKind::Arts && form.FArts) ||
                     (kind != TEffectKind::Deep && form.FDeep);
  if (other) form.EffectOut1Click();
  return true;
}

void TakeViewForEffect(TForm1& form) {
  form.FBColor = true;
  form.FPageShown = false;
  form.FRedraw = true;
  form.FFirstShow = false;
  form.FArtsCanvas = false;
}

// Run along: always runs, even during a batch job, so that nothing is left ticking.
void TForm1::EffectOut1Click() {
  if (Timer1.Enabled) {
    Timer1.Enabled = false;
    FDifference = false;
    LockDifferenceOptions(false);
  }
  if (Timer3.Enabled) {
    Timer3.Enabled = false;
    ExtTrackBar1.Enabled = true;
  }
  if (Timer5.Enabled) {
    Timer5.Enabled = false;
    FDeep = false;
  }
  if (FVelocity) {
    FVelocity = false;
    HintLabel1.Caption = Vel.Lock >= 1 ? "lock " + std::to_string(Vel.Lock) : std::string();
  }
  // Timer4 sees the cleared flag at its next tick and stops itself.
  if (FArts) FArts = false;
}
