#pragma once
// What a book's notation adds to its text (ruby, emphasis, headings, indents,
// page breaks), kept beside the line store's bytes rather than in them: the
// store, the wrap and the pages keep working on code-page-932 bytes, and these
// notes follow the bytes they belong to.
//
// Every position is a byte offset into the store's text, that is into the
// store's lines laid end to end without line breaks (line i starts where line
// i - 1 ends). The notes never change a byte. They travel with the bytes:
// through a replacement that changes a length (the offsets are moved), through
// wrapping (rows are cuts in lines; a note is found by the offsets a row
// covers) and through laying the rows out as lines (the bytes stay where they
// are). Offsets always fall on character boundaries; Begin < End.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The side a mark or reading is drawn on: Right of a vertical column (above a
// horizontal row), or Left of it (below a horizontal row).
enum class TNoteSide : std::uint8_t { Right, Left };

// Small furigana beside its base: the reading is code-page-932 bytes and may
// hold carried characters of the same text.
struct TRubyNote {
  std::uint32_t Begin = 0, End = 0;  // the base
  std::string Reading;
  TNoteSide Side = TNoteSide::Right;
};

// Emphasis beside each character of a run: the nine dot kinds (傍点) repeat a
// small mark per character; the five line kinds (傍線) draw a line along the run.
enum class TMarkKind : std::uint8_t {
  Sesame,         // ﹅ 傍点
  WhiteSesame,    // ﹆ 白ゴマ傍点
  BlackCircle,    // ● 丸傍点
  WhiteCircle,    // ○ 白丸傍点
  BlackTriangle,  // ▲ 黒三角傍点
  WhiteTriangle,  // △ 白三角傍点
  Bullseye,       // ◎ 二重丸傍点
  FishEye,        // ◉ 蛇の目傍点
  Cross,          // × ばつ傍点
  SolidLine,      // 傍線
  DoubleLine,     // 二重傍線
  ChainLine,      // 鎖線
  DashedLine,     // 破線
  WavyLine,       // 波線
};
inline bool IsLineMark(TMarkKind kind) {
  return kind >= TMarkKind::SolidLine;
}

struct TMarkNote {
  std::uint32_t Begin = 0, End = 0;
  TMarkKind Kind = TMarkKind::Sesame;
  TNoteSide Side = TNoteSide::Right;
};

// Up to four half-width characters set upright side by side in one cell of a
// vertical column (縦中横).
struct TUprightNote {
  std::uint32_t Begin = 0, End = 0;
};

enum class THeadingLevel : std::uint8_t { Large, Medium, Small };  // 大・中・小見出し

// A heading: drawn bold (大見出し in the Gothic face too) and listed so that it
// can be reached from a menu.
struct THeadingNote {
  std::uint32_t Begin = 0, End = 0;
  THeadingLevel Level = THeadingLevel::Medium;
};

// How one logical line is placed in its column(s). Cells are full-width
// character cells (two bytes of the wrap width each).
struct TLineFormNote {
  std::uint32_t LineStart = 0;   // the offset where the logical line starts
  std::uint8_t FirstIndent = 0;  // cells left empty before its first row
  std::uint8_t RestIndent = 0;   // and before each row it wraps into
  // At the foot: each row ends FootRaise cells above the foot of its column
  // (0 = at the foot, 地付き; N = 地からN字上げ); kNoFoot when the line starts
  // at the head as usual.
  std::uint8_t FootRaise = kNoFoot;
  static constexpr std::uint8_t kNoFoot = 0xFF;
  // Where the logical line ends. The reader leaves it 0; the line store sets
  // it when it takes the notes, so that the rows the line wraps into can find
  // their form after the rows have become lines of their own.
  std::uint32_t LineEnd = 0;
};

// Everything the notation added to one text. Each list is sorted by its first
// offset. Lines without a TLineFormNote are placed as usual.
struct TBookNotes {
  std::vector<TRubyNote> Ruby;
  std::vector<TMarkNote> Marks;
  std::vector<TUprightNote> Upright;
  std::vector<THeadingNote> Headings;
  std::vector<TLineFormNote> LineForms;
  // Offsets of line starts where a new page must begin (改ページ, 改丁,
  // 改見開き, 改段). An offset may repeat: each time is one more page, so two
  // breaks in a row leave an empty page. Empty lines share the offset of the
  // line after them; a break at that offset comes before the first of them.
  std::vector<std::uint32_t> PageBreaks;
  // Illustrations: a picture on a page of its own before the line starting at
  // At, by its file name in the book's archive (［＃…（fig….png…）入る］). At
  // is the size of the text for a picture after the last line.
  struct TPicture {
    std::uint32_t At = 0;
    std::string FileName;
  };
  std::vector<TPicture> Pictures;

  bool Empty() const {
    return Ruby.empty() && Marks.empty() && Upright.empty() && Headings.empty() &&
           LineForms.empty() && PageBreaks.empty() && Pictures.empty();
  }
};

// What reading the notation did, for the status line.
struct TNotationReport {
  std::size_t Applied = 0;     // annotations and rubies honoured
  std::size_t NotApplied = 0;  // annotations not understood, or understood but not drawn
  // Bytes that are no code-page-932 character (a lead byte without its trail
  // byte, a pair or byte no character has), each shown as 〓.
  std::size_t Replaced = 0;
};
