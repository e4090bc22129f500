// Bringing a user text in: the Open dialog, a dropped file, the command line
// (also through a shortcut), the clipboard, the switch back from the built-in
// text, and saving pasted text.
#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/Files.h"
#include "form/Unit1.h"
#include "text/Entities.h"
#include "text/FileNames.h"
#include "text/Shortcut.h"
#include "text/TagStrip.h"

namespace {

constexpr const char* kTextFilter = "Text(*.txt)|*.txt|All(*.*)|*.*";

bool OneOf(const std::string& ext, std::initializer_list<const char*> accepted) {
  return std::any_of(accepted.begin(), accepted.end(),
                     [&](const char* candidate) { return ext == candidate; });
}

// Before shortcut resolution.
bool CommandLineAccepts(const std::string& path) {
  return OneOf(ExtractFileExt(path), {".txt", ".TXT", ".ini", ".htm", ".html", ".lnk"});
}

// After shortcut resolution.
bool CommandLineOpens(const std::string& path) {
  return OneOf(ExtractFileExt(path), {".txt", ".TXT", ".ini", ".htm", ".html", ".HTM", ".HTML"});
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::exists(path, ec);
}

// Shows the first page of a text just laid out. PLabel turns opaque before the
// page step, so that the step's status line names the new text rather than the
// built-in one it may replace.
void ShowNewUserText(TForm1& f) {
  f.PLabel.Transparent = false;
  f.TriButton1Click();
  f.Image1.Hint = f.FTextName;
}

// Characters of the file that the page cannot hold are never dropped in
// silence: the status line says how many became 〓.
void ShowReplacedCount(TForm1& f) {
  if (f.FLoadReport.Replaced > 0) f.HintLabel1.Caption = ReplacedMessage(f.FLoadReport.Replaced);
}

}  // namespace

void TForm1::PLayOutTextFile(const std::string& path, bool keepPage) {
  RememberBookPlace();  // the book being left keeps its place
  PLoadLines(Editor1, path);
  // Stored as typed, a relative name would find nothing when the program is
  // next started from another folder.
  FFileName = AbsolutePath(path);
  FFileIn = true;
  FFilePage = 0;
  // A book read before opens at the page it was left at.
  const std::optional<int> left = keepPage ? std::nullopt : FBooks.PageOf(FFileName);
  if (left) FPage = *left;
  FNewText = !keepPage && !left;
  FTextName = ExtractFileName(path);
  FtxtDelete();
  Freplace(Editor1);
  FPreEcri(Editor1);
  RememberBookPlace();
}

void TForm1::PLoadTextFile(const std::string& path) {
  PLayOutTextFile(path);
  ShowNewUserText(*this);
  ShowReplacedCount(*this);
}

void TForm1::Open1Click() {
  if (!Idle()) return;
  FileDialogOptions options;
  options.Filter = kTextFilter;
  options.FileName = "*.txt";
  const auto path = P.OpenFileDialog(options);
  if (!path) return;
  CheckTurnMoreBig();
  PLoadTextFile(*path);
}

void TForm1::DropDst1FileDrop(const std::vector<std::string>& files) {
  // A drop needs no idle test (the page step stops a running effect), but a
  // batch job must not have its text replaced under it.
  if (FCmdLineOpen || FBusy || files.empty()) return;
  CheckTurnMoreBig();
  PLoadTextFile(files.front());
}

void TForm1::MyTextFileOpen(TEditor& editor) {
  // A failed load must still end the pending open, or every later drop is ignored.
  struct TEndPending {
    TForm1& Form;
    ~TEndPending() { Form.FCmdLineOpen = false; }
  } endPending{*this};

  if (ExtractFileExt(FCmdLineFile) == ".lnk")
    FCmdLineFile = ResolveShortcut(FCmdLineFile).value_or(std::string());
  const std::string path = FCmdLineFile;
  if (!CommandLineOpens(path)) return;
  FFileName = AbsolutePath(path);
  HintLabel1.Caption = std::to_string(editor.WrapOption().WrapByte) + "が一列の文字数です";
  PLoadTextFile(path);
  FRedraw = true;
  FNewText = false;
}

void TForm1::ExamineCommandLine(const std::vector<std::string>& args) {
  // args are the arguments after the program's own name; only the first counts.
  if (args.empty() || !CommandLineAccepts(args.front())) return;
  FCmdLineFile = args.front();
  FCmdLineOpen = true;
}

void TForm1::Paste1Click() {
  if (!Idle()) return;
  const auto text = P.ClipboardText();
  // An empty clipboard text holds nothing to read, like a single space.
  if (!text || text->empty() || *text == " ") return;
  RememberBookPlace();  // the book being left keeps its place
  Editor1.Lines.Clear();
  Editor1.Lines.SetText(*text);
  FPasteList.clear();
  for (int i = 0; i < Editor1.Lines.Count(); ++i) FPasteList.emplace_back(Editor1.Lines[i]);
  FFileIn = true;
  FFilePage = 0;
  FNewText = true;
  FTextName = "Clipboard";
  FLoadReport = {};  // the clipboard's text comes in as code page 932 already
  Freplace(Editor1);
  FPreEcri(Editor1);
  ShowNewUserText(*this);
}

void TForm1::PasteSave1Click() {
  if (!Idle() || FTextName != "Clipboard") return;
  FileDialogOptions options;
  options.Filter = kTextFilter;
  options.DefaultExt = "txt";
  const auto path = P.SaveFileDialog(options);
  if (!path) return;
  std::string text;
  for (const auto& line : FPasteList) text += line + "\r\n";
  WriteOutputFile(*path, text);
  FFileName = *path;
  FTextName = ExtractFileName(*path);
  FtxtDelete();
  Image1.Hint = FTextName;
}

void TForm1::File1Click() {
  if (!Idle() || FFileIn) return;
  if (!FTextName.empty()) {
    FFileIn = true;
    FNewText = false;
    FPage = FFilePage == 0 ? 1 : FFilePage;
    FFilePage = FPage;
    FPreEcri(Editor1);
    PLabel.Transparent = false;
    TriButton1Click();
  } else if (FileExists(FFileName)) {
    FFileIn = true;
    Editor1.Lines.Clear();
    FLoadReport = Editor1.Lines.LoadFromFile(FFileName, FEncoding);
    FNewText = true;
    FPreEcri(Editor1);
    FTextName = ExtractFileName(FFileName);
    FtxtDelete();
    FFilePage = 0;
    PLabel.Transparent = false;
    Redraw();
  } else {
    return;
  }
  Image1.Hint = FTextName;
  HintLabel1.Caption = FTextName;
  ShowReplacedCount(*this);
}

void TForm1::FtxtDelete() {
  if (FTextName.find(".txt") == std::string::npos) return;
  // The last four characters give way, whatever they are ('note.txt.htm' keeps
  // its '.txt'); characters, not bytes, so a Japanese name is not cut mid-way.
  FTextName = DropLastCharacters(FTextName, 4);
  while (!FTextName.empty() && static_cast<unsigned char>(FTextName.back()) <= ' ')
    FTextName.pop_back();
}

void TForm1::PLoadLines(TEditor& editor, const std::string& path) {
  editor.Lines.Clear();
  FLoadReport = editor.Lines.LoadFromFile(path, FEncoding);
  if (HasHtmlExtension(path)) {
    std::string text = PTagStrip(editor.Lines.GetText());
    editor.Lines.Clear();
    // References are decoded only now, so that a decoded "<" never opens a tag.
    FLoadReport.Replaced += DecodeEntities(text);
    editor.Lines.SetText(text);
  }
}

std::string TForm1::PTagStrip(std::string_view html) {
  TTagStripResult result = StripTags(html);
  if (result.Unclosed)
    P.MessageBox("タグが閉じられていません\nソースに問題があります", MsgButtons::Ok,
                 MsgIcon::Information);
  return std::move(result.Text);
}
