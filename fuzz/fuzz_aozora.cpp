// The reader of Aozora notation over any bytes: it ends, every output line is
// whole code-page-932 characters without CR or LF, and every note lies within
// the text, on character boundaries, in sorted lists.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "text/Aozora.h"
#include "text/Sjis.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

bool IsTrailByte(unsigned char b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Whole characters without line ends; marks where each one starts.
bool WholeCharacters(std::string_view text, std::vector<bool>* starts, std::size_t offset) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (starts) (*starts)[offset + i] = true;
    if (b == '\r' || b == '\n') return false;
    if (!IsLeadByte(b)) continue;
    if (i + 1 == text.size() || !IsTrailByte(static_cast<unsigned char>(text[i + 1]))) return false;
    ++i;
  }
  return true;
}

std::string StoreOrGeta(char32_t c) {
  std::string bytes;
  if (!AppendSjis(bytes, c) || bytes.empty()) bytes = "\x81\xac";
  return bytes;
}

// Each note's range on the text's characters, the list sorted by its start.
template <typename Notes>
void RequireRanges(const Notes& notes, const std::vector<bool>& starts) {
  std::uint32_t last = 0;
  for (const auto& n : notes) {
    Require(n.Begin < n.End && n.End < starts.size() && starts[n.Begin] && starts[n.End]);
    Require(n.Begin >= last);
    last = n.Begin;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  LooksLikeAozora(text);
  const TAozoraText book = ReadAozora(text, StoreOrGeta);

  std::size_t total = 0;
  for (const std::string& line : book.Lines) total += line.size();
  std::vector<bool> starts(total + 1, false), lineStarts(total + 1, false);
  std::size_t offset = 0;
  for (const std::string& line : book.Lines) {
    lineStarts[offset] = true;
    Require(WholeCharacters(line, &starts, offset));
    offset += line.size();
  }
  starts[total] = lineStarts[total] = true;
  Require(book.Report.Replaced <= size);

  const TBookNotes& notes = book.Notes;
  RequireRanges(notes.Ruby, starts);
  RequireRanges(notes.Marks, starts);
  RequireRanges(notes.Upright, starts);
  RequireRanges(notes.Headings, starts);
  for (const auto& ruby : notes.Ruby)
    Require(!ruby.Reading.empty() && WholeCharacters(ruby.Reading, nullptr, 0));
  for (const auto& upright : notes.Upright) Require(upright.End - upright.Begin <= 4);
  std::uint32_t last = 0;
  for (const auto& form : notes.LineForms) {
    Require(form.LineStart < total && lineStarts[form.LineStart] && form.LineStart >= last);
    last = form.LineStart;
  }
  last = 0;
  for (std::uint32_t at : notes.PageBreaks) {
    Require(at < total && lineStarts[at] && at >= last);
    last = at;
  }
  last = 0;
  for (const auto& picture : notes.Pictures) {
    Require(picture.At <= total && lineStarts[picture.At] && picture.At >= last);
    Require(!picture.FileName.empty());
    last = picture.At;
  }
  return 0;
}
