#include "form/Unit1.h"
#include "resources/Embedded.h"
#include "text/Sjis.h"

// The resource is kept as UTF-8 in the source tree; the program holds it as
// code-page-932 lines like every other text.
std::vector<std::string> TForm1::StringResource1() {
  const std::string text = Utf8ToSjis(EmbeddedBuiltinText());
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
  std::string text;
  for (const auto& line : StringResource1()) text += line + "\r\n";
  Editor2.Lines.Clear();
  Editor2.Lines.SetText(text);
  Freplace(Editor2);
}
