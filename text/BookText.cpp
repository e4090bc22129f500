#include "text/BookText.h"

#include <utility>

#include "text/Aozora.h"
#include "text/HEditor.h"

std::optional<TAozoraMode> AozoraModeNamed(std::string_view name) {
  if (name == "auto") return TAozoraMode::Auto;
  if (name == "on") return TAozoraMode::On;
  if (name == "off") return TAozoraMode::Off;
  return std::nullopt;
}

namespace {

// The book in text, when the mode takes it for one; *read says what reading
// did. Characters the notation names join carried.
std::optional<TEditorStrings::TBookLines> ReadBook(std::string_view text, TCarriedChars& carried,
                                                   TAozoraMode mode,
                                                   std::optional<TBookRead>& read) {
  read.reset();
  if (mode == TAozoraMode::Off) return std::nullopt;
  if (mode == TAozoraMode::Auto && !LooksLikeAozora(text)) return std::nullopt;
  TBookRead counts;
  TAozoraText book = ReadAozora(text, [&](char32_t c) {
    std::string bytes;
    switch (carried.Append(bytes, c)) {
      case TStored::Form:
        break;
      case TStored::Carried:
        ++counts.Carried;
        break;
      case TStored::Geta:
        ++counts.Getas;
        break;
    }
    return bytes;
  });
  counts.Report = book.Report;
  read = counts;
  return TEditorStrings::TBookLines{std::move(book.Lines), std::move(book.Notes)};
}

}  // namespace

std::optional<TBookRead> ReadBookNotation(TEditor& editor, TAozoraMode mode) {
  if (mode == TAozoraMode::Off) return std::nullopt;
  TCarriedChars carried = editor.Carried();
  std::optional<TBookRead> read;
  auto book = ReadBook(editor.Lines.GetText(), carried, mode, read);
  if (book)
    editor.Lines.SetBook(std::move(book->Lines), std::move(carried), std::move(book->Notes));
  return read;
}

TEncodingReport LoadBookFile(TEditor& editor, const std::string& path, TTextEncoding encoding,
                             TAozoraMode mode, std::optional<TBookRead>& read) {
  read.reset();
  if (mode == TAozoraMode::Off) return editor.Lines.LoadFromFile(path, encoding);
  return editor.Lines.LoadFromFile(path, encoding,
                                   [&](std::string_view text, TCarriedChars& carried) {
                                     return ReadBook(text, carried, mode, read);
                                   });
}

std::string NotationMessage(const TNotationReport& report) {
  std::string message = "注記" + std::to_string(report.Applied) + "件を反映";
  if (report.NotApplied > 0) message += " 未対応" + std::to_string(report.NotApplied) + "件";
  return message;
}
