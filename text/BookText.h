#pragma once
// A loaded text read as a book in Aozora Bunko notation: the notation taken
// out of the line store's text and kept as its notes (text/BookNotes.h).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/BookNotes.h"
#include "text/Encoding.h"

class TEditor;

// When a text is read as a book: Auto when it looks like one (LooksLikeAozora),
// On always, Off never (the text is shown as it is, notation and all).
enum class TAozoraMode : std::uint8_t { Auto, On, Off };

// "auto", "on" or "off"; nothing for any other name.
std::optional<TAozoraMode> AozoraModeNamed(std::string_view name);

// What reading a book did.
struct TBookRead {
  TNotationReport Report;
  std::size_t Carried = 0;  // characters the notation named that are carried in the table
  std::size_t Getas = 0;    // ... that became 〓, the table being full
};

// Reads the store's text as a book when the mode says so: its lines become the
// clean lines, the notes are set beside them, and the characters the notation
// names join the text's table of carried characters. Nothing when the text is
// left as it was.
std::optional<TBookRead> ReadBookNotation(TEditor& editor, TAozoraMode mode);

// Loads the file into the store as TEditorStrings::LoadFromFile does, read
// as a book when the mode says so, straight from its decoded bytes; read says
// what reading did (none when the text was set as it is). An HTML text is
// set as it is: its tags go first (PLoadLines), then ReadBookNotation.
TEncodingReport LoadBookFile(TEditor& editor, const std::string& path, TTextEncoding encoding,
                             TAozoraMode mode, std::optional<TBookRead>& read);

// The status line after a book was read: how many annotations were honoured
// and how many were not.
std::string NotationMessage(const TNotationReport& report);
