#include "form/Unit1.h"
#include "resources/Embedded.h"
#include "text/Encoding.h"

namespace {

// The resource is kept as UTF-8 in the source tree; the program holds it as
// code-page-932 lines like every other text, converted as a UTF-8 file is.
TDecodedText BuiltinText() {
  return DecodeText(std::string(EmbeddedBuiltinText()), false, TTextEncoding::Utf8);
}

}  // namespace

std::vector<std::string> TForm1::StringResource1() {
  const std::string text = BuiltinText().Bytes;
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text, start, stop - start);
    start = end + 1;
  }
  return lines;
}

void TForm1::LoadBuiltinText() {
  TDecodedText text = BuiltinText();
  Editor2.Lines.Clear();
  // Its own table: the built-in text's carried characters are not the user's.
  Editor2.Lines.SetText(text.Bytes, std::move(text.Carried));
  Freplace(Editor2);
}
