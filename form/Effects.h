#pragma once
// What the four effect starts share, and the outlines they draw.
#include "effects/Outlines.h"
#include "form/Unit1.h"

enum class TEffectKind { Difference, Velocity, Arts, Deep };

// The first steps of every effect start: false while a batch or count job runs;
// otherwise any other running effect is stopped (the same one is restarted).
bool EffectMayStart(TForm1& form, TEffectKind kind);
