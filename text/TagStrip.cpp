#include "text/TagStrip.h"

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
  editor.Lines.LoadFromFile(path);
  if (HasHtmlExtension(path)) {
    const std::string html = editor.Lines.GetText();
    editor.Lines.Clear();
    editor.Lines.SetText(PTagStrip(html));
  }
}

std::string TForm1::PTagStrip(std::string_view html) {
  TTagStripResult result = StripTags(html);
  if (result.Unclosed)
    P.MessageBox("タグが閉じられていません\nソースに問題があります", MsgButtons::Ok,
                 MsgIcon::Information);
  return std::move(result.Text);
}
