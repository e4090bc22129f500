#pragma once
// The view options of the commands that draw pages (render, export): layout
// mode, writing direction, faces, colours, QVGA, and which text to lay out.
#include <string>

#include "base/Types.h"
#include "cli/Cli.h"

class TForm1;

struct TViewOptions {
  std::string Mode = "normal";  // normal | full | bigfont | morebig | turn
  bool Horizontal = false;
  bool Gothic = false;
  bool Bold = false;
  bool Qvga = false;
  bool ShiftRight = false;
  bool Builtin = false;
  TColor TextColor = 0x000000;
  TColor Background = 0xFFFFFF;
  TTextEncoding Encoding = TTextEncoding::Auto;  // of the text file
  TAozoraMode Aozora = TAozoraMode::Auto;        // read it as a book
};

// Takes the view options off the argument list; bad values throw CliError.
TViewOptions ParseViewOptions(ArgParser& parser);
// Sets the form's boxes, colours and layout width from the options.
void ApplyViewOptions(TForm1& form, const TViewOptions& options);
// Lays out the built-in text (options.Builtin) or the file as a user text, as
// opening it in the window would, without drawing. A file that cannot be read
// throws.
void LayOutText(TForm1& form, const TViewOptions& options, const std::string& file);
