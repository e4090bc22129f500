#pragma once
// What one annotation ［＃…］ of Aozora notation says, read from the text
// between ［＃ and its ］ (code-page-932 bytes). The forms understood:
//
//   改ページ 改丁 改見開き 改段                       PageBreak
//   N字下げ, 天からN字下げ                            Indent (this line)
//   地付き, 地からN字上げ                             Foot (the text after it)
//   ここからN字下げ[、折り返してM字下げ][、…]         IndentBlock
//   ここから改行天付き、折り返してN字下げ[、…]        IndentBlock (First 0)
//   ここで字下げ終わり                                IndentBlockEnd
//   ここから地付き, ここから地からN字上げ             FootBlock
//   ここで地付き終わり, ここで字上げ終わり            FootBlockEnd
//   ここからS, ここでS終わり                          StyleBlock(End), S a heading
//   S, [左に]S / S終わり, [左に]S終わり               StyleStart / StyleEnd
//   [左に]ルビ付き / [左に]「R」のルビ付き終わり      StyleStart / StyleEnd of a ruby
//   「T」はS, 「T」にS, 「T」の左にS                  Reference (S a style)
//   「T」に「R」のルビ, 「T」の左に「R」のルビ        Reference (a ruby)
//   …（F、…）入る                                     Picture (F a file name)
//   本文終わり                                        BodyEnd
//
// S is a style of the table in AozoraCommands.cpp: the nine dot kinds and five
// line kinds of emphasis (the 左に forms on the other side), 大/中/小見出し
// with their 同行 and 窓 forms, and 縦中横. N and M are full-width (or ASCII)
// digits. Anything else is Unknown: annotations the page does not show.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/BookNotes.h"

// A style given to a run of text.
struct TAozoraStyle {
  enum class TWhat : std::uint8_t { None, Mark, Heading, Upright, Ruby };
  TWhat What = TWhat::None;
  TMarkKind Mark = TMarkKind::Sesame;
  THeadingLevel Level = THeadingLevel::Medium;
  TNoteSide Side = TNoteSide::Right;

  // A small number per style, the same for an opener and its closer.
  std::size_t Slot() const;
  static constexpr std::size_t kSlots = 14 * 2 + 3 + 1 + 2;
};

struct TAnnotation {
  enum class TKind : std::uint8_t {
    Unknown,
    PageBreak,
    Indent,
    Foot,
    IndentBlock,
    IndentBlockEnd,
    FootBlock,
    FootBlockEnd,
    StyleStart,
    StyleEnd,
    StyleBlock,
    StyleBlockEnd,
    Reference,
    Picture,
    BodyEnd,
  };
  TKind Kind = TKind::Unknown;
  std::uint8_t First = 0;  // an indent of the first row, or the raise of a foot
  std::uint8_t Rest = 0;   // an indent of the rows a line wraps into
  TAozoraStyle Style;
  // Views into the annotation's text:
  std::string_view Target;    // the quoted text a forward reference applies to
  std::string_view Reading;   // a ruby's reading, as written (it may hold external characters)
  std::string_view FileName;  // an illustration's file
};

// content: the bytes between ［＃ and the matching ］.
TAnnotation ParseAnnotation(std::string_view content);

// The largest indent or raise kept; larger numbers are cut to it.
inline constexpr std::uint8_t kMaxIndentCells = 254;
