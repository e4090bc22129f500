// Joining the current text file with a second one into the "unite" folder.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "base/Errors.h"
#include "base/Files.h"
#include "form/Unit1.h"
#include "text/Carried.h"
#include "text/Encoding.h"
#include "text/FileNames.h"
#include "text/TextFile.h"

namespace fs = std::filesystem;

namespace {

// What reading the inputs did, for the status line.
struct TUnionReport {
  TEncodingReport Read;         // the encoding of a converted input; 〓 for undecodable bytes
  std::size_t SavedAsGeta = 0;  // carried characters the union holds as 〓
};

// The file's text in code page 932, whatever encoding it came in, as the union
// file holds it: a .zip gives the text inside it, a binary file is refused, and
// a character code page 932 has no form for is carried on reading and written
// as 〓. What the conversion did is added to `report`.
std::string ReadText(const std::string& path, TTextEncoding encoding, TUnionReport& report) {
  TDecodedText decoded = LoadTextFile(path, encoding);
  if (decoded.Report.Converted()) report.Read.Encoding = decoded.Report.Encoding;
  report.Read.Replaced += decoded.Report.Replaced;
  std::size_t getas = 0;
  std::string bytes = StoreToCp932(decoded.Bytes, decoded.Carried, &getas);
  report.SavedAsGeta += getas;
  return bytes;
}

// The union is written in code page 932; the status line says when an input
// had to be converted for it, and how many characters became 〓.
std::string UnionMessage(const TUnionReport& report) {
  std::string message;
  const auto add = [&](const std::string& part) {
    if (!part.empty()) message += (message.empty() ? "" : " ") + part;
  };
  if (report.Read.Converted()) add(std::string(EncodingName(report.Read.Encoding)) + "から変換");
  add(ReplacedMessage(report.Read.Replaced));
  add(SavedAsGetaMessage(report.SavedAsGeta));
  return message;
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
  TUnionReport report;
  if (!FFileName.empty() && fs::exists(FFileName, ec))
    first = LinesText(ReadText(FFileName, EncodingFor(FFileName), report));

  FileDialogOptions options;
  options.Filter = "Text|*.txt|HTML|*.htm;*.html|ZIP|*.zip|All|*";
  options.FileName = "*.txt";
  const auto second = P.OpenFileDialog(options);
  if (!second) return;
  const std::string secondText = LinesText(ReadText(*second, EncodingFor(*second), report));
  const std::string message = UnionMessage(report);

  const fs::path folder = fs::path(FProgramDir) / "unite";
  fs::create_directories(folder, ec);
  if (ec) throw EFileError::CannotCreate(folder.string(), ec.message());
  const std::string output = (folder / UnionFileName(FFileName)).string();
  // The union is never written over one of its own texts (uniting a text with
  // its earlier union): refused, as the other commands refuse, rather than
  // written under a new name the user did not choose and would not look for.
  const std::vector<std::string> inputs = {FFileName, *second};
  if (auto refusal = OverwriteRefusal(output, inputs)) {
    P.ShowMessage(*refusal);
    return;
  }
  WriteOutputFile(output, first + "\r\n\r\n\r\n\r\n\r\n" + secondText, inputs);

  if (P.MessageBox("作業は完了しました\nファイルを開きますか", MsgButtons::YesNo,
                   MsgIcon::Information) == MsgResult::No) {
    if (!message.empty()) HintLabel1.Caption = message;
    return;
  }
  FFileName = output;
  CheckTurnMoreBig();
  Editor1.Lines.Clear();
  // The union is code page 932 whatever the inputs were.
  FLoadReport = Editor1.Lines.LoadFromFile(output, TTextEncoding::ShiftJis);
  FFileIn = true;
  FTextName = ExtractFileName(output);
  FtxtDelete();
  Freplace(Editor1);
  FPreEcri(Editor1);
  // Opaque before the step, so that its status line names the joined text.
  PLabel.Transparent = false;
  TriButton1Click();
  Image1.Hint = FTextName;
  if (!message.empty()) HintLabel1.Caption = message;
}
