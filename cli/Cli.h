#pragma once
// quillane-cli: headless commands over the same TForm1 and routines as the window.
// Each command lives in its own file and registers itself with a CliRegistrar.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/BookText.h"
#include "text/Encoding.h"

class HeadlessPlatform;
class TABitmap;

// A usage error or an input the command refuses: printed as one line on stderr,
// exit status 2.
struct CliError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using CliRun = int (*)(std::vector<std::string> args);

struct CliCommand {
  std::string Name;
  std::string Usage;  // one line: "rows [--editor 1|2] [--width N] FILE"
  CliRun Run;
};

struct CliRegistrar {
  explicit CliRegistrar(CliCommand command);
};

const std::vector<CliCommand>& CliCommands();

// Options parsed off an argument list: take the options a command knows, then
// Rest() returns the positional arguments and refuses any option left over.
class ArgParser {
 public:
  explicit ArgParser(std::vector<std::string> args) : args_(std::move(args)) {}
  bool Flag(const std::string& name);                         // --name
  std::optional<std::string> Value(const std::string& name);  // --name VALUE
  std::optional<long long> Int(const std::string& name, long long min, long long max);
  std::optional<unsigned> Color(const std::string& name);  // --name 0xBBGGRR
  std::vector<std::string> Rest();

 private:
  std::vector<std::string> args_;
};

// Lower-case hex of the bytes.
std::string Hex(std::string_view bytes);

// Writes the picture as a PNG file through the output guard.
void WritePngFile(const TABitmap& picture, const std::string& path);
// The text with its line breaks turned into spaces.
std::string OneLine(std::string text);
// Runs a load; a file that cannot be read becomes one line of error text
// (thrown as std::runtime_error).
void LoadOrRefuse(const std::function<void()>& load);
// Prints what the program said (messages, then error boxes) on stderr; true
// when it said anything.
bool PrintMessages(const HeadlessPlatform& platform);
// The program's folder chosen with --home DIR (default: the current folder),
// absolute, without a trailing '/'.
std::string HomeFolder(ArgParser& parser);
// The encoding texts are read in, chosen with --encoding (default: auto,
// detected per file); an unknown name throws CliError.
TTextEncoding TextEncodingOption(ArgParser& parser);
inline constexpr const char* kEncodingUsage =
    "[--encoding auto|sjis|utf-8|utf-16|euc-jp|iso-2022-jp]";
// Whether a text is read as a book in Aozora Bunko notation, chosen with
// --aozora (default: auto, when it looks like one); another value throws
// CliError.
TAozoraMode AozoraOption(ArgParser& parser);
inline constexpr const char* kAozoraUsage = "[--aozora auto|on|off]";
