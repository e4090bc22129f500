#pragma once
// Internals the canvas files share: the selected font and a QImage view of the
// bitmap's bytes for text drawing.
#include <memory>

#include "render/Canvas.h"
#include "render/Fonts.h"

struct TCanvas::Impl {
  TLogFont font;
  std::shared_ptr<const TSizedFont> sized;  // resolved lazily from font
  bool fontChanged = true;
};
