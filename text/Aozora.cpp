#include "text/Aozora.h"

// The notation, as this reader takes it (code-page-932 bytes; the marks are
// full-width characters):
//
//   text        = line *( (CR LF | CR | LF) line ), up to the first 0x1A
//   book        = header [explanation] body [footer]
//   header      = the lines before the first empty line (title, author ...);
//                 read like the body
//   explanation = a dashed line (ten or more '-' and nothing else) that is the
//                 first non-empty line after the header and is followed by a
//                 line starting with 【, through the next dashed line; dropped,
//                 and never read as notation
//   footer      = from the first line starting with 底本： or the line after
//                 ［＃本文終わり］ to the end; plain text, and every block
//                 still open ends where it starts
//   line        = *( ruby | annotation | gaiji | kunoji | accent | character )
//   ruby        = [｜] base 《 reading 》 with a reading on the same line
//   annotation  = ［＃ content ］, the ］ found by the depth of ［ and ］
//   gaiji       = ※ annotation: an external character
//   kunoji      = ／ [″] ＼: the two-cell repetition mark
//   accent      = 〔 ASCII 〕 holding an accented letter (AozoraChars.h)
//
// Anything else, and each of the above that is not whole (a 《 without its 》,
// a ［＃ without its ］, an empty 《》, a ｜ without ruby), is text. Bytes
// that are no character are shown as 〓, and the text after them is read on:
// a lead byte not followed by a trail byte (the next byte is read afresh), a
// pair no character has, a byte of none.
//
// Each line is read once, left to right. What a note needs from before (the
// base of a ruby, the text a forward reference names) is taken from the output
// of the current line, kept with its character boundaries; searches for a
// closing 》 or ］ are remembered, so no part of a line is scanned more than a
// few times.
//
// A line whose source is not empty but whose output is (it held only
// annotations, like ［＃改ページ］ or ［＃ここから２字下げ］) is dropped, so
// that it takes no column; a line empty in the source stays.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "text/AozoraChars.h"
#include "text/AozoraCommands.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::uint8_t kNoFoot = TLineFormNote::kNoFoot;

std::vector<std::string_view> SplitLines(std::string_view text) {
  text = text.substr(0, text.find('\x1a'));
  std::vector<std::string_view> lines;
  // The next CR and the next LF, each searched for again only once passed.
  std::size_t cr = text.find('\r'), lf = text.find('\n');
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min({cr, lf, text.size()});
    lines.push_back(text.substr(start, end - start));
    start = end + (end == cr && end + 1 == lf ? 2 : 1);
    if (cr < start) cr = text.find('\r', start);
    if (lf < start) lf = text.find('\n', start);
  }
  return lines;
}

// Whether the n bytes at s[i] are a character of code page 932: a lead byte
// without its trail byte (n 0), a pair no character has, or a byte of none
// (80, A0, FD-FF) are not. Carried codes of the user-defined area are.
bool IsCharacter(std::string_view s, std::size_t i, std::size_t n) {
  return n != 0 && CharClassOf(CharClasses(), s.substr(i, n)) != TCharClass::None;
}

bool IsDashedLine(std::string_view line) {
  return line.size() >= 10 && line.find_first_not_of('-') == npos;
}

// The first and last line of the explanation block (see the grammar above),
// or {npos, npos}.
std::pair<std::size_t, std::size_t> ExplanationBlock(const std::vector<std::string_view>& lines) {
  constexpr std::string_view kLenticular = "\x81\x79";  // 【
  std::size_t i = 0;
  while (i < lines.size() && !lines[i].empty()) ++i;  // the header
  while (i < lines.size() && lines[i].empty()) ++i;
  if (i + 1 >= lines.size() || !IsDashedLine(lines[i]) || !HasAt(lines[i + 1], 0, kLenticular))
    return {npos, npos};
  for (std::size_t last = i + 1; last < lines.size(); ++last)
    if (IsDashedLine(lines[last])) return {i, last};
  return {npos, npos};
}

// Whether the line holds ［＃ and, after it, a ］.
bool HasClosedAnnotation(std::string_view line) {
  bool opened = false;
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t n = CharLength(line, i);
    if (n == 2 && opened && HasAt(line, i, kBracketClose)) return true;
    if (n == 2 && HasAt(line, i, kBracketOpen) && HasAt(line, i + 2, kSharp)) opened = true;
    i += n == 0 ? 1 : n;
  }
  return false;
}

class TBookReader {
 public:
  explicit TBookReader(const TStoreChar& storeChar) : storeChar_(storeChar) {}
  TAozoraText Read(std::string_view text);

 private:
  // One character of the current part of the line: where it starts in the
  // output and in the text as a forward reference quotes it, and its class.
  struct TCell {
    std::uint32_t Out;
    std::uint32_t Quoted;
    TCharClass Class;
  };
  // How the blocks open when a part of a line starts place it.
  struct TForm {
    std::uint8_t First = 0, Rest = 0, Foot = kNoFoot;
    std::optional<THeadingLevel> Heading;
  };

  // Lines.
  void ReadLine(std::string_view source);
  void CopyFooterLine(std::string_view source);
  void StartPart();
  void CommitPart();
  void SplitLine();
  void CloseOpenStyles();
  void Finish();

  // The pieces of a line; each returns where reading goes on, or npos when
  // the piece is not whole and its first character is text.
  std::size_t ReadRubyBar(std::size_t i);
  std::size_t ReadRuby(std::size_t i);
  std::size_t ReadAnnotation(std::size_t i);
  std::size_t ReadGaiji(std::size_t i);
  std::size_t ReadKunoji(std::size_t i);
  std::size_t ReadAccent(std::size_t i);

  void Apply(const TAnnotation& a);
  bool ApplyStyle(const TAozoraStyle& style, std::uint32_t begin, std::uint32_t end,
                  std::string_view reading);
  std::optional<std::uint32_t> TargetStart(std::string_view target) const;
  std::uint32_t ClassRunStart() const;
  bool BarHasRuby(std::size_t from);
  std::string ReadingText(std::size_t begin, std::size_t end);
  std::string GaijiText(std::string_view note);

  void Emit(std::string_view bytes, std::string_view quoted, TCharClass cls);
  void EmitSource(std::size_t i, std::size_t n);
  std::string Store(char32_t c) const;
  std::size_t ClosingBracket(std::size_t open);
  std::size_t RubyClose(std::size_t open);
  void Count(bool applied, std::size_t n = 1) {
    (applied ? out_.Report.Applied : out_.Report.NotApplied) += n;
  }

  const TStoreChar& storeChar_;
  const TCharClasses& classes_ = CharClasses();
  TAozoraText out_;

  // The book so far. Offsets are 32-bit: a text is at most 256 MB and every
  // piece of notation is at most twice as long in the output as in the source.
  std::uint32_t base_ = 0;  // where the current part of a line starts
  std::optional<std::pair<std::uint8_t, std::uint8_t>> indentBlock_;
  std::uint8_t footBlock_ = kNoFoot;
  std::optional<THeadingLevel> headingBlock_;
  std::size_t pendingBreaks_ = 0;
  std::vector<std::string> pendingPictures_;
  bool bodyEnded_ = false;

  // The line being read.
  std::string_view source_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> brackets_;  // matched ［ ］, by ［
  bool bracketsMade_ = false;
  std::size_t rubyCloseFrom_ = npos, rubyCloseAt_ = npos;  // the last search for 》

  // The current part of it: the whole line, unless a foot or a page break
  // inside it starts a new part.
  std::string line_;
  std::string quoted_;
  bool quotedApart_ = false;  // quoted_ is kept (else the quoted text is line_)
  std::vector<TCell> cells_;
  std::uint32_t barrier_ = 0;  // a ruby base without ｜ starts no earlier
  std::optional<std::uint32_t> rubyBar_;
  std::optional<std::pair<std::uint8_t, std::uint8_t>> lineIndent_;
  std::uint8_t lineFoot_ = kNoFoot;
  std::optional<TForm> form_;
  std::array<std::vector<std::uint32_t>, TAozoraStyle::kSlots> open_;
  std::size_t openCount_ = 0;
};

TAozoraText TBookReader::Read(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  const auto [blockFirst, blockLast] = ExplanationBlock(lines);
  bool footer = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (blockFirst != npos && i >= blockFirst && i <= blockLast) continue;
    if (!footer && HasAt(lines[i], 0, kFooterStart)) footer = true;
    if (footer) {
      CopyFooterLine(lines[i]);
    } else {
      ReadLine(lines[i]);
      footer = bodyEnded_;
    }
    if (footer) {
      indentBlock_.reset();
      footBlock_ = kNoFoot;
      headingBlock_.reset();
    }
  }
  Finish();
  return std::move(out_);
}

void TBookReader::ReadLine(std::string_view source) {
  source_ = source;
  brackets_.clear();
  bracketsMade_ = false;
  rubyCloseFrom_ = rubyCloseAt_ = npos;
  StartPart();
  line_.reserve(source.size());
  for (std::size_t i = 0; i < source.size();) {
    const std::size_t n = CharLength(source, i);
    if (n == 2 && static_cast<unsigned char>(source[i]) == 0x81) {
      std::size_t next = npos;
      if (HasAt(source, i, kRubyBar))
        next = ReadRubyBar(i);
      else if (HasAt(source, i, kRubyOpen))
        next = ReadRuby(i);
      else if (HasAt(source, i, kBracketOpen))
        next = ReadAnnotation(i);
      else if (HasAt(source, i, kGaijiMark))
        next = ReadGaiji(i);
      else if (HasAt(source, i, kKunojiTop))
        next = ReadKunoji(i);
      else if (HasAt(source, i, kAccentOpen))
        next = ReadAccent(i);
      if (next != npos) {
        i = next;
        continue;
      }
    }
    EmitSource(i, n);
    i += n == 0 ? 1 : n;
  }
  CloseOpenStyles();
  if (!line_.empty() || source.empty()) CommitPart();
}

void TBookReader::CopyFooterLine(std::string_view source) {
  StartPart();
  for (std::size_t i = 0; i < source.size();) {
    const std::size_t n = CharLength(source, i);
    if (!IsCharacter(source, i, n)) {
      line_ += kGeta;
      ++out_.Report.Replaced;
    } else {
      line_.append(source[i] == '\0' ? " " : source.substr(i, n));
    }
    i += n == 0 ? 1 : n;
  }
  CommitPart();
}

void TBookReader::StartPart() {
  line_.clear();
  quoted_.clear();
  quotedApart_ = false;
  cells_.clear();
  barrier_ = 0;
  rubyBar_.reset();
  lineIndent_.reset();
  lineFoot_ = kNoFoot;
  form_.reset();
}

void TBookReader::CommitPart() {
  const std::uint32_t start = base_;
  for (; pendingBreaks_ > 0; --pendingBreaks_) out_.Notes.PageBreaks.push_back(start);
  for (std::string& name : pendingPictures_)
    out_.Notes.Pictures.push_back({start, std::move(name)});
  pendingPictures_.clear();
  const auto length = static_cast<std::uint32_t>(line_.size());
  if (length > 0 && form_) {
    TLineFormNote form{start, form_->First, form_->Rest, form_->Foot};
    if (lineIndent_) std::tie(form.FirstIndent, form.RestIndent) = *lineIndent_;
    if (lineFoot_ != kNoFoot) form.FootRaise = lineFoot_;
    if (form.FirstIndent != 0 || form.RestIndent != 0 || form.FootRaise != kNoFoot)
      out_.Notes.LineForms.push_back(form);
    if (form_->Heading) out_.Notes.Headings.push_back({start, start + length, *form_->Heading});
  }
  out_.Lines.push_back(std::move(line_));
  line_ = std::string();
  base_ += length;
}

// A foot or a page break inside a line: the text so far is a line of its own,
// and the text after it starts another.
void TBookReader::SplitLine() {
  CloseOpenStyles();
  CommitPart();
  StartPart();
}

// An opener whose closer did not come in its part of the line.
void TBookReader::CloseOpenStyles() {
  if (openCount_ == 0) return;
  for (auto& starts : open_) starts.clear();
  Count(false, openCount_);
  openCount_ = 0;
}

void TBookReader::Finish() {
  // A break after the last text has nothing to start a page with.
  auto& breaks = out_.Notes.PageBreaks;
  while (!breaks.empty() && breaks.back() >= base_) breaks.pop_back();
  for (std::string& name : pendingPictures_)
    out_.Notes.Pictures.push_back({base_, std::move(name)});
  // A note given by a closer or a forward reference may start before one made
  // earlier on its line.
  const auto sort = [](auto& notes) {
    const auto byBegin = [](const auto& a, const auto& b) { return a.Begin < b.Begin; };
    if (!std::is_sorted(notes.begin(), notes.end(), byBegin))
      std::stable_sort(notes.begin(), notes.end(), byBegin);
  };
  sort(out_.Notes.Ruby);
  sort(out_.Notes.Marks);
  sort(out_.Notes.Upright);
  sort(out_.Notes.Headings);
}

// ---- The pieces of a line --------------------------------------------------

std::size_t TBookReader::ReadRubyBar(std::size_t i) {
  if (BarHasRuby(i + kRubyBar.size())) {
    rubyBar_ = static_cast<std::uint32_t>(line_.size());
    return i + kRubyBar.size();
  }
  // A literal ｜ is no base for a ruby that follows it.
  EmitSource(i, kRubyBar.size());
  barrier_ = static_cast<std::uint32_t>(line_.size());
  return i + kRubyBar.size();
}

// Whether a ruby follows the ｜ before `from`: text, then 《 with a reading,
// before the next ｜ and the end of the line.
bool TBookReader::BarHasRuby(std::size_t from) {
  bool text = false;
  for (std::size_t i = from; i < source_.size();) {
    const std::size_t n = CharLength(source_, i);
    if (n == 2 && HasAt(source_, i, kRubyBar)) return false;
    if (n == 2 && HasAt(source_, i, kRubyOpen)) {
      const std::size_t close = RubyClose(i);
      return text && close != npos && close > i + kRubyOpen.size();
    }
    if (n == 2 && HasAt(source_, i, kBracketOpen) && HasAt(source_, i + 2, kSharp)) {
      if (const std::size_t close = ClosingBracket(i); close != npos) {
        i = close + kBracketClose.size();
        continue;
      }
    }
    text = true;
    i += n == 0 ? 1 : n;
  }
  return false;
}

std::size_t TBookReader::ReadRuby(std::size_t i) {
  const std::size_t close = RubyClose(i);
  if (close == npos || close == i + kRubyOpen.size()) return npos;  // no 》, or 《》
  const auto end = static_cast<std::uint32_t>(line_.size());
  const std::uint32_t begin = rubyBar_ ? *rubyBar_ : ClassRunStart();
  if (begin >= end) {
    // ｜ and 《 with only annotations between them: both are text.
    if (rubyBar_) {
      Emit(kRubyBar, kRubyBar, TCharClass::Other);
      rubyBar_.reset();
      barrier_ = static_cast<std::uint32_t>(line_.size());
    }
    return npos;
  }
  // A reading of annotations only is left out with them.
  std::string reading = ReadingText(i + kRubyOpen.size(), close);
  Count(!reading.empty());
  if (!reading.empty())
    out_.Notes.Ruby.push_back({base_ + begin, base_ + end, std::move(reading), TNoteSide::Right});
  rubyBar_.reset();
  barrier_ = end;
  return close + kRubyClose.size();
}

// The start of the base of a ruby written without ｜: the run of characters
// of one class before it, or the one character before it when that is of no
// class; not before the last ruby, annotation or literal ｜ on the line.
std::uint32_t TBookReader::ClassRunStart() const {
  const auto end = static_cast<std::uint32_t>(line_.size());
  if (cells_.empty() || cells_.back().Out < barrier_) return end;
  std::size_t k = cells_.size() - 1;
  const TCharClass cls = cells_[k].Class;
  if (cls != TCharClass::Other)
    while (k > 0 && cells_[k - 1].Class == cls && cells_[k - 1].Out >= barrier_) --k;
  return cells_[k].Out;
}

std::size_t TBookReader::ReadAnnotation(std::size_t i) {
  if (!HasAt(source_, i + kBracketOpen.size(), kSharp)) return npos;
  const std::size_t close = ClosingBracket(i);
  if (close == npos) return npos;
  const std::size_t content = i + kBracketOpen.size() + kSharp.size();
  Apply(ParseAnnotation(source_.substr(content, close - content)));
  barrier_ = static_cast<std::uint32_t>(line_.size());
  return close + kBracketClose.size();
}

std::size_t TBookReader::ReadGaiji(std::size_t i) {
  const std::size_t open = i + kGaijiMark.size();
  if (!HasAt(source_, open, kBracketOpen) || !HasAt(source_, open + kBracketOpen.size(), kSharp))
    return npos;
  const std::size_t close = ClosingBracket(open);
  if (close == npos) return npos;
  const std::size_t note = open + kBracketOpen.size() + kSharp.size();
  const std::size_t next = close + kBracketClose.size();
  // A forward reference quotes an external character as it is written.
  Emit(GaijiText(source_.substr(note, close - note)), source_.substr(i, next - i),
       TCharClass::Kanji);
  return next;
}

// The characters of an external character note, or ※ when it names no code.
std::string TBookReader::GaijiText(std::string_view note) {
  const std::u32string chars = GaijiCharacters(note);
  Count(!chars.empty());
  if (chars.empty()) return std::string(kGaijiMark);
  std::string bytes;
  for (char32_t c : chars) bytes += Store(c);
  return bytes;
}

std::size_t TBookReader::ReadKunoji(std::size_t i) {
  std::size_t lower = i + kKunojiTop.size();
  const bool voiced = HasAt(source_, lower, kKunojiVoiced);
  if (voiced) lower += kKunojiVoiced.size();
  if (!HasAt(source_, lower, kKunojiBottom)) return npos;
  Emit(Store(voiced ? kKunojiUpperVoiced : kKunojiUpper), source_.substr(i, lower - i),
       TCharClass::Hiragana);
  Emit(Store(kKunojiLower), kKunojiBottom, TCharClass::Hiragana);
  return lower + kKunojiBottom.size();
}

std::size_t TBookReader::ReadAccent(std::size_t i) {
  const std::size_t begin = i + kAccentOpen.size();
  std::size_t end = begin;
  while (end < source_.size() && source_[end] >= 0x20 && source_[end] <= 0x7E) ++end;
  if (!HasAt(source_, end, kAccentClose)) return npos;
  const std::string_view ascii = source_.substr(begin, end - begin);
  bool accented = false;
  for (std::size_t k = 0; k < ascii.size() && !accented; ++k)
    accented = AccentedLetterAt(ascii, k).Length > 0;
  if (!accented) return npos;  // 〔〕 as plain brackets
  for (std::size_t k = 0; k < ascii.size();) {
    const TAccentedLetter letter = AccentedLetterAt(ascii, k);
    if (letter.Length == 0) {
      EmitSource(begin + k, 1);
      ++k;
    } else {
      Emit(Store(letter.Letter), ascii.substr(k, letter.Length), TCharClass::Latin);
      k += letter.Length;
    }
  }
  return end + kAccentClose.size();
}

// The text of a reading written from begin to end: external characters
// resolved, annotations left out.
std::string TBookReader::ReadingText(std::size_t begin, std::size_t end) {
  std::string text;
  for (std::size_t i = begin; i < end;) {
    const std::size_t n = CharLength(source_, i);
    if (!IsCharacter(source_, i, n)) {
      text += kGeta;
      ++out_.Report.Replaced;
      i += n == 0 ? 1 : n;
      continue;
    }
    const bool gaiji = HasAt(source_, i, kGaijiMark);
    const std::size_t open = gaiji ? i + kGaijiMark.size() : i;
    if (n == 2 && HasAt(source_, open, kBracketOpen) &&
        HasAt(source_, open + kBracketOpen.size(), kSharp)) {
      const std::size_t close = ClosingBracket(open);
      if (close != npos && close < end) {
        const std::size_t note = open + kBracketOpen.size() + kSharp.size();
        if (gaiji)
          text += GaijiText(source_.substr(note, close - note));
        else
          Count(false);
        i = close + kBracketClose.size();
        continue;
      }
    }
    text.append(source_[i] == '\0' ? " " : source_.substr(i, n));
    i += n;
  }
  return text;
}

// ---- Annotations -----------------------------------------------------------

void TBookReader::Apply(const TAnnotation& a) {
  using TKind = TAnnotation::TKind;
  const auto here = static_cast<std::uint32_t>(line_.size());
  switch (a.Kind) {
    case TKind::PageBreak:
      if (!line_.empty()) SplitLine();
      ++pendingBreaks_;
      return Count(true);
    case TKind::Indent:  // only before the text of its line
      if (!line_.empty()) return Count(false);
      lineIndent_ = {a.First, a.Rest};
      return Count(true);
    case TKind::Foot:
      if (!line_.empty()) SplitLine();
      lineFoot_ = a.First;
      return Count(true);
    case TKind::IndentBlock:  // a new block replaces the open one
      indentBlock_ = {a.First, a.Rest};
      return Count(true);
    case TKind::IndentBlockEnd:
      Count(indentBlock_.has_value());
      indentBlock_.reset();
      return;
    case TKind::FootBlock:
      footBlock_ = a.First;
      return Count(true);
    case TKind::FootBlockEnd:
      Count(footBlock_ != kNoFoot);
      footBlock_ = kNoFoot;
      return;
    case TKind::StyleBlock:
      headingBlock_ = a.Style.Level;
      return Count(true);
    case TKind::StyleBlockEnd:
      Count(headingBlock_.has_value());
      headingBlock_.reset();
      return;
    case TKind::StyleStart:
      open_[a.Style.Slot()].push_back(here);
      ++openCount_;
      return;
    case TKind::StyleEnd: {
      auto& starts = open_[a.Style.Slot()];
      if (starts.empty()) return Count(false);
      const std::uint32_t begin = starts.back();
      starts.pop_back();
      --openCount_;
      return Count(ApplyStyle(a.Style, begin, here, a.Reading), 2);
    }
    case TKind::Reference: {
      const auto begin = TargetStart(a.Target);
      return Count(begin && ApplyStyle(a.Style, *begin, here, a.Reading));
    }
    case TKind::Picture:
      pendingPictures_.emplace_back(a.FileName);
      return Count(true);
    case TKind::BodyEnd:
      bodyEnded_ = true;
      return Count(true);
    case TKind::Unknown:
      return Count(false);
  }
}

bool TBookReader::ApplyStyle(const TAozoraStyle& style, std::uint32_t begin, std::uint32_t end,
                             std::string_view reading) {
  using TWhat = TAozoraStyle::TWhat;
  if (begin >= end) return false;
  TBookNotes& notes = out_.Notes;
  switch (style.What) {
    case TWhat::Mark:
      notes.Marks.push_back({base_ + begin, base_ + end, style.Mark, style.Side});
      return true;
    case TWhat::Heading:
      notes.Headings.push_back({base_ + begin, base_ + end, style.Level});
      return true;
    case TWhat::Upright: {
      // Up to four half-width characters fit one cell.
      const std::string_view run = std::string_view(line_).substr(begin, end - begin);
      for (std::size_t i = 0; i < run.size(); ++i)
        if (CharLength(run, i) != 1) return false;
      if (run.size() > 4) return false;
      notes.Upright.push_back({base_ + begin, base_ + end});
      return true;
    }
    case TWhat::Ruby: {
      const std::size_t at = static_cast<std::size_t>(reading.data() - source_.data());
      std::string text = ReadingText(at, at + reading.size());
      if (text.empty()) return false;
      notes.Ruby.push_back({base_ + begin, base_ + end, std::move(text), style.Side});
      return true;
    }
    case TWhat::None:
      break;
  }
  return false;
}

// Where the text a forward reference quotes starts: it must be the text right
// before the annotation in this part of the line, quoted as Emit keeps it (rubies'
// readings, ｜ and annotations left out, external characters as written).
std::optional<std::uint32_t> TBookReader::TargetStart(std::string_view target) const {
  const std::string& quoted = quotedApart_ ? quoted_ : line_;
  if (target.empty() || target.size() > quoted.size()) return std::nullopt;
  const std::size_t at = quoted.size() - target.size();
  if (quoted.compare(at, target.size(), target) != 0) return std::nullopt;
  const auto cell = std::lower_bound(cells_.begin(), cells_.end(), at,
                                     [](const TCell& c, std::size_t q) { return c.Quoted < q; });
  if (cell == cells_.end() || cell->Quoted != at) return std::nullopt;  // inside a character
  return cell->Out;
}

// ---- Output and searches ---------------------------------------------------

// Appends a character: its bytes, and as a forward reference quotes it (the
// same bytes but for external characters and the like). Until the two first
// differ on a part of a line, the quoted text is the output itself.
void TBookReader::Emit(std::string_view bytes, std::string_view quoted, TCharClass cls) {
  if (!form_) {
    form_ = TForm{};
    if (indentBlock_) std::tie(form_->First, form_->Rest) = *indentBlock_;
    form_->Foot = footBlock_;
    form_->Heading = headingBlock_;
  }
  const bool same = bytes.data() == quoted.data() && bytes.size() == quoted.size();
  if (!same && !quotedApart_) {
    quoted_.assign(line_);
    quotedApart_ = true;
  }
  const auto out = static_cast<std::uint32_t>(line_.size());
  cells_.push_back({out, quotedApart_ ? static_cast<std::uint32_t>(quoted_.size()) : out, cls});
  if (bytes.size() <= 2) {  // most characters: spare the call of a general append
    line_.push_back(bytes[0]);
    if (bytes.size() == 2) line_.push_back(bytes[1]);
  } else {
    line_ += bytes;
  }
  if (quotedApart_) quoted_ += quoted;
}

// The character of n bytes at source_[i] as it stands, or 〓 for bytes that
// are none.
void TBookReader::EmitSource(std::size_t i, std::size_t n) {
  const std::string_view ch = source_.substr(i, n == 0 ? 1 : n);
  const TCharClass cls = n == 0 ? TCharClass::None : CharClassOf(classes_, ch);
  if (cls == TCharClass::None) {
    ++out_.Report.Replaced;
    return Emit(kGeta, ch, TCharClass::Other);
  }
  if (ch[0] == '\0') return Emit(" ", ch, TCharClass::Other);
  Emit(ch, ch, cls);
}

std::string TBookReader::Store(char32_t c) const {
  std::string bytes = storeChar_(c);
  return bytes.empty() ? std::string(kGeta) : bytes;
}

// The ］ matching the ［ at `open`, or npos. All brackets of the line are
// paired once, the first time one is asked for.
std::size_t TBookReader::ClosingBracket(std::size_t open) {
  if (!bracketsMade_) {
    bracketsMade_ = true;
    std::vector<std::uint32_t> opens;
    for (std::size_t i = 0; i < source_.size();) {
      const std::size_t n = CharLength(source_, i);
      if (n == 2 && HasAt(source_, i, kBracketOpen)) opens.push_back(static_cast<std::uint32_t>(i));
      if (n == 2 && HasAt(source_, i, kBracketClose) && !opens.empty()) {
        brackets_.emplace_back(opens.back(), static_cast<std::uint32_t>(i));
        opens.pop_back();
      }
      i += n == 0 ? 1 : n;
    }
    std::sort(brackets_.begin(), brackets_.end());
  }
  const auto pair = std::lower_bound(brackets_.begin(), brackets_.end(),
                                     std::make_pair(static_cast<std::uint32_t>(open), 0u));
  return pair != brackets_.end() && pair->first == open ? pair->second : npos;
}

// The 》 closing the 《 at `open`: the first after it outside annotations, or
// npos. A search that started earlier and ended after `open` has the answer.
std::size_t TBookReader::RubyClose(std::size_t open) {
  if (rubyCloseFrom_ != npos && open >= rubyCloseFrom_ && open < rubyCloseAt_) return rubyCloseAt_;
  rubyCloseFrom_ = open;
  rubyCloseAt_ = npos;
  for (std::size_t i = open + kRubyOpen.size(); i < source_.size();) {
    const std::size_t n = CharLength(source_, i);
    if (n == 2 && HasAt(source_, i, kRubyClose)) return rubyCloseAt_ = i;
    if (n == 2 && HasAt(source_, i, kBracketOpen) && HasAt(source_, i + 2, kSharp)) {
      if (const std::size_t close = ClosingBracket(i); close != npos) {
        i = close + kBracketClose.size();
        continue;
      }
    }
    i += n == 0 ? 1 : n;
  }
  return npos;
}

}  // namespace

bool LooksLikeAozora(std::string_view cp932Text) {
  const std::vector<std::string_view> lines = SplitLines(cp932Text);
  if (ExplanationBlock(lines).first != npos) return true;
  return std::any_of(lines.begin(), lines.end(), [](std::string_view line) {
    return HasAt(line, 0, kFooterStart) || HasClosedAnnotation(line);
  });
}

TAozoraText ReadAozora(std::string_view cp932Text, const TStoreChar& storeChar) {
  return TBookReader(storeChar).Read(cp932Text);
}
