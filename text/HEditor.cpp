#include "text/HEditor.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "base/Errors.h"
#include "text/Sjis.h"
#include "text/TextFile.h"

namespace {

// Lines are found by 32-bit offsets; a text never comes near this (files are
// limited to kMaxTextFileBytes, and replacement at most multiplies that by 8).
constexpr std::size_t kMaxTextBytes = UINT32_MAX;

// The page model pads a text with at most 12 lines; room for them is kept so
// that padding never copies the line offsets, nor a text the store has just
// made (the lines hold one ideographic space, 2 bytes).
constexpr std::size_t kPadRoom = 16;
constexpr std::size_t kPadTextRoom = 2 * kPadRoom;

void CheckTextSize(std::size_t size) {
  if (size > kMaxTextBytes) throw std::length_error("the text is too long for the line store");
}

// The size of a loaded text as the store holds it after the character
// replacement (kMaxLoadedTextBytes): what Split keeps, with each tab widened.
std::size_t ExpandedSize(std::string_view text) {
  text = text.substr(0, text.find('\x1A'));
  const auto count = [&](char c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
  };
  return text.size() - count('\r') - count('\n') + (kExpandedTabBytes - 1) * count('\t');
}

std::string TooLongOnceExpandedReason() {
  return "タブを空白に広げると " + std::to_string(kMaxLoadedTextBytes >> 20) +
         " MB を超えるため読めません";
}

TWrapRules RulesOf(const TWrapOption& o, int tabSpaceCount) {
  TWrapRules r;
  r.WrapByte = o.WrapByte;
  r.TabSpaceCount = tabSpaceCount;
  r.FollowRetMark = o.FollowRetMark;
  r.FollowPunctuation = o.FollowPunctuation;
  r.Leading = o.Leading;
  r.WordBreak = o.WordBreak;
  r.Follow = TCharSet(o.FollowStr);
  r.Lead = TCharSet(o.LeadStr);
  r.Punctuation = TCharSet(o.PunctuationStr);
  return r;
}

}  // namespace

// ---------------------------------------------------------------- TEditorStrings

bool TEditorStrings::Split(std::string text, bool loaded) {
  if (loaded) text.resize(std::min(text.size(), text.find('\x1A')));
  std::size_t lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
      ++lines;
  }
  const bool unterminated = !text.empty() && text.back() != '\n' && text.back() != '\r';
  lines += unterminated;
  ends_.clear();
  ends_.shrink_to_fit();
  ends_.reserve(lines + kPadRoom);
  // The lines move down over their own line breaks.
  char* const p = text.data();
  const std::size_t n = text.size();
  std::size_t w = 0;
  for (std::size_t r = 0; r < n; ++r) {
    const char c = p[r];
    if (c == '\r' || c == '\n') {
      ends_.push_back(static_cast<std::uint32_t>(w));
      if (c == '\r' && r + 1 < n && p[r + 1] == '\n') ++r;
    } else {
      p[w++] = (loaded && c == '\0') ? ' ' : c;
    }
  }
  if (unterminated) ends_.push_back(static_cast<std::uint32_t>(w));
  text.resize(w);
  if (text.capacity() - w > w / 4) text.shrink_to_fit();
  text_ = std::move(text);
  return unterminated;
}

void TEditorStrings::Clear() {
  text_.clear();
  text_.shrink_to_fit();
  ends_.clear();
  ends_.shrink_to_fit();
  lastUnterminated_ = false;
  carried_ = {};
  owner_.LinesChanged();
}

TEncodingReport TEditorStrings::LoadFromFile(const std::string& path, TTextEncoding encoding) {
  TDecodedText decoded = LoadTextFile(path, encoding);
  if (ExpandedSize(decoded.Bytes) > kMaxLoadedTextBytes)
    throw EFileError::CannotOpen(path, TooLongOnceExpandedReason());
  CheckTextSize(decoded.Bytes.size());
  lastUnterminated_ = Split(std::move(decoded.Bytes), true) && !ends_.empty();
  carried_ = std::move(decoded.Carried);
  owner_.LinesChanged();
  return decoded.Report;
}

void TEditorStrings::SetText(std::string_view text, TCarriedChars carried) {
  text = text.substr(0, std::min(text.size(), text.find('\0')));
  CheckTextSize(text.size());
  Split(std::string(text), false);
  lastUnterminated_ = false;
  carried_ = std::move(carried);
  owner_.LinesChanged();
}

std::string TEditorStrings::GetText() const {
  std::string text;
  text.reserve(text_.size() + 2 * ends_.size());
  for (std::size_t i = 0; i < ends_.size(); ++i) {
    text += Line(i);
    text += "\r\n";
  }
  if (lastUnterminated_) text.resize(text.size() - 2);
  return text;
}

// ---------------------------------------------------------------- TEditor

TEditor::TEditor() : rules_(RulesOf(wrap_, tabSpaceCount_)) {}

// Cut j starts row cuts_[j].line + j + 1: the rows before it are one per
// earlier line plus one per earlier cut. So the cuts at or before a row are
// found by a binary search, and the row's line follows from their count.
TEditor::RowPlace TEditor::Locate(std::size_t row) const {
  const Cut* const first = cuts_.data();
  const Cut* const after = std::partition_point(first, first + cuts_.size(), [&](const Cut& c) {
    return c.line + static_cast<std::size_t>(&c - first) + 1 <= row;
  });
  const auto before = static_cast<std::size_t>(after - first);
  RowPlace place{};
  const bool atCut = before > 0 && after[-1].line + before == row;
  place.line = atCut ? after[-1].line : row - before;
  place.begin = atCut ? after[-1].offset : 0;
  place.endsLine = after == first + cuts_.size() || after->line != place.line;
  place.end = place.endsLine ? Lines.Line(place.line).size() : after->offset;
  return place;
}

std::string_view TEditor::Rows(int i) const {
  if (i < 0 || i >= RowCount()) return {};
  const RowPlace p = Locate(static_cast<std::size_t>(i));
  return Lines.Line(p.line).substr(p.begin, p.end - p.begin);
}

TRowEnd TEditor::RowEnd(int i) const {
  if (i < 0 || i >= RowCount()) return TRowEnd::LineEnd;
  if (i == RowCount() - 1 && Lines.lastUnterminated_) return TRowEnd::Unterminated;
  return Locate(static_cast<std::size_t>(i)).endsLine ? TRowEnd::LineEnd : TRowEnd::Continues;
}

void TEditor::LayRowsAsLines(std::size_t padLines, std::string_view padLine) {
  auto& ends = Lines.ends_;
  if (pending_) {
    ends.clear();  // no rows while updates are suspended
    Lines.text_.clear();
  }
  const std::size_t lineCount = ends.size();
  const std::size_t rowCount = lineCount + cuts_.size();
  if (ends.capacity() < rowCount + padLines) ends.reserve(rowCount + padLines + kPadRoom);
  ends.resize(rowCount);
  // Rows keep their bytes where they are; only the ends change. Filled from
  // the back, each line's ends are read before anything below them is written
  // (its rows sit at indexes at or above its own).
  std::size_t cut = cuts_.size();
  for (std::size_t line = lineCount; line-- > 0;) {
    const std::uint32_t start = line == 0 ? 0 : ends[line - 1];
    ends[line + cut] = ends[line];
    while (cut > 0 && cuts_[cut - 1].line == line) {
      --cut;
      ends[line + cut] = start + cuts_[cut].offset;
    }
  }
  if (padLines == 0 && !ends.empty() && ends.back() == Lines.Start(ends.size() - 1))
    ends.pop_back();
  CheckTextSize(Lines.text_.size() + padLines * padLine.size());
  // At most one copy of the text, at its final size, rather than a doubling.
  Lines.text_.reserve(Lines.text_.size() + padLines * padLine.size());
  for (std::size_t i = 0; i < padLines; ++i) {
    Lines.text_ += padLine;
    ends.push_back(static_cast<std::uint32_t>(Lines.text_.size()));
  }
  Lines.lastUnterminated_ = false;
  cuts_.clear();
  LinesChanged();
}

void TEditor::SetWordWrap(bool on) {
  wordWrap_ = on;
  LinesChanged();
}

void TEditor::SetWrapOption(const TWrapOption& option) {
  TWrapOption next = option;
  next.WrapByte = std::clamp(next.WrapByte, 20, 250);
  if (next == wrap_) return;
  wrap_ = std::move(next);
  rules_ = RulesOf(wrap_, tabSpaceCount_);
  if (wordWrap_) LinesChanged();
}

void TEditor::SetWrapByte(int wrapByte) {
  TWrapOption next = wrap_;
  next.WrapByte = wrapByte;
  SetWrapOption(next);
}

void TEditor::SetTabSpaceCount(int count) {
  count = std::clamp(count, 2, 8) / 2 * 2;
  if (count == tabSpaceCount_) return;
  tabSpaceCount_ = count;
  rules_.TabSpaceCount = count;
  if (wordWrap_) LinesChanged();
}

void TEditor::BeginUpdate() {
  ++updateDepth_;
}

void TEditor::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0 && pending_) Rebuild();
}

void TEditor::LinesChanged() {
  if (updateDepth_ > 0) {
    // The rows point into lines that have just changed: drop them until the
    // update ends rather than show stale or out-of-range text.
    cuts_.clear();
    pending_ = true;
    return;
  }
  Rebuild();
}

void TEditor::Rebuild() {
  pending_ = false;
  cuts_.clear();
  if (!wordWrap_) return;
  ++wrapCount_;
  std::vector<TRowSpan> spans;
  for (std::size_t li = 0; li < Lines.ends_.size(); ++li) {
    spans.clear();
    WrapLine(Lines.Line(li), rules_, spans);
    // Spans cover their line from its start, one after another.
    for (std::size_t k = 1; k < spans.size(); ++k)
      cuts_.push_back(
          {static_cast<std::uint32_t>(li), static_cast<std::uint32_t>(spans[k].Offset)});
  }
}

// ---------------------------------------------------------------- replacement

std::size_t TEditor::ReplaceAll(std::string_view find, std::string_view replacement) {
  if (find.empty()) return 0;
  const auto breaks = [](std::string_view s) { return s.find_first_of("\r\n") != s.npos; };
  const std::size_t count = (breaks(find) || breaks(replacement))
                                ? ReplaceInText(find, replacement)
                                : ReplaceInLines(find, replacement);
  if (count > 0) LinesChanged();
  return count;
}

// Neither string holds a line break, so no match crosses a line and no line
// splits: each line is replaced on its own, left to right. The matches are
// counted first, so that nothing is copied when there are none and a growing
// text is allocated once at its exact size (a text of tabs grows eightfold;
// growing by doubling could hold twice that at its peak).
std::size_t TEditor::ReplaceInLines(std::string_view find, std::string_view replacement) {
  auto& ends = Lines.ends_;
  const std::string& text = Lines.text_;
  const auto matchesIn = [&](std::string_view line, auto&& each) {
    for (std::size_t at = line.find(find); at != line.npos; at = line.find(find, at + find.size()))
      each(at);
  };
  std::size_t count = 0;
  std::size_t start = 0;
  for (const std::uint32_t end : ends) {
    matchesIn(std::string_view(text).substr(start, end - start), [&](std::size_t) { ++count; });
    start = end;
  }
  if (count == 0) return 0;
  const std::size_t size = text.size() - count * find.size() + count * replacement.size();
  CheckTextSize(size);
  std::string out;
  out.reserve(size + kPadTextRoom);
  start = 0;
  for (std::uint32_t& end : ends) {
    const std::string_view line = std::string_view(text).substr(start, end - start);
    std::size_t from = 0;
    matchesIn(line, [&](std::size_t at) {
      out.append(line.substr(from, at - from));
      out.append(replacement);
      from = at + find.size();
    });
    out.append(line.substr(from));
    start = end;
    end = static_cast<std::uint32_t>(out.size());
  }
  Lines.text_.swap(out);
  return count;
}

std::size_t TEditor::ReplaceInText(std::string_view find, std::string_view replacement) {
  const std::string text = Lines.GetText();
  std::string out;
  std::size_t count = 0;
  std::size_t from = 0;
  for (std::size_t at = text.find(find); at != std::string::npos; at = text.find(find, from)) {
    out.append(text, from, at - from);
    out.append(replacement);
    from = at + find.size();
    ++count;
  }
  if (count == 0) return 0;
  out.append(text, from, std::string::npos);
  CheckTextSize(out.size());
  Lines.lastUnterminated_ = Lines.Split(std::move(out), false) && !Lines.ends_.empty();
  return count;
}

// ---------------------------------------------------------------- settings

namespace {

TWrapOption MainWindowOptions(const char* followUtf8, const char* punctuationUtf8) {
  TWrapOption o;
  o.FollowRetMark = true;
  o.FollowPunctuation = true;
  o.FollowStr = Utf8ToSjis(followUtf8);
  o.Leading = true;
  o.LeadStr = Utf8ToSjis("（［｛「『([{｢《＜<≪");
  o.PunctuationStr = Utf8ToSjis(punctuationUtf8);
  o.WordBreak = true;
  o.WrapByte = 36;
  return o;
}

}  // namespace

void ApplyEditor1Settings(TEditor& editor) {
  static const TWrapOption options = MainWindowOptions(
      "、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ 》＞>≫%％ｧｨｩｪｫｬｭｮｯｰっ",
      "、。，．,.｡､)");
  editor.SetWrapOption(options);
  editor.SetWordWrap(true);
  editor.SetTabSpaceCount(8);
  editor.ReadOnly = true;
}

void ApplyEditor2Settings(TEditor& editor) {
  static const TWrapOption options = MainWindowOptions(
      "、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ 》＞>≫%％", "、。，．,.｡､");
  editor.SetWrapOption(options);
  editor.SetWordWrap(true);
  editor.SetTabSpaceCount(8);
  editor.ReadOnly = true;
}
