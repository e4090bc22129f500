#pragma once
// What the four effect starts share, and the canvas a tick draws through.
#include <memory>

#include "render/Canvas.h"
#include "shell/Unit1.h"

enum class TEffectKind { Difference, Velocity, Arts, Deep };

// The first steps of every effect start: false while a batch or count job runs;
// otherwise any other running effect is stopped (the same one is restarted).
bool EffectMayStart(TForm1& form, TEffectKind kind);

// A canvas on the page view, shared by the drawing routines a tick calls so that
// they do not each open their own. Routines called on their own open one.
class TViewCanvas {
 public:
  explicit TViewCanvas(TImage& view);
  ~TViewCanvas();
  TViewCanvas(const TViewCanvas&) = delete;
  TViewCanvas& operator=(const TViewCanvas&) = delete;
  TCanvas& operator*() { return *canvas_; }
  TCanvas* operator->() { return canvas_; }

 private:
  TImage& view_;
  std::unique_ptr<TCanvas> own_;
  TCanvas* canvas_ = nullptr;
  bool outermost_ = false;
};

// The closed line through the rectangle's four corners, in the pen, corners
// taken as they are (crossed corners draw a crossed figure).
void DrawRectOutline(TCanvas& canvas, const TRect& r);
// The full outline of the ellipse inscribed in the rectangle.
void DrawEllipseOutline(TCanvas& canvas, const TRect& r);
