#pragma once
// The steps both page renderers share, around composing and showing the page.
#include "render/ABitmap.h"
#include "render/PageCompose.h"

class TForm1;
struct TImage;

// Fills FRetsu (and FRetsuDecor) with the slots of page FPage, from the user's
// text or the built-in one.
void FillPageSlots(TForm1& form);
// Before composing: the fade from black or grey, the slots of the current page,
// and the fade-out of the page shown (not during a batch export).
void BeginPageRender(TForm1& form, TImage& view);
// During a batch export: hands the page to the writer the batch asked for and
// clears the batch flags at the last page. Returns false when no batch runs.
bool HandOffBatchPage(TForm1& form, TABitmap& page);
// Grain of "Tenderly", re-seeded from the clock.
void AddPageGrain(TForm1& form, TABitmap& page);
// The closing field updates every render makes.
void EndPageRender(TForm1& form, TImage& view);
// Blends page onto the view once per alpha step, repainting after each.
void BlendSteps(TForm1& form, const TABitmap& page, TImage& view, int steps, int alphaStep);

// The page options the window's check boxes and text select.
TPageOptions PageOptions(const TForm1& form);
// The table of the text the page comes from: the user's text or the built-in one.
const TCarriedChars& PageCarried(const TForm1& form);
// Composes the current page (FPage, FRetsu, FoColor on GColor) as ComposePage does.
void ComposePage(const TForm1& form, TABitmap& page, bool qvga, bool stamp);
