#include "text/AozoraCommands.h"

#include <optional>
#include <string>
#include <vector>

#include "text/AozoraChars.h"
#include "text/Sjis.h"

namespace {

using TWhat = TAozoraStyle::TWhat;

constexpr TAozoraStyle MarkStyle(TMarkKind kind) {
  return {TWhat::Mark, kind, THeadingLevel::Medium, TNoteSide::Right};
}
constexpr TAozoraStyle HeadingStyle(THeadingLevel level) {
  return {TWhat::Heading, TMarkKind::Sesame, level, TNoteSide::Right};
}
constexpr TAozoraStyle RubyStyle(TNoteSide side) {
  return {TWhat::Ruby, TMarkKind::Sesame, THeadingLevel::Medium, side};
}

// The styles an annotation may name, one row each. Run-in (同行) and window
// (窓) headings are drawn as the plain heading of their level.
struct TStyleRow {
  const char* Name;  // UTF-8; made code page 932 once
  TAozoraStyle Style;
};
constexpr TStyleRow kStyleRows[] = {
    {"傍点", MarkStyle(TMarkKind::Sesame)},
    {"白ゴマ傍点", MarkStyle(TMarkKind::WhiteSesame)},
    {"丸傍点", MarkStyle(TMarkKind::BlackCircle)},
    {"白丸傍点", MarkStyle(TMarkKind::WhiteCircle)},
    {"黒三角傍点", MarkStyle(TMarkKind::BlackTriangle)},
    {"白三角傍点", MarkStyle(TMarkKind::WhiteTriangle)},
    {"二重丸傍点", MarkStyle(TMarkKind::Bullseye)},
    {"蛇の目傍点", MarkStyle(TMarkKind::FishEye)},
    {"ばつ傍点", MarkStyle(TMarkKind::Cross)},
    {"傍線", MarkStyle(TMarkKind::SolidLine)},
    {"二重傍線", MarkStyle(TMarkKind::DoubleLine)},
    {"鎖線", MarkStyle(TMarkKind::ChainLine)},
    {"破線", MarkStyle(TMarkKind::DashedLine)},
    {"波線", MarkStyle(TMarkKind::WavyLine)},
    {"大見出し", HeadingStyle(THeadingLevel::Large)},
    {"中見出し", HeadingStyle(THeadingLevel::Medium)},
    {"小見出し", HeadingStyle(THeadingLevel::Small)},
    {"同行大見出し", HeadingStyle(THeadingLevel::Large)},
    {"同行中見出し", HeadingStyle(THeadingLevel::Medium)},
    {"同行小見出し", HeadingStyle(THeadingLevel::Small)},
    {"窓大見出し", HeadingStyle(THeadingLevel::Large)},
    {"窓中見出し", HeadingStyle(THeadingLevel::Medium)},
    {"窓小見出し", HeadingStyle(THeadingLevel::Small)},
    {"縦中横", {TWhat::Upright, TMarkKind::Sesame, THeadingLevel::Medium, TNoteSide::Right}},
};

// The words of the notation, in code page 932, made once.
struct TWords {
  std::vector<std::pair<std::string, TAozoraStyle>> Styles;
  std::vector<std::string> PageBreaks;
  std::string BodyEnd, From, Until, End, Left, Ni, Wa, LeftOf, RubyAttached, OfRuby, OfRubyAttached,
      Enters, Indent, FromTop, Wrapped, TopFirst, Foot, FromFoot, Raise;
};

const TWords& Words() {
  static const TWords words = [] {
    TWords w;
    for (const TStyleRow& row : kStyleRows) w.Styles.emplace_back(Utf8ToSjis(row.Name), row.Style);
    for (const char* name : {"改ページ", "改丁", "改見開き", "改段"})
      w.PageBreaks.push_back(Utf8ToSjis(name));
    w.BodyEnd = Utf8ToSjis("本文終わり");
    w.From = Utf8ToSjis("ここから");
    w.Until = Utf8ToSjis("ここで");
    w.End = Utf8ToSjis("終わり");
    w.Left = Utf8ToSjis("左に");
    w.Ni = Utf8ToSjis("に");
    w.Wa = Utf8ToSjis("は");
    w.LeftOf = Utf8ToSjis("の左に");
    w.RubyAttached = Utf8ToSjis("ルビ付き");
    w.OfRuby = Utf8ToSjis("のルビ");
    w.OfRubyAttached = Utf8ToSjis("のルビ付き");
    w.Enters = Utf8ToSjis("入る");
    w.Indent = Utf8ToSjis("字下げ");
    w.FromTop = Utf8ToSjis("天から");
    w.Wrapped = Utf8ToSjis("折り返して");
    w.TopFirst = Utf8ToSjis("改行天付き");
    w.Foot = Utf8ToSjis("地付き");
    w.FromFoot = Utf8ToSjis("地から");
    w.Raise = Utf8ToSjis("字上げ");
    return w;
  }();
  return words;
}

// Takes word from the front of s when it is there. s starts on a character
// boundary and word is whole characters, so what is left does too.
bool Eat(std::string_view& s, std::string_view word) {
  if (s.substr(0, word.size()) != word) return false;
  s.remove_prefix(word.size());
  return true;
}

// Takes word from the end of s when it ends s as whole characters.
bool EatTail(std::string_view& s, std::string_view word) {
  if (!EndsWithChars(s, word)) return false;
  s.remove_suffix(word.size());
  return true;
}

// A number of one to three digits, full-width or ASCII, cut to kMaxIndentCells.
std::optional<std::uint8_t> EatNumber(std::string_view& s) {
  unsigned value = 0;
  int digits = 0;
  while (digits < 3) {
    if (!s.empty() && s[0] >= '0' && s[0] <= '9') {
      value = value * 10 + static_cast<unsigned>(s[0] - '0');
      s.remove_prefix(1);
    } else if (s.size() >= 2 && static_cast<unsigned char>(s[0]) == 0x82 &&
               static_cast<unsigned char>(s[1]) >= 0x4F &&
               static_cast<unsigned char>(s[1]) <= 0x58) {
      value = value * 10 + (static_cast<unsigned char>(s[1]) - 0x4F);  // ０-９
      s.remove_prefix(2);
    } else {
      break;
    }
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return static_cast<std::uint8_t>(value > kMaxIndentCells ? kMaxIndentCells : value);
}

// 「…」 at the front of s: its inside, with s moved past the 」 that closes
// it. Quotes nest; inside ［］ (an external character's note) they are not
// counted.
std::optional<std::string_view> EatQuoted(std::string_view& s) {
  if (!HasAt(s, 0, kQuoteOpen)) return std::nullopt;
  int quotes = 0, brackets = 0;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = CharLength(s, i);
    if (n == 2) {
      if (HasAt(s, i, kBracketOpen)) ++brackets;
      if (HasAt(s, i, kBracketClose) && brackets > 0) --brackets;
      if (brackets == 0 && HasAt(s, i, kQuoteOpen)) ++quotes;
      if (brackets == 0 && HasAt(s, i, kQuoteClose) && --quotes == 0) {
        const std::string_view inside = s.substr(kQuoteOpen.size(), i - kQuoteOpen.size());
        s.remove_prefix(i + n);
        return inside;
      }
    }
    i += n == 0 ? 1 : n;
  }
  return std::nullopt;
}

// A style named by the whole of s.
std::optional<TAozoraStyle> FindStyle(std::string_view s) {
  for (const auto& [name, style] : Words().Styles)
    if (s == name) return style;
  return std::nullopt;
}

// A style named by s, [左に] before it (only emphasis has a left side).
std::optional<TAozoraStyle> FindSidedStyle(std::string_view s) {
  const bool left = Eat(s, Words().Left);
  auto style = FindStyle(s);
  if (!style || (left && style->What != TWhat::Mark)) return std::nullopt;
  style->Side = left ? TNoteSide::Left : TNoteSide::Right;
  return style;
}

TAnnotation Make(TAnnotation::TKind kind, std::uint8_t first = 0, std::uint8_t rest = 0) {
  TAnnotation a;
  a.Kind = kind;
  a.First = first;
  a.Rest = rest;
  return a;
}

TAnnotation WithStyle(TAnnotation::TKind kind, const TAozoraStyle& style) {
  TAnnotation a = Make(kind);
  a.Style = style;
  return a;
}

// N字下げ or 天からN字下げ, whole.
std::optional<std::uint8_t> EatIndent(std::string_view& s) {
  std::string_view t = s;
  Eat(t, Words().FromTop);
  const auto n = EatNumber(t);
  if (!n || !Eat(t, Words().Indent)) return std::nullopt;
  s = t;
  return n;
}

// 地付き (0) or 地からN字上げ (N).
std::optional<std::uint8_t> EatFoot(std::string_view& s) {
  if (Eat(s, Words().Foot)) return 0;
  std::string_view t = s;
  if (!Eat(t, Words().FromFoot)) return std::nullopt;
  const auto n = EatNumber(t);
  if (!n || !Eat(t, Words().Raise)) return std::nullopt;
  s = t;
  return n;
}

// After ここから.
TAnnotation ParseBlockStart(std::string_view s) {
  const TWords& w = Words();
  // Openers may go on after a comma with clauses of their own (one real book
  // has ここから２字下げ、「レ一二」は返り点); the indent is what is kept.
  if (Eat(s, w.TopFirst)) {
    const auto rest = Eat(s, kComma) && Eat(s, w.Wrapped) ? EatIndent(s) : std::nullopt;
    if (!rest) return Make(TAnnotation::TKind::Unknown);
    return Make(TAnnotation::TKind::IndentBlock, 0, *rest);
  }
  if (const auto first = EatIndent(s)) {
    std::uint8_t rest = *first;
    std::string_view t = s;
    if (Eat(t, kComma) && Eat(t, w.Wrapped))
      if (const auto wrapped = EatIndent(t)) rest = *wrapped;
    return Make(TAnnotation::TKind::IndentBlock, *first, rest);
  }
  if (const auto raise = EatFoot(s); raise && s.empty())
    return Make(TAnnotation::TKind::FootBlock, *raise);
  if (const auto style = FindStyle(s); style && style->What == TWhat::Heading)
    return WithStyle(TAnnotation::TKind::StyleBlock, *style);
  return Make(TAnnotation::TKind::Unknown);
}

// After ここで, 終わり taken off.
TAnnotation ParseBlockEnd(std::string_view s) {
  const TWords& w = Words();
  if (s == w.Indent) return Make(TAnnotation::TKind::IndentBlockEnd);
  if (s == w.Foot || s == w.Raise) return Make(TAnnotation::TKind::FootBlockEnd);
  if (const auto style = FindStyle(s); style && style->What == TWhat::Heading)
    return WithStyle(TAnnotation::TKind::StyleBlockEnd, *style);
  return Make(TAnnotation::TKind::Unknown);
}

// An inline closer, 終わり taken off: a style, or a ruby with its reading.
TAnnotation ParseStyleEnd(std::string_view s) {
  const TWords& w = Words();
  std::string_view t = s;
  const bool left = Eat(t, w.Left);
  if (const auto reading = EatQuoted(t); reading && t == w.OfRubyAttached) {
    TAnnotation a = WithStyle(TAnnotation::TKind::StyleEnd,
                              RubyStyle(left ? TNoteSide::Left : TNoteSide::Right));
    a.Reading = *reading;
    return a;
  }
  if (const auto style = FindSidedStyle(s)) return WithStyle(TAnnotation::TKind::StyleEnd, *style);
  return Make(TAnnotation::TKind::Unknown);
}

// [左に]ルビ付き: a ruby over the text up to its closer, which names the reading.
std::optional<TNoteSide> RubyOpener(std::string_view s) {
  const bool left = Eat(s, Words().Left);
  if (s != Words().RubyAttached) return std::nullopt;
  return left ? TNoteSide::Left : TNoteSide::Right;
}

// 「T」 followed by what to do with it.
TAnnotation ParseReference(std::string_view s) {
  const TWords& w = Words();
  const auto target = EatQuoted(s);
  if (!target || target->empty()) return Make(TAnnotation::TKind::Unknown);
  TNoteSide side = TNoteSide::Right;
  if (Eat(s, w.LeftOf))
    side = TNoteSide::Left;
  else if (!Eat(s, w.Ni) && !Eat(s, w.Wa))
    return Make(TAnnotation::TKind::Unknown);
  TAnnotation a = Make(TAnnotation::TKind::Reference);
  a.Target = *target;
  if (const auto reading = EatQuoted(s)) {
    if (s != w.OfRuby) return Make(TAnnotation::TKind::Unknown);  // glosses and side notes
    a.Style = RubyStyle(side);
    a.Reading = *reading;
    return a;
  }
  const auto style = FindStyle(s);
  if (!style || (side == TNoteSide::Left && style->What != TWhat::Mark))
    return Make(TAnnotation::TKind::Unknown);
  a.Style = *style;
  a.Style.Side = side;
  return a;
}

// …（F、…）入る, 入る taken off: the file name F of the last parenthesis.
std::optional<std::string_view> PictureFile(std::string_view s) {
  if (!EatTail(s, kParenClose)) return std::nullopt;
  // The （ that opens the last group: parentheses nest in the description.
  std::vector<std::size_t> opens;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = CharLength(s, i);
    if (n == 2 && HasAt(s, i, kParenOpen)) opens.push_back(i);
    if (n == 2 && HasAt(s, i, kParenClose) && !opens.empty()) opens.pop_back();
    i += n == 0 ? 1 : n;
  }
  if (opens.empty()) return std::nullopt;
  std::string_view name = s.substr(opens.back() + kParenOpen.size());
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t n = CharLength(name, i);
    if (n == 2 && HasAt(name, i, kComma)) {
      name = name.substr(0, i);
      break;
    }
    i += n == 0 ? 1 : n;
  }
  // A file name in the book's archive: printable ASCII with an extension.
  if (name.empty() || name.find('.') == std::string_view::npos) return std::nullopt;
  for (char c : name)
    if (c < 0x21 || c > 0x7E) return std::nullopt;
  return name;
}

}  // namespace

std::size_t TAozoraStyle::Slot() const {
  const std::size_t side = Side == TNoteSide::Left ? 1 : 0;
  switch (What) {
    case TWhat::Mark:
      return static_cast<std::size_t>(Mark) * 2 + side;
    case TWhat::Heading:
      return 28 + static_cast<std::size_t>(Level);
    case TWhat::Upright:
      return 31;
    case TWhat::Ruby:
      return 32 + side;
    case TWhat::None:
      break;
  }
  return 0;
}

TAnnotation ParseAnnotation(std::string_view s) {
  const TWords& w = Words();
  if (s == w.BodyEnd) return Make(TAnnotation::TKind::BodyEnd);
  for (const std::string& name : w.PageBreaks)
    if (s == name) return Make(TAnnotation::TKind::PageBreak);
  if (std::string_view t = s; EatTail(t, w.Enters)) {
    if (const auto file = PictureFile(t)) {
      TAnnotation a = Make(TAnnotation::TKind::Picture);
      a.FileName = *file;
      return a;
    }
  }
  if (Eat(s, w.From)) return ParseBlockStart(s);
  if (std::string_view t = s; EatTail(t, w.End))
    return Eat(t, w.Until) ? ParseBlockEnd(t) : ParseStyleEnd(t);
  if (HasAt(s, 0, kQuoteOpen)) return ParseReference(s);
  if (const auto side = RubyOpener(s))
    return WithStyle(TAnnotation::TKind::StyleStart, RubyStyle(*side));
  if (const auto style = FindSidedStyle(s))
    return WithStyle(TAnnotation::TKind::StyleStart, *style);
  std::string_view t = s;
  if (const auto indent = EatIndent(t); indent && t.empty())
    return Make(TAnnotation::TKind::Indent, *indent, *indent);
  t = s;
  if (const auto raise = EatFoot(t); raise && t.empty())
    return Make(TAnnotation::TKind::Foot, *raise);
  return Make(TAnnotation::TKind::Unknown);
}
