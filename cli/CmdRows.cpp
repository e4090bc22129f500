// quillane-cli rows: the rows a file wraps into, as a line store shows them:
// each row's bytes in hex, or with --text as UTF-8 with its carried characters.
#include <climits>
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "text/Carried.h"
#include "text/HEditor.h"

namespace {

char RowEndLetter(TRowEnd end) {
  switch (end) {
    case TRowEnd::LineEnd:
      return 'E';
    case TRowEnd::Continues:
      return 'S';
    case TRowEnd::Unterminated:
      return 'U';
  }
  return '?';
}

int RunRows(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const std::string editor = parser.Value("--editor").value_or("1");
  if (editor != "1" && editor != "2") throw CliError("option --editor takes 1 or 2");
  const long long width = parser.Int("--width", INT_MIN, INT_MAX).value_or(36);
  const TTextEncoding encoding = TextEncodingOption(parser);
  const bool text = parser.Flag("--text");
  const TAozoraMode aozora = AozoraOption(parser);
  const std::vector<std::string> files = parser.Rest();
  if (files.size() != 1) throw CliError("one FILE is needed");

  TEditor store;
  if (editor == "1") {
    ApplyEditor1Settings(store);
  } else {
    ApplyEditor2Settings(store);
  }
  store.SetWrapByte(static_cast<int>(width));
  store.Lines.Clear();
  std::optional<TBookRead> read;
  LoadOrRefuse([&] { LoadBookFile(store, files[0], encoding, aozora, read); });

  std::string out;
  for (int i = 0; i < store.RowCount(); ++i) {
    out += RowEndLetter(store.RowEnd(i));
    out += ' ';
    out += text ? StoreToUtf8(store.Rows(i), store.Carried()) : Hex(store.Rows(i));
    out += '\n';
    if (out.size() >= (1u << 16)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

const CliRegistrar kRows({"rows",
                          std::string("rows [--editor 1|2] [--width N] [--text] ") +
                              kEncodingUsage + " " + kAozoraUsage + " FILE",
                          RunRows});

}  // namespace
