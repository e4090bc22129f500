#pragma once
// A fresh window on a headless platform with a fixed seed, for the effect tests.
#include <gtest/gtest.h>

#include <set>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"

// Every colour that occurs in a picture.
inline std::set<TColor> ColoursOf(const TABitmap& pic) {
  std::set<TColor> colours;
  for (int y = 0; y < pic.Height(); ++y)
    for (int x = 0; x < pic.Width(); ++x) colours.insert(pic.Pixel(x, y));
  return colours;
}

class EffectTest : public ::testing::Test {
 protected:
  EffectTest() { form.SetFixedSeed(12345); }

  std::set<TColor> Colours() const { return ColoursOf(form.Image1.Picture); }
  int CountPixels(TColor colour) const {
    int n = 0;
    const TABitmap& pic = form.Image1.Picture;
    for (int y = 0; y < pic.Height(); ++y)
      for (int x = 0; x < pic.Width(); ++x) n += pic.Pixel(x, y) == colour;
    return n;
  }
  bool AllBlack() const { return Colours() == std::set<TColor>{clBlack}; }
  TPoint Centre() const { return {form.Pcx, form.Pcy}; }

  HeadlessPlatform platform;
  TForm1 form{platform};
};
