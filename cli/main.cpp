#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#include "QuillaneVersion.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "cli/Cli.h"
#include "export/FileWrite.h"
#include "render/ABitmap.h"
#include "shell/HeadlessPlatform.h"

namespace {
std::vector<CliCommand>& Registry() {
  static std::vector<CliCommand> commands;
  return commands;
}

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: quillane-cli COMMAND [OPTIONS]\n\ncommands:\n");
  for (const auto& c : CliCommands()) std::fprintf(out, "  %s\n", c.Usage.c_str());
  std::fprintf(out,
               "\n--home DIR is the folder outputs go under (default: the current folder; made\n"
               "when missing).\n"
               "FILE is a text in Shift-JIS, UTF-8, UTF-16, EUC-JP or ISO-2022-JP (detected\n"
               "unless --encoding names it), an HTML page (.htm, .html) or a ZIP archive\n"
               "holding one (.zip).\n"
               "quillane-cli --help lists the commands; quillane-cli --version prints the "
               "version.\n");
}
}  // namespace

CliRegistrar::CliRegistrar(CliCommand command) {
  Registry().push_back(std::move(command));
}

const std::vector<CliCommand>& CliCommands() {
  return Registry();
}

bool ArgParser::Flag(const std::string& name) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    if (*it == name) {
      args_.erase(it);
      return true;
    }
  }
  return false;
}

std::optional<std::string> ArgParser::Value(const std::string& name) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    if (*it == name) {
      if (it + 1 == args_.end()) throw CliError("option " + name + " needs a value");
      std::string value = *(it + 1);
      args_.erase(it, it + 2);
      return value;
    }
  }
  return std::nullopt;
}

std::optional<long long> ArgParser::Int(const std::string& name, long long min, long long max) {
  auto text = Value(name);
  if (!text) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text->c_str(), &end, 10);
  if (text->empty() || *end != '\0' || errno != 0 || v < min || v > max)
    throw CliError("option " + name + " takes a whole number from " + std::to_string(min) + " to " +
                   std::to_string(max) + ", not '" + *text + "'");
  return v;
}

std::optional<unsigned> ArgParser::Color(const std::string& name) {
  auto text = Value(name);
  if (!text) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  unsigned long v = std::strtoul(text->c_str(), &end, 16);
  if (text->empty() || *end != '\0' || errno != 0 || v > 0xFFFFFF)
    throw CliError("option " + name + " takes a colour 0xBBGGRR, not '" + *text + "'");
  return static_cast<unsigned>(v);
}

std::vector<std::string> ArgParser::Rest() {
  for (const auto& a : args_)
    if (a.size() > 1 && a[0] == '-' && a != "-") throw CliError("unknown option " + a);
  return args_;
}

void WritePngFile(const TABitmap& picture, const std::string& path) {
  const QImage image(picture.Bits(), picture.Width(), picture.Height(), picture.Stride(),
                     QImage::Format_BGR888);
  // Encoded in memory and written by path bytes: a QString could not name a
  // file whose name is not UTF-8.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw EImageError("PNG に変換できません: " + path);
  WriteOutputFile(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n') c = ' ';
  return text;
}

void LoadOrRefuse(const std::function<void()>& load) {
  try {
    load();
  } catch (const EFileError& e) {
    throw std::runtime_error(OneLine(e.what()));
  }
}

bool PrintMessages(const HeadlessPlatform& platform) {
  for (const auto& m : platform.Messages) std::fprintf(stderr, "%s\n", m.Text.c_str());
  for (const auto& e : platform.Errors) std::fprintf(stderr, "error: %s\n", e.c_str());
  return !platform.Messages.empty() || !platform.Errors.empty();
}

std::string HomeFolder(ArgParser& parser) {
  const std::string home = parser.Value("--home").value_or(".");
  std::error_code error;
  std::string path = std::filesystem::absolute(home, error).lexically_normal().string();
  if (error) throw CliError("cannot use --home " + home);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  // A folder that is not there yet is made, with any folder above it; one that
  // cannot be made is refused with the system's reason.
  CreateFolderOrThrow(path);
  // Every output goes under it: say now why it cannot hold them, rather than let
  // the first file fail with a reason that names another path.
  struct stat info {};
  int reason = 0;
  if (stat(path.c_str(), &info) != 0)
    reason = errno;
  else if (!S_ISDIR(info.st_mode))
    reason = ENOTDIR;
  else if (access(path.c_str(), W_OK | X_OK) != 0)
    reason = errno;
  if (reason != 0) throw std::runtime_error("--home " + home + ": " + std::strerror(reason));
  return path;
}

TTextEncoding TextEncodingOption(ArgParser& parser) {
  const auto name = parser.Value("--encoding");
  if (!name) return TTextEncoding::Auto;
  if (auto encoding = EncodingOption(*name)) return *encoding;
  throw CliError("option --encoding takes auto, sjis, utf-8, utf-16, euc-jp or iso-2022-jp, not '" +
                 *name + "'");
}

TAozoraMode AozoraOption(ArgParser& parser) {
  const auto name = parser.Value("--aozora");
  if (!name) return TAozoraMode::Auto;
  if (auto mode = AozoraModeNamed(*name)) return *mode;
  throw CliError("option --aozora takes auto, on or off, not '" + *name + "'");
}

std::string Hex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// Headless use needs no session: give Qt a private runtime folder when the
// environment has none, so it does not warn about it on every run.
static void PrepareHeadlessEnvironment() {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    const std::string dir = "/tmp/quillane-runtime-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
}

int main(int argc, char** argv) {
  PrepareHeadlessEnvironment();
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "help") {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  const std::string name = argv[1];
  if (name == "--version") {
    std::printf("quillane-cli %s\n", QUILLANE_VERSION);
    return 0;
  }
  for (const auto& c : CliCommands()) {
    if (c.Name != name) continue;
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    // What the command reads, it may not write over.
    const TCommandInputs inputs;
    try {
      return c.Run(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const CliError& e) {
      std::fprintf(stderr, "quillane-cli %s: %s\nusage: quillane-cli %s\n", name.c_str(), e.what(),
                   c.Usage.c_str());
      return 2;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quillane-cli %s: %s\n", name.c_str(), OneLine(FailureText(e)).c_str());
      return 1;
    }
  }
  std::fprintf(stderr, "quillane-cli: unknown command '%s'\n", name.c_str());
  PrintUsage(stderr);
  return 2;
}
