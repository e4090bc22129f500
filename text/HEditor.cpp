#include "text/HEditor.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "base/Errors.h"
#include "text/Sjis.h"

namespace {

// Splits text into lines at CR LF, a lone CR or a lone LF. A break at the very
// end adds no empty line; the result says whether the last line had none.
bool SplitLines(std::string_view text, std::vector<std::string>& lines) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) {
    lines.emplace_back(text.substr(start));
    return true;
  }
  return false;
}

// A file descriptor closed on every path.
class TFileHandle {
 public:
  explicit TFileHandle(int fd) : fd_(fd) {}
  ~TFileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// Splits a file's bytes into lines as they are read, so a file of any size
// needs no second copy of its text.
class TLineReader {
 public:
  // Takes the next chunk; false once 0x1A has ended the text.
  bool Feed(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      const char c = data[i];
      if (afterCr_) {
        afterCr_ = false;
        if (c == '\n') continue;
      }
      switch (c) {
        case '\x1A':
          return false;
        case '\r':
          afterCr_ = true;
          [[fallthrough]];
        case '\n':
          lines_.push_back(std::move(current_));
          current_.clear();
          break;
        case '\0':
          current_ += ' ';
          break;
        default: {
          // Copy the run of ordinary bytes at once.
          std::size_t j = i + 1;
          while (j < size && !IsSpecial(data[j])) ++j;
          current_.append(data + i, j - i);
          i = j - 1;
        }
      }
    }
    return true;
  }
  // The lines read; the last one is unterminated when it had no line break.
  std::vector<std::string> Finish(bool& lastUnterminated) {
    lastUnterminated = !current_.empty();
    if (lastUnterminated) lines_.push_back(std::move(current_));
    return std::move(lines_);
  }

 private:
  static bool IsSpecial(char c) { return c == '\r' || c == '\n' || c == '\x1A' || c == '\0'; }

  std::vector<std::string> lines_;
  std::string current_;
  bool afterCr_ = false;
};

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

void TEditorStrings::Assign(std::vector<std::string> lines, bool lastUnterminated) {
  lines_ = std::move(lines);
  lastUnterminated_ = lastUnterminated && !lines_.empty();
  owner_.LinesChanged();
}

void TEditorStrings::Clear() {
  Assign({}, false);
}

void TEditorStrings::LoadFromFile(const std::string& path) {
  TFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) throw EFileError::CannotOpen(path, std::strerror(errno));
  TLineReader reader;
  std::vector<char> buffer(1 << 20);
  for (;;) {
    const ssize_t n = ::read(file.Get(), buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EFileError::CannotOpen(path, std::strerror(errno));
    }
    if (n == 0 || !reader.Feed(buffer.data(), static_cast<std::size_t>(n))) break;
  }
  bool unterminated = false;
  std::vector<std::string> lines = reader.Finish(unterminated);
  Assign(std::move(lines), unterminated);
}

void TEditorStrings::SetText(std::string_view text) {
  text = text.substr(0, std::min(text.size(), text.find('\0')));
  std::vector<std::string> lines;
  SplitLines(text, lines);
  Assign(std::move(lines), false);
}

std::string TEditorStrings::GetText() const {
  std::size_t size = 0;
  for (const auto& line : lines_) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& line : lines_) {
    text += line;
    text += "\r\n";
  }
  if (lastUnterminated_) text.resize(text.size() - 2);
  return text;
}

// ---------------------------------------------------------------- TEditor

TEditor::TEditor() : rules_(RulesOf(wrap_, tabSpaceCount_)) {}

std::string_view TEditor::Rows(int i) const {
  if (i < 0 || i >= RowCount()) return {};
  const Row& row = rows_[static_cast<std::size_t>(i)];
  return std::string_view(Lines.lines_[row.line]).substr(row.offset, row.length);
}

TRowEnd TEditor::RowEnd(int i) const {
  if (i < 0 || i >= RowCount()) return TRowEnd::LineEnd;
  return rows_[static_cast<std::size_t>(i)].end;
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
    rows_.clear();
    pending_ = true;
    return;
  }
  Rebuild();
}

void TEditor::Rebuild() {
  pending_ = false;
  rows_.clear();
  const auto& lines = Lines.lines_;
  std::vector<TRowSpan> spans;
  if (wordWrap_) ++wrapCount_;
  for (std::size_t li = 0; li < lines.size(); ++li) {
    const auto line = static_cast<std::uint32_t>(li);
    if (!wordWrap_) {
      rows_.push_back({line, TRowEnd::LineEnd, 0, lines[li].size()});
      continue;
    }
    spans.clear();
    WrapLine(lines[li], rules_, spans);
    for (const TRowSpan& s : spans)
      rows_.push_back(
          {line, s.EndsLine ? TRowEnd::LineEnd : TRowEnd::Continues, s.Offset, s.Length});
  }
  if (Lines.lastUnterminated_ && !rows_.empty()) rows_.back().end = TRowEnd::Unterminated;
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
// splits: each line is replaced on its own, in one left-to-right pass.
std::size_t TEditor::ReplaceInLines(std::string_view find, std::string_view replacement) {
  std::size_t count = 0;
  std::string out;
  for (std::string& line : Lines.lines_) {
    std::size_t at = line.find(find);
    if (at == std::string::npos) continue;
    out.clear();
    std::size_t from = 0;
    while (at != std::string::npos) {
      out.append(line, from, at - from);
      out.append(replacement);
      ++count;
      from = at + find.size();
      at = line.find(find, from);
    }
    out.append(line, from, std::string::npos);
    line.swap(out);
  }
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
  std::vector<std::string> lines;
  Lines.lastUnterminated_ = SplitLines(out, lines) && !lines.empty();
  Lines.lines_ = std::move(lines);
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
