// Joining the current text file with a second one into the "unite" folder.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "base/Errors.h"
#include "shell/Unit1.h"
#include "text/FileNames.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFileError::CannotOpen(path, std::strerror(errno));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EFileError::CannotOpen(path, std::strerror(errno));
  return bytes;
}

// The file as a list of lines, each then followed by CR LF: lines end at CR LF,
// CR or LF, and a last line without a line break still counts.
std::string LinesText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 16);
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      text.append(bytes.substr(start));
      text += "\r\n";
      break;
    }
    text.append(bytes.substr(start, end - start));
    text += "\r\n";
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return text;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw EFileError::CannotCreate(path, std::strerror(errno));
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) throw EFileError::CannotCreate(path, std::strerror(errno));
}

// The name of the current file without its extension, then "_u.txt".
std::string UnionFileName(const std::string& currentFile) {
  std::string name = ExtractFileName(currentFile);
  name.resize(name.size() - ExtractFileExt(name).size());
  return name + "_u.txt";
}

}  // namespace

void TForm1::UniteButtonClick() {
  std::string first;
  std::error_code ec;
  if (!FFileName.empty() && fs::exists(FFileName, ec)) first = LinesText(ReadBytes(FFileName));

  FileDialogOptions options;
  options.Filter = "Text(*.txt)|*.txt|All(*.*)|*.*";
  options.FileName = "*.txt";
  const auto second = P.OpenFileDialog(options);
  if (!second) return;
  const std::string secondText = LinesText(ReadBytes(*second));

  const fs::path folder = fs::path(FProgramDir) / "unite";
  fs::create_directories(folder, ec);
  if (ec) throw EFileError::CannotCreate(folder.string(), ec.message());
  const std::string output = (folder / UnionFileName(FFileName)).string();
  WriteBytes(output, first + "\r\n\r\n\r\n\r\n\r\n" + secondText);

  if (P.MessageBox("作業は完了しました\nファイルを開きますか", MsgButtons::YesNo,
                   MsgIcon::Information) == MsgResult::No)
    return;
  FFileName = output;
  CheckTurnMoreBig();
  Editor1.Lines.Clear();
  Editor1.Lines.LoadFromFile(output);
  FFileIn = true;
  FTextName = ExtractFileName(output);
  FtxtDelete();
  Freplace(Editor1);
  FPreEcri(Editor1);
  // Opaque before the step, so that its status line names the joined text.
  PLabel.Transparent = false;
  TriButton1Click();
  Image1.Hint = FTextName;
}
