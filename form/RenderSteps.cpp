#include "form/RenderSteps.h"

#include "form/Unit1.h"

void FillPageSlots(TForm1& form) {
  if (form.FFileIn)
    form.FRetsuText(form.Editor1);
  else
    form.FRetsuIist();
}

void BeginPageRender(TForm1& form, TImage& view) {
  if (form.FBColor) form.PFadeInG(view, form.GColor);
  FillPageSlots(form);
  if (form.PlusFadeOut() && form.FPageShown && !form.FBatchSave) form.PFadeOut(view, form.GColor);
}

bool HandOffBatchPage(TForm1& form, TABitmap& page) {
  if (!form.FBatchSave) return false;
  if (form.FBatchExif) {
    if (form.FBatchThumb)
      form.SavePageExifThumb(page);
    else
      form.SavePageExif(page);
    if (form.FPage == form.FBatchLastPage) {
      form.FBatchSave = false;
      form.FBatchExif = false;
      form.FBatchThumb = false;
    }
  } else {
    if (form.FPage == form.FAllPage) form.FBatchSave = false;
    form.SavePageJpeg(page);
  }
  return true;
}

void AddPageGrain(TForm1& form, TABitmap& page) {
  form.Randomize();
  page.AddNoise(15, form.Rng);
}

void EndPageRender(TForm1& form, TImage& view) {
  form.FPageShown = true;
  if (form.GColor != 0) form.FBColor = false;
  view.Hint = form.FFileIn ? form.FTextName : "Quillane";
  form.FFirstShow = false;
}

void BlendSteps(TForm1& form, const TABitmap& page, TImage& view, int steps, int alphaStep) {
  for (int k = 0; k < steps; ++k) {
    page.BlendDraw(view.Picture, 0, 0, alphaStep * k);
    form.P.Repaint();
  }
}

TPageOptions PageOptions(const TForm1& form) {
  return {form.FFileIn,
          form.Horizontal(),
          form.Gothic(),
          form.BoldCheckBox.Checked,
          form.TurnCheckBox.Checked,
          form.FullCheckBox.Checked,
          form.BigFontCheckBox.Checked,
          form.MoreBigCheckBox.Checked,
          form.FShiftRight};
}

const TCarriedChars& PageCarried(const TForm1& form) {
  return form.FFileIn ? form.Editor1.Carried() : form.Editor2.Carried();
}

void ComposePage(const TForm1& form, TABitmap& page, bool qvga, bool stamp) {
  ComposePage(
      PageOptions(form),
      {form.FPage, form.FRetsu, form.FoColor, form.GColor, &PageCarried(form), form.FRetsuDecor},
      page, qvga, stamp);
}
