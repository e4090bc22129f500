// quillane-cli pages: a user text laid out into pages in one of the layout modes,
// each line's bytes in hex, or with --text as UTF-8 with its carried characters.
// With --headings, the headings of a book and their pages instead.
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "cli/ViewOptions.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "text/Carried.h"

namespace {

int RunPages(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const std::string mode = parser.Value("--mode").value_or("normal");
  const TTextEncoding encoding = TextEncodingOption(parser);
  const bool text = parser.Flag("--text");
  const bool headings = parser.Flag("--headings");
  const TAozoraMode aozora = AozoraOption(parser);
  const std::vector<std::string> files = parser.Rest();
  if (files.size() != 1) throw CliError("one FILE is needed");
  const std::string& path = files[0];

  HeadlessPlatform platform;
  TForm1 form(platform);
  TViewOptions options;
  options.Mode = mode;
  options.Encoding = encoding;
  options.Aozora = aozora;
  ApplyViewOptions(form, options);
  LayOutText(form, options, path);  // the load sequence of a user text
  // What the window would have said about the text (an unclosed tag): on
  // stderr, and the run fails, though the pages are still listed.
  const bool told = PrintMessages(platform);

  std::string out = "pages " + std::to_string(form.FAllPage) + "\n";
  // With --headings, the places the window's "GoTo" menu lists: page, tab,
  // the heading.
  for (const TForm1::TJumpTarget& heading : form.FHeadings)
    if (headings) out += std::to_string(heading.Page) + '\t' + heading.Caption + '\n';
  for (int i = 0; !headings && i < form.Editor1.Lines.Count(); ++i) {
    const std::string_view line = form.Editor1.Lines[i];
    out += text ? StoreToUtf8(line, form.Editor1.Carried()) : Hex(line);
    out += '\n';
    if (out.size() >= (1u << 16)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 && !told ? 0 : 1;
}

const CliRegistrar kPages(
    {"pages",
     std::string("pages [--mode normal|full|bigfont|morebig|turn] [--text] [--headings] ") +
         kEncodingUsage + " " + kAozoraUsage + " FILE",
     RunPages});

}  // namespace
