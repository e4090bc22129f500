// The page renderer: draws the current page on a 640 x 480 page bitmap and
// shows it on the view, or hands it to the batch writers.
#include "form/RenderSteps.h"
#include "form/Unit1.h"
#include "render/Leaves.h"

namespace {

void FadeInWithLeaves(TForm1& form, const TABitmap& page, TImage& view) {
  TABitmap leaves = page;
  PLeaves(leaves, form.fTriangl);
  for (int k = 0; k <= 10; ++k) {
    if (k == 6) PLeaves(leaves, 2);
    leaves.BlendDraw(view.Picture, 0, 0, 8 * k);
    form.P.Repaint();
  }
  BlendSteps(form, page, view, 17, form.PlusFadeOut() ? 4 : 6);
}

}  // namespace

void TForm1::Ecriture(TImage& view) {
  BeginPageRender(*this, view);
  // The page bitmap is a local: it goes on every path, a writer's error too.
  TABitmap page(view.Width(), view.Height());
  ComposePage(*this, page, false, FBatchSave || TurnCheckBox.Checked);
  if (!HandOffBatchPage(*this, page)) {
    if (Tenderly()) AddPageGrain(*this, page);
    if (PlusFadeIn()) {
      if (RakeUpFallenLeaves())
        FadeInWithLeaves(*this, page, view);
      else
        BlendSteps(*this, page, view, 17, 6);
    }
    page.CopyTo(view.Picture, 0, 0);
    P.Repaint();
  }
  EndPageRender(*this, view);
}

void TForm1::RenderPageForExport(TABitmap& page, bool exportLook) {
  FillPageSlots(*this);
  const bool qvga = QvgaCheckBox.Checked;
  page.SetSize(qvga ? 320 : 640, qvga ? 240 : 480);
  ComposePage(*this, page, qvga, exportLook || TurnCheckBox.Checked);
}
