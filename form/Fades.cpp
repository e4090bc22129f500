// Fades of the page view towards a plain colour, the fade buttons, the random
// background, the start-up grain and the message-pumping wait.
#include <algorithm>
#include <cstdint>

#include "form/Unit1.h"

namespace {

constexpr TColor kLightGrey = RGBColor(231, 231, 231);

// Blends target onto the view once per alpha, repainting after each step, and
// ends with an exact copy of the target.
template <typename Alpha>
void FadeToward(Platform& platform, TImage& view, const TABitmap& target, int steps, Alpha alpha) {
  for (int k = 0; k < steps; ++k) {
    target.BlendDraw(view.Picture, 0, 0, alpha(k));
    platform.Repaint();
  }
  target.CopyTo(view.Picture, 0, 0);
  platform.Repaint();
}

TABitmap PlainTarget(const TImage& view, TColor color) {
  TABitmap target(view.Width(), view.Height());
  target.Fill(color);
  return target;
}

}  // namespace

void TForm1::PFadeOut(TImage& view, TColor color) {
  TABitmap target = PlainTarget(view, color);
  if (Tenderly()) {
    Randomize();
    target.AddNoise(15, Rng);
  }
  FadeToward(P, view, target, 27, [](int k) { return 12 * k; });
  if (color != 0) FBColor = false;
}

void TForm1::PFadeOutB(TImage& view) {
  const TABitmap target = PlainTarget(view, clBlack);
  FadeToward(P, view, target, 17, [](int) { return 25; });
  view.Picture.Fill(clBlack);
  FBColor = true;
}

void TForm1::PFadeOutW(TImage& view) {
  const TABitmap target = PlainTarget(view, kLightGrey);
  FadeToward(P, view, target, 27, [](int) { return 25; });
  view.Picture.Fill(kLightGrey);
  FBColor = true;
}

void TForm1::PFadeInG(TImage& view, TColor color) {
  const TABitmap target = PlainTarget(view, color);
  FadeToward(P, view, target, 17, [](int k) { return 8 * k; });
}

void TForm1::PNoise1(TImage& view) {
  TABitmap grainy = view.Picture;
  Randomize();
  grainy.AddNoise(15, Rng);
  view.Picture = std::move(grainy);
  P.Repaint();
}

void TForm1::FOBlack1Click() {
  if (!Idle()) return;
  PFadeOutB(Image1);
  FPageShown = false;
  FRedraw = true;
}

void TForm1::Fadeout1Click() {
  if (!Idle()) return;
  if (!FBColor && !FPageShown) return;
  PFadeOut(Image1, GColor);
  FPageShown = false;
  FRedraw = true;
}

void TForm1::BGChangeClick() {
  if (!Idle()) return;
  Randomize();
  TColor color;
  if (CoolColor()) {
    int b = Random(255);
    if (b >= 168) b -= 100;
    if (b <= 70) b += 60;
    const int g = b + Random(40) - 20;
    const int r = b + Random(40) - 20;
    color = RGBColor(r, g, b);
  } else {
    color = Random(65535);
  }
  GColor = color;
  GLabel.Color = GColor;
  PFadeOut(Image1, GColor);
  if (FPageShown) {
    Redraw();
  } else {
    FPageShown = false;
    FRedraw = true;
  }
}

void TForm1::Pause(int seconds, int milliseconds) {
  // Measured on the monotonic tick count rather than the local clock, so that
  // a change of the wall clock (daylight saving, a manual set) cannot stretch
  // a wait of milliseconds into an hour.
  const std::uint32_t span = static_cast<std::uint32_t>(std::clamp(seconds, 0, 3599)) * 1000u +
                             static_cast<std::uint32_t>(std::clamp(milliseconds, 0, 999));
  const std::uint32_t start = P.TickCount();
  for (;;) {
    const std::uint32_t elapsed = P.TickCount() - start;
    if (elapsed >= span) break;
    P.WaitMessages(static_cast<int>(span - elapsed));
  }
}
