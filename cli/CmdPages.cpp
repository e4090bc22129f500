// quillane-cli pages: a user text laid out into pages in one of the layout modes.
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "shell/Errors.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "text/FileNames.h"

namespace {

// A file error becomes one line on stderr.
void LoadOrRefuse(TEditorStrings& lines, const std::string& path) {
  try {
    lines.LoadFromFile(path);
  } catch (const EFileError& e) {
    std::string text = e.what();
    for (char& c : text)
      if (c == '\n') c = ' ';
    throw std::runtime_error(text);
  }
}

// Checks the boxes of a mode; each mode includes the ones before it.
void SetMode(TForm1& form, const std::string& mode) {
  static const char* const kModes[] = {"normal", "full", "bigfont", "morebig", "turn"};
  TCheckBox* const boxes[] = {&form.FullCheckBox, &form.BigFontCheckBox, &form.MoreBigCheckBox,
                              &form.TurnCheckBox};
  for (int level = 0; level < 5; ++level) {
    if (mode != kModes[level]) continue;
    for (int b = 0; b < 4; ++b) boxes[b]->Checked = b < level;
    return;
  }
  throw CliError("option --mode takes normal, full, bigfont, morebig or turn, not '" + mode + "'");
}

int RunPages(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const std::string mode = parser.Value("--mode").value_or("normal");
  const std::vector<std::string> files = parser.Rest();
  if (files.size() != 1) throw CliError("one FILE is needed");
  const std::string& path = files[0];

  HeadlessPlatform platform;
  TForm1 form(platform);
  SetMode(form, mode);
  form.CheckTurnMoreBig();

  // The load sequence of a user text.
  form.Editor1.Lines.Clear();
  LoadOrRefuse(form.Editor1.Lines, path);
  form.FFileName = path;
  form.FFileIn = true;
  form.FFilePage = 0;
  if (HasHtmlExtension(path)) {
    const std::string html = form.Editor1.Lines.GetText();
    form.Editor1.Lines.Clear();
    form.Editor1.Lines.SetText(form.PTagStrip(html));
  }
  form.Freplace(form.Editor1);
  form.FNewText = true;
  form.FPreEcri(form.Editor1);

  std::string out = "pages " + std::to_string(form.FAllPage) + "\n";
  for (int i = 0; i < form.Editor1.Lines.Count(); ++i) {
    out += Hex(form.Editor1.Lines[i]);
    out += '\n';
    if (out.size() >= (1u << 16)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

const CliRegistrar kPages({"pages", "pages [--mode normal|full|bigfont|morebig|turn] FILE",
                           RunPages});

}  // namespace
