#pragma once
// TEditor: the line store. It keeps the logical lines of a text (code-page-932
// bytes) and, beside them, the rows those lines wrap into at WrapByte bytes under
// the kinsoku rules. Rows are rebuilt synchronously on every change of lines or
// wrap options.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/BookNotes.h"
#include "text/Carried.h"
#include "text/Encoding.h"
#include "text/NoteMoves.h"
#include "text/SlotNotes.h"
#include "text/TextFile.h"
#include "text/Wrap.h"

enum class TRowEnd : std::uint8_t {
  LineEnd,      // the row ends its logical line
  Continues,    // soft break: the line goes on in the next row
  Unterminated  // last row of a loaded file's last line, which had no line break
};

struct TWrapOption {
  bool FollowRetMark = true;
  bool FollowPunctuation = true;
  std::string FollowStr;
  bool Leading = true;
  std::string LeadStr;
  std::string PunctuationStr;
  bool WordBreak = true;
  int WrapByte = 80;  // clamped to 20..250
  friend bool operator==(const TWrapOption&, const TWrapOption&) = default;
};

class TEditor;

// The largest text a file may load as, counted as the store will hold it once
// the character replacement has run: without its line breaks, and each tab as
// the 8 bytes of the four ideographic spaces it becomes. The file size limit
// alone does not bound this, since a file of tabs grows eightfold; with both,
// the store's few bytes of memory per byte of text hold for every text.
inline constexpr std::size_t kMaxLoadedTextBytes = kMaxTextFileBytes;
inline constexpr std::size_t kExpandedTabBytes = 8;

// The logical lines of a TEditor. They are kept as one buffer of their bytes,
// one after another, and the offset where each ends: four bytes a line, so a
// text of empty lines costs little more than its own bytes. No line holds a
// CR or an LF.
class TEditorStrings {
 public:
  explicit TEditorStrings(TEditor& owner) : owner_(owner) {}
  void Clear();
  // Replaces all lines by the file's lines: read safely, a .zip as the text
  // inside, converted to code page 932 from the encoding given or detected
  // and refused when binary (LoadTextFile), then split at CR LF, CR or LF;
  // 0x1A ends the text. The characters code page 932 has no form for are
  // carried (Carried()). Throws EFileError when the file cannot be read or is
  // no text, or when its text would exceed kMaxLoadedTextBytes, leaving the
  // lines as they were.
  TEncodingReport LoadFromFile(const std::string& path,
                               TTextEncoding encoding = TTextEncoding::Auto);
  // A book read from a loaded text: its lines and notes. The reader may add
  // to the text's table of carried characters.
  struct TBookLines {
    std::vector<std::string> Lines;
    TBookNotes Notes;
  };
  using TBookReading =
      std::function<std::optional<TBookLines>(std::string_view text, TCarriedChars& carried)>;
  // As above, but a text that is no HTML is first offered to book: what it
  // reads is set as by SetBook, straight from the decoded bytes; when it
  // reads nothing the text is set as above.
  TEncodingReport LoadFromFile(const std::string& path, TTextEncoding encoding,
                               const TBookReading& book);
  // Replaces all lines by the text's lines (split at CR LF, CR or LF; NUL ends
  // it), and the table of carried characters by the one the text comes with.
  void SetText(std::string_view text, TCarriedChars carried = {});
  // Replaces all lines by a book's lines (no CR or LF in them), with its table
  // of carried characters and its notes (offsets into the lines laid end to
  // end). The store sets each line form's LineEnd.
  void SetBook(std::vector<std::string> lines, TCarriedChars carried, TBookNotes notes);
  // Every line followed by CR LF, except the unterminated last line of a loaded file.
  std::string GetText() const;
  int Count() const { return static_cast<int>(ends_.size()); }
  std::string_view operator[](int i) const { return Line(static_cast<std::size_t>(i)); }
  // The last line came from a file that ended without a line break.
  bool LastUnterminated() const { return lastUnterminated_; }
  // What the carried codes of the lines stand for. It follows the text: it is
  // replaced only with the whole text (Clear, LoadFromFile, SetText), and the
  // rows, the replacement and the layout leave it as it is.
  const TCarriedChars& Carried() const { return carried_; }
  // What a book's notation added to the lines (text/BookNotes.h); empty for a
  // plain text. Like the carried table it is replaced only with the whole
  // text, and it follows the bytes through the replacement, the wrap and the
  // layout: its offsets always point into the current lines.
  const TBookNotes& Notes() const { return notes_; }
  const TNoteReach& NoteReach() const { return reach_; }
  // The lines laid end to end, the text the notes' offsets point into, and
  // where line i starts in it.
  std::string_view Text() const { return text_; }
  std::uint32_t Offset(int i) const {
    return static_cast<std::uint32_t>(Start(static_cast<std::size_t>(i)));
  }

 private:
  friend class TEditor;
  std::size_t Start(std::size_t i) const { return i == 0 ? 0 : ends_[i - 1]; }
  std::string_view Line(std::size_t i) const {
    return std::string_view(text_).substr(Start(i), ends_[i] - Start(i));
  }
  // Makes text the lines, split in place. A loaded text also ends at 0x1A and
  // turns NUL into a space. Returns whether the last line had no line break.
  // The owner is not told.
  bool Split(std::string text, bool loaded);

  TEditor& owner_;
  std::string text_;
  std::vector<std::uint32_t> ends_;
  bool lastUnterminated_ = false;
  TCarriedChars carried_;
  TBookNotes notes_;
  TNoteReach reach_;
};

class TEditor {
 public:
  TEditor();
  TEditor(const TEditor&) = delete;
  TEditor& operator=(const TEditor&) = delete;

  TEditorStrings Lines{*this};
  const TCarriedChars& Carried() const { return Lines.Carried(); }

  int RowCount() const { return pending_ ? 0 : Lines.Count() + static_cast<int>(cuts_.size()); }
  // Text of row i; empty outside 0..RowCount()-1.
  std::string_view Rows(int i) const;
  TRowEnd RowEnd(int i) const;
  // The rows become the lines, followed by padLines lines of padLine, as if
  // the rows were set as one text joined with CR LF (so a last empty row with
  // nothing after it is dropped). Done in place, without a second copy.
  void LayRowsAsLines(std::size_t padLines, std::string_view padLine);
  // The rows become the lines, set as pages of columnsPerPage lines: lines of
  // padLine fill the last page, and, for a book, put each row that starts at
  // a page break at the head of a page, and give each picture a page of its
  // own. The notes move with the bytes. Laying out what is laid out already
  // at the same width and page size changes nothing.
  void LayRowsAsPages(int columnsPerPage, std::string_view padLine);

  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  const TWrapOption& WrapOption() const { return wrap_; }
  // Sets every field; clamps WrapByte; re-wraps when anything changed.
  void SetWrapOption(const TWrapOption& option);
  void SetWrapByte(int wrapByte);
  int TabSpaceCount() const { return tabSpaceCount_; }
  void SetTabSpaceCount(int count);  // limited to 2..8, rounded down to even
  bool ReadOnly = false;

  // Suspends and resumes the rebuilding of rows around a series of edits.
  void BeginUpdate();
  void EndUpdate();
  // Replaces every occurrence of find (plain bytes, left to right, not
  // overlapping) in the whole text; the rows are rebuilt unless updates are
  // suspended. Returns the number of replacements.
  std::size_t ReplaceAll(std::string_view find, std::string_view replacement);

  // How many times all lines have been wrapped since the store was made.
  std::size_t WrapCount() const { return wrapCount_; }

 private:
  friend class TEditorStrings;
  // Rows are kept as the places where a line breaks softly: every line has
  // one row, plus one more after each cut. A text whose lines fit its width
  // needs nothing here at all.
  struct Cut {
    std::uint32_t line;
    std::uint32_t offset;  // where the row that starts at the cut begins in its line
  };
  struct RowPlace {
    std::size_t line;
    std::size_t begin;
    std::size_t end;
    bool endsLine;
  };
  RowPlace Locate(std::size_t row) const;
  // Rows are rebuilt at once, or when updates resume if they are suspended.
  void LinesChanged();
  void Rebuild();
  std::size_t ReplaceInLines(std::string_view find, std::string_view replacement);
  std::size_t ReplaceInText(std::string_view find, std::string_view replacement);
  // The row widths of the line starting at offset start, as the line forms
  // the walk has reached (form, moved along by the caller) give them.
  TRowWidths WidthsAt(std::uint32_t start, std::size_t& form) const;
  // Moves the notes over the edits just made to the lines.
  void MoveLineNotes(const std::vector<TByteEdit>& edits);

  std::vector<Cut> cuts_;
  TWrapOption wrap_;
  bool wordWrap_ = true;
  int tabSpaceCount_ = 8;
  TWrapRules rules_;  // made from wrap_ and tabSpaceCount_, so declared after them
  int updateDepth_ = 0;
  std::size_t wrapCount_ = 0;
  bool pending_ = false;
};

// The settings of the two line stores of the main window.
void ApplyEditor1Settings(TEditor& editor);  // the user's text
void ApplyEditor2Settings(TEditor& editor);  // the built-in text
