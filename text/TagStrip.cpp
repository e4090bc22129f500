#include "text/TagStrip.h"

#include "text/Entities.h"
#include "text/FileNames.h"

#include "shell/Unit1.h"

TTagStripResult StripTags(std::string_view html) {
  TTagStripResult result;
  result.Text.reserve(html.size());
  std::string_view rest = html;
  for (;;) {
    const std::size_t open = rest.find('<');
    if (open == std::string_view::npos) {
      result.Text.append(rest);
      return result;
    }
    result.Text.append(rest.substr(0, open));
    const std::size_t close = rest.find('>', open + 1);
    if (close == std::string_view::npos) {
      result.Unclosed = true;
      return result;
    }
    rest = rest.substr(close + 1);
  }
}

void TForm1::PLoadLines(TEditor& editor, const std::string& path) {
  editor.Lines.Clear();
  FLoadReport = editor.Lines.LoadFromFile(path, FEncoding);
  if (HasHtmlExtension(path)) {
    std::string text = PTagStrip(editor.Lines.GetText());
    editor.Lines.Clear();
    // References are decoded only now, so that a decoded "<" never opens a tag.
    FLoadReport.Replaced += DecodeEntities(text);
    editor.Lines.SetText(text);
  }
}

std::string TForm1::PTagStrip(std::string_view html) {
  TTagStripResult result = StripTags(html);
  if (result.Unclosed)
    P.MessageBox("タグが閉じられていません\nソースに問題があります", MsgButtons::Ok,
                 MsgIcon::Information);
  return std::move(result.Text);
}
