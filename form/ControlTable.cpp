#include "form/ControlTable.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

#include "form/Unit1.h"
#include "resources/Embedded.h"

namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return fields;
}

int ParseInt(std::string_view text, int lineNo) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("control table line " + std::to_string(lineNo) + ": bad number '" +
                             std::string(text) + "'");
  return value;
}

std::vector<TControlEntry> ParseTable(std::string_view text) {
  std::vector<TControlEntry> entries;
  int lineNo = 0;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    auto fields = SplitTabs(line);
    if (fields.size() < 7 || fields.size() > 10 || fields[0].empty() || fields[1].empty())
      throw std::runtime_error("control table line " + std::to_string(lineNo) + " is malformed");
    fields.resize(10);
    TControlEntry e;
    e.Name = fields[0];
    e.Kind = fields[1];
    e.Parent = fields[2];
    e.Left = ParseInt(fields[3], lineNo);
    e.Top = ParseInt(fields[4], lineNo);
    e.Width = ParseInt(fields[5], lineNo);
    e.Height = ParseInt(fields[6], lineNo);
    e.Caption = fields[7];
    e.Hint = fields[8];
    e.Extra = fields[9];
    entries.push_back(std::move(e));
  }
  return entries;
}

// Buttons marked "shortname" carry the short names "Show Name" puts on them;
// their captions are set by PNameon/PNameoff (ApplyShortNames), not at creation.
bool HasShortName(const TControlEntry& e) {
  return e.Extra == "shortname" || e.Extra.starts_with("shortname;") ||
         e.Extra.find(";shortname") != std::string::npos;
}

}  // namespace

const std::vector<TControlEntry>& ControlTable() {
  static const std::vector<TControlEntry> table = ParseTable(EmbeddedControlTable());
  return table;
}

void ApplyControlTable(TForm1& form) {
  for (const TControlEntry& e : ControlTable()) {
    if (e.Kind == "checkbox") {
      if (TCheckBox* box = form.FindCheckBox(e.Name)) box->Hint = e.Hint;
    } else if (e.Kind == "button" || e.Kind == "tributton") {
      if (TButton* button = form.FindButton(e.Name)) {
        button->Hint = e.Hint;
        if (!HasShortName(e)) button->Caption = e.Caption;
      }
    } else if (e.Kind == "label") {
      if (TLabel* label = form.FindLabel(e.Name)) {
        label->Caption = e.Caption;
        label->Hint = e.Hint;
      }
    } else if (e.Kind == "trackbar" && e.Name == form.ExtTrackBar1.Name) {
      form.ExtTrackBar1.Hint = e.Hint;
    } else if (e.Kind == "image" && e.Name == form.Image1.Name) {
      form.Image1.Hint = e.Hint;
    }
  }
}

void ApplyShortNames(TForm1& form, bool on) {
  for (const TControlEntry& e : ControlTable())
    if (e.Kind == "button" && HasShortName(e))
      if (TButton* button = form.FindButton(e.Name)) button->Caption = on ? e.Caption : "";
  form.LCheckBox4.HintVisible = on;
  form.LCheckBox12.HintVisible = on;
}
