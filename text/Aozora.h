#pragma once
// Reading a book in Aozora Bunko notation: the text in code-page-932 bytes
// goes in; its clean lines and the notes of what the notation meant
// (text/BookNotes.h) come out. The notation and how each part is read are
// described at the top of Aozora.cpp.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text/BookNotes.h"

// Whether a text is written in the notation: it has the explanation block of
// dashed lines after its header, a line starting with 底本：, or an
// annotation ［＃…］ closed on its line.
bool LooksLikeAozora(std::string_view cp932Text);

struct TAozoraText {
  std::vector<std::string> Lines;  // no CR or LF; whole code-page-932 characters
  TBookNotes Notes;                // offsets into Lines laid end to end
  TNotationReport Report;
};

// The bytes the line store keeps for a Unicode character that an external
// character note, the accent notation or the repetition mark produces: its
// code-page-932 form, a carried code, or 〓 (81 AC). Whole code-page-932
// characters without CR or LF; an empty answer is taken as 〓.
using TStoreChar = std::function<std::string(char32_t)>;

// Reads the whole text. Lone CR, lone LF and CR LF end lines; 0x1A ends the
// text and a NUL byte is read as a space, as the line store loads a file.
// Offsets are 32-bit: the text must be under 2 GB (the line store takes far
// less).
TAozoraText ReadAozora(std::string_view cp932Text, const TStoreChar& storeChar);
