#pragma once
// What the four effect starts share.
#include "form/Unit1.h"

enum class TEffectKind { Difference, Velocity, Arts, Deep };

// The first steps of every effect start: false while a batch or count job runs;
// otherwise any other running effect is stopped (the same one is restarted).
bool EffectMayStart(TForm1& form, TEffectKind kind);
// Difference and Velocity take the view from the page: the next page fades in
// from the black they leave and is drawn again rather than advanced.
void TakeViewForEffect(TForm1& form);
