#include "text/HEditor.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "base/Errors.h"
#include "text/NoteMoves.h"
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
  notes_ = {};
  reach_ = {};
  owner_.LinesChanged();
}

TEncodingReport TEditorStrings::LoadFromFile(const std::string& path, TTextEncoding encoding) {
  return LoadFromFile(path, encoding, nullptr);
}

TEncodingReport TEditorStrings::LoadFromFile(const std::string& path, TTextEncoding encoding,
                                             const TBookReading& book) {
  TDecodedText decoded = LoadTextFile(path, encoding);
  if (ExpandedSize(decoded.Bytes) > kMaxLoadedTextBytes)
    throw EFileError::CannotOpen(path, TooLongOnceExpandedReason());
  CheckTextSize(decoded.Bytes.size());
  if (book && !decoded.Report.Html) {
    if (std::optional<TBookLines> read = book(decoded.Bytes, decoded.Carried)) {
      SetBook(std::move(read->Lines), std::move(decoded.Carried), std::move(read->Notes));
      return decoded.Report;
    }
  }
  lastUnterminated_ = Split(std::move(decoded.Bytes), true) && !ends_.empty();
  carried_ = std::move(decoded.Carried);
  notes_ = {};
  reach_ = {};
  owner_.LinesChanged();
  return decoded.Report;
}

void TEditorStrings::SetText(std::string_view text, TCarriedChars carried) {
  text = text.substr(0, std::min(text.size(), text.find('\0')));
  CheckTextSize(text.size());
  Split(std::string(text), false);
  lastUnterminated_ = false;
  carried_ = std::move(carried);
  notes_ = {};
  reach_ = {};
  owner_.LinesChanged();
}

void TEditorStrings::SetBook(std::vector<std::string> lines, TCarriedChars carried,
                             TBookNotes notes) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size();
  CheckTextSize(size);
  std::string text;
  text.reserve(size + kPadTextRoom);
  std::vector<std::uint32_t> ends;
  ends.reserve(lines.size() + kPadRoom);
  for (std::string& line : lines) {
    text += line;
    ends.push_back(static_cast<std::uint32_t>(text.size()));
    std::string().swap(line);  // the book is held once, not twice
  }
  text_ = std::move(text);
  ends_ = std::move(ends);
  lastUnterminated_ = false;
  carried_ = std::move(carried);
  notes_ = std::move(notes);
  SetLineFormEnds(notes_, ends_);
  reach_ = ::NoteReach(notes_);
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

void TEditor::LayRowsAsPages(int columnsPerPage, std::string_view padLine) {
  const std::size_t columns = static_cast<std::size_t>(std::max(columnsPerPage, 1));
  const TBookNotes& notes = Lines.notes_;
  if (pending_ || (notes.PageBreaks.empty() && notes.Pictures.empty())) {
    const std::size_t rows = static_cast<std::size_t>(RowCount());
    LayRowsAsLines(rows % columns == 0 ? 0 : columns - rows % columns, padLine);
    return;
  }

  // The rows, by where they start and end in the text.
  struct TRow {
    std::uint32_t Begin, End;
  };
  std::vector<TRow> rows;
  rows.reserve(static_cast<std::size_t>(RowCount()));
  for (std::size_t line = 0, cut = 0; line < Lines.ends_.size(); ++line) {
    const auto start = static_cast<std::uint32_t>(Lines.Start(line));
    std::uint32_t begin = start;
    for (; cut < cuts_.size() && cuts_[cut].line == line; ++cut) {
      rows.push_back({begin, start + cuts_[cut].offset});
      begin = start + cuts_[cut].offset;
    }
    rows.push_back({begin, Lines.ends_[line]});
  }
  const auto isPad = [&](std::size_t r) {
    return r < rows.size() &&
           std::string_view(Lines.text_).substr(rows[r].Begin, rows[r].End - rows[r].Begin) ==
               padLine;
  };

  // The breaks and pictures in the order of the text, a break before a
  // picture at the same place. Each is taken before the first row starting at
  // or after its offset.
  struct TEvent {
    std::uint32_t At;
    bool Picture;
    std::size_t Index;
  };
  std::vector<TEvent> events;
  for (std::size_t i = 0; i < notes.PageBreaks.size(); ++i)
    events.push_back({notes.PageBreaks[i], false, i});
  for (std::size_t i = 0; i < notes.Pictures.size(); ++i)
    events.push_back({notes.Pictures[i].At, true, i});
  std::stable_sort(events.begin(), events.end(), [](const TEvent& a, const TEvent& b) {
    return a.At < b.At || (a.At == b.At && !a.Picture && b.Picture);
  });
  std::vector<std::uint32_t> breaksAt(notes.PageBreaks.size());
  std::vector<std::uint32_t> picturesAt(notes.Pictures.size());

  std::string text;
  text.reserve(Lines.text_.size() + kPadTextRoom);
  std::vector<std::uint32_t> ends;
  ends.reserve(rows.size() + kPadRoom);
  std::vector<TByteEdit> edits;
  const auto pad = [&](std::size_t count) {
    CheckTextSize(text.size() + count * padLine.size());
    for (; count > 0; --count) {
      text += padLine;
      ends.push_back(static_cast<std::uint32_t>(text.size()));
    }
  };
  const auto toPageHead = [&] { return (columns - ends.size() % columns) % columns; };
  std::size_t next = 0;
  // Takes the events before row r (rows.size(): the end of the text) at
  // offset `at`, and notes what was put in as one edit there.
  const auto takeEvents = [&](std::size_t r, std::uint32_t at) {
    const std::size_t before = text.size();
    for (bool first = true; next < events.size() && (r == rows.size() || events[next].At <= at);
         ++next, first = false) {
      const TEvent& e = events[next];
      if (!e.Picture) {
        // The first break puts the row at the head of a page; each more
        // leaves one more page empty.
        pad(first ? toPageHead() : columns);
        breaksAt[e.Index] = static_cast<std::uint32_t>(text.size());
        continue;
      }
      const bool atHead = toPageHead() == 0;
      pad(toPageHead());
      picturesAt[e.Index] = static_cast<std::uint32_t>(text.size());
      // A page of pad lines at a page's head is the picture's page already.
      bool laidOut = atHead && text.size() == before;
      for (std::size_t k = 0; laidOut && k < columns; ++k) laidOut = isPad(r + k);
      if (!laidOut) pad(columns);
    }
    if (text.size() > before)
      edits.push_back({at, 0, static_cast<std::uint32_t>(text.size() - before)});
  };
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (next < events.size() && events[next].At <= rows[r].Begin) takeEvents(r, rows[r].Begin);
    text.append(Lines.text_, rows[r].Begin, rows[r].End - rows[r].Begin);
    ends.push_back(static_cast<std::uint32_t>(text.size()));
  }
  takeEvents(rows.size(), static_cast<std::uint32_t>(Lines.text_.size()));
  // The last page filled, as LayRowsAsLines fills it.
  const std::size_t fill = toPageHead();
  if (fill == 0 && !ends.empty() && ends.back() == (ends.size() == 1 ? 0 : ends[ends.size() - 2]))
    ends.pop_back();
  pad(fill);

  Lines.text_ = std::move(text);
  Lines.ends_ = std::move(ends);
  Lines.lastUnterminated_ = false;
  cuts_.clear();
  MoveNotes(Lines.notes_, edits);
  Lines.notes_.PageBreaks = std::move(breaksAt);
  for (std::size_t i = 0; i < picturesAt.size(); ++i) Lines.notes_.Pictures[i].At = picturesAt[i];
  Lines.reach_ = ::NoteReach(Lines.notes_);
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
  const bool forms = !Lines.notes_.LineForms.empty();
  std::size_t form = 0;
  for (std::size_t li = 0; li < Lines.ends_.size(); ++li) {
    spans.clear();
    const std::string_view line = Lines.Line(li);
    if (forms && !line.empty()) {
      WrapLine(line, rules_, spans, WidthsAt(static_cast<std::uint32_t>(Lines.Start(li)), form));
    } else {
      WrapLine(line, rules_, spans);
    }
    // Spans cover their line from its start, one after another.
    for (std::size_t k = 1; k < spans.size(); ++k)
      cuts_.push_back(
          {static_cast<std::uint32_t>(li), static_cast<std::uint32_t>(spans[k].Offset)});
  }
}

TRowWidths TEditor::WidthsAt(std::uint32_t start, std::size_t& form) const {
  const auto& forms = Lines.notes_.LineForms;
  const int width = rules_.WrapByte;
  while (form < forms.size() && forms[form].LineEnd <= start) ++form;
  if (form == forms.size() || forms[form].LineStart > start) return {width, width};
  // A row of the line, or (once laid out) a line that was one of its rows.
  const TLineFormNote& f = forms[form];
  const int foot = f.FootRaise == TLineFormNote::kNoFoot ? 0 : f.FootRaise;
  const int first = start == f.LineStart ? f.FirstIndent : f.RestIndent;
  return {width - 2 * (first + foot), width - 2 * (f.RestIndent + foot)};
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
  // The notes move with the bytes after each match.
  std::vector<TByteEdit> edits;
  const bool notes = !Lines.notes_.Empty();
  if (notes) edits.reserve(count);
  start = 0;
  for (std::uint32_t& end : ends) {
    const std::string_view line = std::string_view(text).substr(start, end - start);
    std::size_t from = 0;
    matchesIn(line, [&](std::size_t at) {
      out.append(line.substr(from, at - from));
      out.append(replacement);
      from = at + find.size();
      if (notes)
        edits.push_back({static_cast<std::uint32_t>(start + at),
                         static_cast<std::uint32_t>(find.size()),
                         static_cast<std::uint32_t>(replacement.size())});
    });
    out.append(line.substr(from));
    start = end;
    end = static_cast<std::uint32_t>(out.size());
  }
  Lines.text_.swap(out);
  MoveLineNotes(edits);
  return count;
}

std::size_t TEditor::ReplaceInText(std::string_view find, std::string_view replacement) {
  const std::string text = Lines.GetText();
  std::string out;
  std::size_t count = 0;
  std::size_t from = 0;
  // The notes count offsets without line breaks: a place in the text joined
  // with CR LF is found in the lines by a walk along them, as the matches go.
  const bool notes = !Lines.notes_.Empty();
  std::vector<TByteEdit> edits;
  std::size_t line = 0;
  const auto storeOffset = [&](std::size_t at) -> std::uint32_t {
    const auto& ends = Lines.ends_;
    while (line < ends.size() && ends[line] + 2 * line + 2 <= at) ++line;
    if (line == ends.size()) return static_cast<std::uint32_t>(Lines.text_.size());
    const std::size_t lineAt = Lines.Start(line) + 2 * line;
    return static_cast<std::uint32_t>(
        std::min<std::size_t>(Lines.Start(line) + (at > lineAt ? at - lineAt : 0), ends[line]));
  };
  const auto stored = [](std::string_view s) {
    return static_cast<std::uint32_t>(
        s.size() - static_cast<std::size_t>(std::count_if(
                       s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; })));
  };
  const std::uint32_t inserted = stored(replacement);
  for (std::size_t at = text.find(find); at != std::string::npos; at = text.find(find, from)) {
    out.append(text, from, at - from);
    out.append(replacement);
    from = at + find.size();
    ++count;
    if (notes) {
      const std::uint32_t a = storeOffset(at);
      edits.push_back({a, storeOffset(from) - a, inserted});
    }
  }
  if (count == 0) return 0;
  out.append(text, from, std::string::npos);
  CheckTextSize(out.size());
  Lines.lastUnterminated_ = Lines.Split(std::move(out), false) && !Lines.ends_.empty();
  MoveLineNotes(edits);
  return count;
}

void TEditor::MoveLineNotes(const std::vector<TByteEdit>& edits) {
  if (edits.empty()) return;
  MoveNotes(Lines.notes_, edits);
  Lines.reach_ = ::NoteReach(Lines.notes_);
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
