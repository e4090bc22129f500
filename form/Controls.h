#pragma once
// Models of the window's controls. TForm1 owns them; the Qt view mirrors them
// onto its widgets after every handler (one Sync pass) and forwards user actions
// to the handlers. Setting a model from code never runs a handler.
#include <algorithm>
#include <string>
#include <utility>

#include "base/Types.h"
#include "render/ABitmap.h"

// The page view: a 640 x 480 picture every page and effect is drawn on.
struct TImage {
  std::string Name = "Image1";
  TABitmap Picture{640, 480};
  std::string Hint;
  int Width() const { return Picture.Width(); }
  int Height() const { return Picture.Height(); }
};

struct TCheckBox {
  explicit TCheckBox(std::string name = {}) : Name(std::move(name)) {}
  std::string Name;
  bool Checked = false;
  bool Enabled = true;
  bool HintVisible = true;  // "Show Name" switches some hints off
  std::string Hint;
};

struct TButton {
  explicit TButton(std::string name = {}, std::string caption = {}, TColor color = 0)
      : Name(std::move(name)), Caption(std::move(caption)), Color(color) {}
  std::string Name;
  std::string Caption;
  TColor Color = 0;
  bool Enabled = true;
  std::string Hint;
};

struct TLabel {
  explicit TLabel(std::string name = {}, std::string caption = {}, TColor color = 0,
                  bool transparent = false)
      : Name(std::move(name)),
        Caption(std::move(caption)),
        Color(color),
        Transparent(transparent) {}
  std::string Name;
  std::string Caption;
  TColor Color = 0;
  bool Transparent = false;
  std::string Hint;
};

// The page slider. Position is kept inside Min..Max (Min when Max < Min).
struct TTrackBar {
  explicit TTrackBar(std::string name = {}) : Name(std::move(name)) {}
  std::string Name;
  int Min = 1;
  int Max = 0;
  int Frequency = 1;
  bool Enabled = true;
  bool Focused = false;
  std::string Hint;
  int Position() const { return position_; }
  void SetPosition(int p) { position_ = std::max(Min, std::min(p, std::max(Min, Max))); }
  void SetMax(int m) {
    Max = m;
    SetPosition(position_);
  }

 private:
  int position_ = 1;
};

struct TUpDown {
  explicit TUpDown(std::string name = {}, int min = 0, int max = 100, int position = 0)
      : Name(std::move(name)), Min(min), Max(max), Position(position) {}
  std::string Name;
  int Min = 0;
  int Max = 100;
  int Position = 0;
};

// A timer model: the view binds one QTimer to each and calls its tick handler.
struct TTimer {
  explicit TTimer(std::string name = {}, bool enabled = false, int interval = 1000)
      : Name(std::move(name)), Enabled(enabled), Interval(interval) {}
  std::string Name;
  bool Enabled = false;
  int Interval = 1000;
};
