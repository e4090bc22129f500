#pragma once
// The window's control table (resources/controls.tsv): for every control its
// kind, parent, position, size, caption and hint. The view builds its widgets
// from it; TForm1's models take their captions and hints from it at creation.
#include <string>
#include <vector>

class TForm1;

struct TControlEntry {
  std::string Name;
  std::string Kind;    // button, checkbox, label, trackbar, updown, panel, image, ...
  std::string Parent;  // empty: the window's client area
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::string Caption;
  std::string Hint;
  std::string Extra;  // kind-specific settings, e.g. "shortcut=Ctrl+O"
};

const std::vector<TControlEntry>& ControlTable();
// Copies captions and hints from the table onto the models of the form.
void ApplyControlTable(TForm1& form);
// Puts the short names of the buttons marked "shortname" on them (their
// captions in the table), or takes them off: "Show Name".
void ApplyShortNames(TForm1& form, bool on);
