// Bringing a user text in: the Open dialog, a dropped file, the command line
// (also through a shortcut), the clipboard, the switch back from the built-in
// text, reading the current file again in another encoding, and saving pasted
// text. A .zip comes in as the text inside it (text/TextFile.h).
#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/Files.h"
#include "form/Unit1.h"
#include "render/Canvas.h"
#include "text/BookText.h"
#include "text/Carried.h"
#include "text/Encoding.h"
#include "text/Entities.h"
#include "text/FileNames.h"
#include "text/HtmlRuby.h"
#include "text/Shortcut.h"
#include "text/TagStrip.h"

namespace {

// The file dialogs' filters: a label, then its patterns (the view shows both).
constexpr const char* kOpenFilter = "Text|*.txt|HTML|*.htm;*.html|ZIP|*.zip|All|*";
constexpr const char* kSaveFilter = "Text|*.txt|All|*";

bool OneOf(const std::string& ext, std::initializer_list<const char*> accepted) {
  return std::any_of(accepted.begin(), accepted.end(),
                     [&](const char* candidate) { return ext == candidate; });
}

// Before shortcut resolution.
bool CommandLineAccepts(const std::string& path) {
  return OneOf(ExtractFileExt(path),
               {".txt", ".TXT", ".ini", ".htm", ".html", ".zip", ".ZIP", ".lnk"});
}

// After shortcut resolution.
bool CommandLineOpens(const std::string& path) {
  return OneOf(ExtractFileExt(path),
               {".txt", ".TXT", ".ini", ".htm", ".html", ".HTM", ".HTML", ".zip", ".ZIP"});
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

// How many distinct carried characters the page face has no glyph for: those
// pages show as 〓. Asked once a load, not at every draw.
std::size_t GlyphlessKinds(const TCarriedChars& carried, bool gothic) {
  std::size_t kinds = 0;
  for (char32_t scalar : carried.Scalars()) kinds += !FaceHasGlyph(PageFaceName(gothic), scalar);
  return kinds;
}

// Characters of a text that code page 932 cannot hold are never dropped in
// silence: the status line says how many were carried (and how many kinds of
// them show as 〓), and how many became 〓.
void ShowLoadReport(TForm1& f) {
  const TEncodingReport& report = f.FLoadReport;
  std::string message =
      CarriedMessage(report.Carried, GlyphlessKinds(f.Editor1.Carried(), f.Gothic()));
  const auto add = [&](const std::string& part) {
    if (!message.empty() && !part.empty()) message += ' ';
    message += part;
  };
  add(ReplacedMessage(report.Replaced));
  // A book says how much of its notation it honoured.
  if (f.FNotationReport) add(NotationMessage(*f.FNotationReport));
  if (!message.empty()) f.HintLabel1.Caption = message;
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
  ShowLoadReport(*this);
}

void TForm1::Open1Click() {
  if (!Idle()) return;
  FileDialogOptions options;
  options.Filter = kOpenFilter;
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
  // Converted as a UTF-8 file is: what code page 932 lacks is carried.
  TDecodedText decoded = DecodeText(*text, false, TTextEncoding::Utf8);
  Editor1.Lines.Clear();
  Editor1.Lines.SetText(decoded.Bytes, std::move(decoded.Carried));
  FPasteList.clear();
  for (int i = 0; i < Editor1.Lines.Count(); ++i)
    FPasteList.push_back(StoreToUtf8(Editor1.Lines[i], Editor1.Carried()));
  FFileIn = true;
  FFilePage = 0;
  FNewText = true;
  FTextName = "Clipboard";
  FLoadReport = decoded.Report;
  FNotationReport.reset();  // a pasted text is shown as it is
  Freplace(Editor1);
  FPreEcri(Editor1);
  ShowNewUserText(*this);
  ShowLoadReport(*this);
}

void TForm1::PasteSave1Click() {
  if (!Idle() || FTextName != "Clipboard") return;
  FileDialogOptions options;
  options.Filter = kSaveFilter;
  options.DefaultExt = "txt";
  const auto path = P.SaveFileDialog(options);
  if (!path) return;
  std::string text;
  for (const auto& line : FPasteList) text += line + "\r\n";
  // The file is code page 932: a carried character is written as 〓, and the
  // status line says how many were.
  const TDecodedText decoded = DecodeText(text, false, TTextEncoding::Utf8);
  std::size_t getas = 0;
  WriteOutputFile(*path, StoreToCp932(decoded.Bytes, decoded.Carried, &getas));
  FFileName = *path;
  FTextName = ExtractFileName(*path);
  FtxtDelete();
  Image1.Hint = FTextName;
  if (getas > 0) HintLabel1.Caption = SavedAsGetaMessage(getas);
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
    std::optional<TBookRead> read;
    FLoadReport = LoadBookFile(Editor1, FFileName, EncodingFor(FFileName), FAozora, read);
    TakeNotationReport(read);
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
  ShowLoadReport(*this);
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
  // The text may be set more than once (its tags stripped, its notation
  // read): its rows are made once, at the end, on every path.
  struct TOneWrap {
    TEditor& Editor;
    explicit TOneWrap(TEditor& editor) : Editor(editor) { Editor.BeginUpdate(); }
    ~TOneWrap() { Editor.EndUpdate(); }
    TOneWrap(const TOneWrap&) = delete;
    TOneWrap& operator=(const TOneWrap&) = delete;
  } oneWrap(editor);
  editor.Lines.Clear();
  std::optional<TBookRead> read;
  FLoadReport = LoadBookFile(editor, path, EncodingFor(path), FAozora, read);
  // An HTML file, or a ZIP archive whose text is one.
  if (FLoadReport.Html) {
    std::string html = editor.Lines.GetText();
    // A page's <ruby> goes the way of a book's ruby: written as the notation
    // before the tags go, and read as a book then.
    TAozoraMode mode = FAozora;
    if (FAozora != TAozoraMode::Off && RubyTagsToNotation(html) > 0) mode = TAozoraMode::On;
    std::string text = PTagStrip(html);
    TCarriedChars carried = editor.Carried();
    editor.Lines.Clear();
    // References are decoded only now, so that a decoded "<" never opens a
    // tag; what they carry joins the text's own table.
    TMissingCharacters missing(&carried);
    DecodeEntities(text, missing);
    FLoadReport.Replaced += missing.Count();
    FLoadReport.Carried += missing.Carried();
    editor.Lines.SetText(text, std::move(carried));
    read = ReadBookNotation(editor, mode);
  }
  TakeNotationReport(read);
}

void TForm1::TakeNotationReport(const std::optional<TBookRead>& read) {
  FNotationReport.reset();
  if (!read) return;
  FNotationReport = read->Report;
  FLoadReport.Carried += read->Carried;
  FLoadReport.Replaced += read->Report.Replaced + read->Getas;
}

void TForm1::AozoraNotes1Click() {
  if (!Idle()) return;
  FAozora = FAozora == TAozoraMode::Off ? TAozoraMode::Auto : TAozoraMode::Off;
  // The text on the page is read again the new way, at the same place.
  if (!FFileIn || FTextName == "Clipboard") return;
  ChangeBig(Editor1);
  HintLabel1.Caption =
      FNotationReport ? NotationMessage(*FNotationReport) : std::string("注記を読まずに表示");
}

std::optional<bool> TForm1::MenuChecked(const std::string& name) const {
  if (name == "AozoraNotes1") return FAozora != TAozoraMode::Off;
  return std::nullopt;
}

TTextEncoding TForm1::EncodingFor(const std::string& path) const {
  return !FReopenFile.empty() && path == FReopenFile ? FReopenEncoding : FEncoding;
}

void TForm1::ReopenAs(TTextEncoding encoding) {
  if (!Idle() || !FFileIn || FTextName == "Clipboard" || FFileName.empty()) return;
  FReopenFile = FFileName;
  FReopenEncoding = encoding;
  CheckTurnMoreBig();
  PLoadTextFile(FFileName);
  if (FLoadReport.Replaced == 0)
    HintLabel1.Caption = std::string(EncodingName(encoding)) + "として読み直しました";
}

void TForm1::ReopenSjis1Click() {
  ReopenAs(TTextEncoding::ShiftJis);
}
void TForm1::ReopenUtf81Click() {
  ReopenAs(TTextEncoding::Utf8);
}
void TForm1::ReopenUtf161Click() {
  ReopenAs(TTextEncoding::Utf16);
}
void TForm1::ReopenEucJp1Click() {
  ReopenAs(TTextEncoding::EucJp);
}
void TForm1::ReopenJis1Click() {
  ReopenAs(TTextEncoding::Iso2022Jp);
}

std::string TForm1::PTagStrip(std::string_view html) {
  TTagStripResult result = StripTags(html);
  if (result.Unclosed)
    P.MessageBox("タグが閉じられていません\nソースに問題があります", MsgButtons::Ok,
                 MsgIcon::Information);
  return std::move(result.Text);
}
