#pragma once
// A batch export decided once, before its first page: the look of the pages,
// the files they become and how many there are. The pages themselves follow
// one by one as TPlannedPage, each carrying what is drawn on it, so a page can
// be drawn anywhere (on any thread) from the plan and its own data alone.
#include <array>
#include <string>
#include <vector>

#include "export/PageFile.h"
#include "render/ABitmap.h"
#include "render/PageCompose.h"
#include "render/SlotDecor.h"
#include "text/Carried.h"

struct TExportPlan {
  TPageFileSettings Files;
  TPageOptions Options;
  bool Qvga = false;  // 320 x 240 pages, else 640 x 480
  TColor Text = clWhite;
  TColor Background = clBlack;
  int Pages = 0;  // pages 1..Pages are exported
  // The Exif kinds: page k is spliced behind Templates[k - 1].
  std::vector<std::string> Templates;
  std::string AlbumSuffix;  // "_A" or "_th_A": where the album manifests of an Exif batch go
  // What the carried codes of the text stand for: a copy, since the pages may
  // still be drawn when the next text has been loaded.
  TCarriedChars Carried;
};

// One page of a plan: its number and the text drawn on it. Whatever else a page
// comes to carry for the renderers belongs here too, beside its slots.
struct TPlannedPage {
  int Page = 0;
  std::array<std::string, 14> Slots;  // code-page-932 bytes, slot k at index k (0 unused)
  std::vector<TSlotDecor> Decor;      // indexed like Slots; empty for a text without notes
};

// The page drawn as a batch export draws it (with its page number stamped) on
// scratch, which is sized to the plan's page, and made into its file. Nothing
// is written. Throws as MakePageFile does.
TPageFile RenderPageFile(const TExportPlan& plan, const TPlannedPage& page, TABitmap& scratch);
