#include "export/ExportPlan.h"

TPageFile RenderPageFile(const TExportPlan& plan, const TPlannedPage& page, TABitmap& scratch) {
  const int width = plan.Qvga ? 320 : 640, height = plan.Qvga ? 240 : 480;
  // The thumbnail kind shrinks the page it is given; the next page needs its size back.
  if (scratch.Width() != width || scratch.Height() != height) scratch.SetSize(width, height);
  ComposePage(plan.Options,
              {page.Page, page.Slots, plan.Text, plan.Background, &plan.Carried, page.Decor},
              scratch, plan.Qvga, true);
  const bool exif = plan.Files.Kind != TPageFileKind::Numbered;
  static const std::string kNoTemplate;
  const std::string& templatePath =
      exif && page.Page >= 1 && static_cast<std::size_t>(page.Page) <= plan.Templates.size()
          ? plan.Templates[static_cast<std::size_t>(page.Page - 1)]
          : kNoTemplate;
  return MakePageFile(plan.Files, page.Page, templatePath, scratch);
}
