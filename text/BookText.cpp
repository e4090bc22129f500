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

std::optional<TBookRead> ReadBookNotation(TEditor& editor, TAozoraMode mode) {
  if (mode == TAozoraMode::Off) return std::nullopt;
  const std::string text = editor.Lines.GetText();
  if (mode == TAozoraMode::Auto && !LooksLikeAozora(text)) return std::nullopt;
  TBookRead read;
  TCarriedChars carried = editor.Carried();
  TAozoraText book = ReadAozora(text, [&](char32_t c) {
    std::string bytes;
    switch (carried.Append(bytes, c)) {
      case TStored::Form:
        break;
      case TStored::Carried:
        ++read.Carried;
        break;
      case TStored::Geta:
        ++read.Getas;
        break;
    }
    return bytes;
  });
  read.Report = book.Report;
  editor.Lines.SetBook(std::move(book.Lines), std::move(carried), std::move(book.Notes));
  return read;
}

std::string NotationMessage(const TNotationReport& report) {
  std::string message = "注記" + std::to_string(report.Applied) + "件を反映";
  if (report.NotApplied > 0) message += " 未対応" + std::to_string(report.NotApplied) + "件";
  return message;
}
