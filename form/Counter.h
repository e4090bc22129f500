#pragma once
// TForm2: the counter window's logic. A large whole number advanced by hand
// (keys, menu) or by a one-second timer that steps it every p ticks, with
// optional sound cues. Plain C++ like TForm1: the Qt view (view/CounterWindow)
// mirrors these models and forwards the user's actions to the handlers below.
#include <optional>
#include <string>
#include <vector>

#include "base/Types.h"
#include "form/Controls.h"
#include "shell/Platform.h"

class TForm1;

// The keys the counter answers; every other key is Other.
enum class TCounterKey { Other, Space, Enter, Backspace, Home, End };

// The borderless panel that carries the number; it takes the window's colour.
struct TCounterPanel {
  std::string Name = "Panel1";
  int Left = 128, Top = 184, Width = 737, Height = 177;
  std::string Hint = "drag the here to a new position";
};

struct TCounterUpDown : TUpDown {
  TCounterUpDown() : TUpDown("CountUpDown", 1, 100, 5) {}
  bool Visible = false;
  std::string Hint = "Timer interval";
};

struct TCounterEdit {
  std::string Name = "Edit1";
  std::string Text;  // UTF-8
  bool Visible = false;
  std::string Hint = "Click to display";
};

// The window caption while the timer runs: k groups of " +" (k = 1..20), with
// one more blank before the 6th, 11th and 16th group so they read in fives.
std::string ProgressCaption(int k);

class TForm2 {
 public:
  static constexpr int ClientWidth = 862;
  static constexpr int ClientHeight = 602;

  // Creation: count and ticks at 0, "0" shown, timer stopped, sound off.
  TForm2(Platform& platform, const TForm1& owner);

  Platform& P;
  const TForm1& Form1;  // read only for its two page colours

  int count = 0;  // the number shown; may go negative
  int ticks = 0;  // timer ticks since the last step of count

  std::string Caption = "Counter";
  TColor Color = clWhite;  // the window's background, which Panel1 shares
  TColor LastDialogColor = clBlack;
  TCounterPanel Panel1;
  TLabel Label1{"Label1", "0"};
  TColor Label1FontColor = clBlack;
  TCounterUpDown CountUpDown;
  TCounterEdit Edit1;
  TTimer Timer1{"Timer1", false, 1000};
  TCheckBox sound1{"sound1"};  // the "sound" check item of the menu
  // A request to the view to show and raise the window, granted once.
  bool ShowPending = true;

  void FormKeyDown(TCounterKey key);
  void FormDblClick();
  void Edit1Click();
  // The panel drag, in window client coordinates.
  void Panel1MouseDown(int x, int y);
  void Panel1MouseMove(int x, int y);
  void Panel1MouseUp();
  void Timer1Timer();

  // Menu commands.
  void ShowUpDown1Click();
  void HideUpDown1Click();
  void Timer2Click();  // "Start Timer"
  void StopTimerClick();
  void PlusClick(int amount);
  void resetClick();
  void BgColor1Click();
  void fontColor1Click();
  void QuillaneColor1Click();
  void OneColor1Click();
  void sound1Click();

  // PopupMenu1, in its order; the view builds the menu from it.
  struct TMenuItem {
    const char* Name;
    const char* Caption;
    void (*Click)(TForm2&);
  };
  static const std::vector<TMenuItem>& MenuItems();

 private:
  void SetCount(long long value);
  void ShowEdits(bool visible);
  void Cue(const char* fileName);

  std::optional<TPoint> grab_;  // where Panel1 was pressed, relative to its corner
};
