// The QVGA page renderer: the same page on a 320 x 240 page bitmap, shown in
// the top-left quarter of the view.
#include "form/RenderSteps.h"
#include "form/Unit1.h"

void TForm1::Eqriture(TImage& view) {
  BeginPageRender(*this, view);
  TABitmap page(320, 240);
  ComposePage(*this, page, true, FBatchSave || TurnCheckBox.Checked);
  if (!HandOffBatchPage(*this, page)) {
    if (Tenderly()) AddPageGrain(*this, page);
    if (PlusFadeIn()) {
      if (PlusFadeOut())
        BlendSteps(*this, page, view, 24, 4);
      else
        BlendSteps(*this, page, view, 17, 6);
    }
    page.CopyTo(view.Picture, 0, 0);
    P.Repaint();
  }
  EndPageRender(*this, view);
}
