// The built-in text: its size, that CP932 holds every character, and that it
// exercises the wrap.
#include <gtest/gtest.h>

#include <string>

#include "resources/Embedded.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "text/Sjis.h"

namespace {

TEST(BuiltinTextTest, HasItsLinesInCodePage932AndExercisesTheWrap) {
  const std::vector<std::string> lines = TForm1::StringResource1();
  ASSERT_EQ(lines.size(), 149u);
  // Back in UTF-8 every line is the resource's again: no character was lost.
  const std::string_view source = EmbeddedBuiltinText();
  std::string rebuilt;
  for (const auto& line : lines) rebuilt += SjisToUtf8(line) + "\n";
  EXPECT_EQ(rebuilt, source);
  EXPECT_EQ(source.find('?'), std::string_view::npos);
  EXPECT_EQ(source.find('\r'), std::string_view::npos);
  // Enough long lines, empty lines and brackets to exercise the wrap.
  int longer = 0, empty = 0, brackets = 0;
  for (const auto& line : lines) {
    longer += line.size() > 36;
    empty += line.empty();
    brackets += line.find("\x81\x75") != std::string::npos;  // 「
  }
  EXPECT_GT(longer, 20);
  EXPECT_GE(empty, 2);
  EXPECT_GT(brackets, 3);
}

TEST(BuiltinTextTest, LaysOutIntoWholePages) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  std::string text;
  for (const auto& line : TForm1::StringResource1()) text += line + "\r\n";
  form.Editor2.Lines.SetText(text);
  form.Freplace(form.Editor2);
  form.FQuiEcri();
  EXPECT_GT(form.FQuiAllPage, 149 / 13);
  EXPECT_EQ(form.Editor2.Lines.Count() % 13, 0);
  for (int i = 0; i < form.Editor2.Lines.Count(); ++i) ASSERT_LE(form.Editor2.Lines[i].size(), 39u);
}

}  // namespace
