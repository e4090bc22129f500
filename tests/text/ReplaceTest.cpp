// Character replacement before layout.
#include <gtest/gtest.h>

#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"

using testsupport::Sjis;

namespace {

class ReplaceTest : public ::testing::Test {
 protected:
  HeadlessPlatform platform;
  TForm1 form{platform};
  std::string Line(int i) const { return std::string(form.Editor1.Lines[i]); }
};

TEST_F(ReplaceTest, TableReplacesTabsBracketsAndColons) {
  const std::pair<std::string, std::string> cases[] = {
      {"\t", "\x81\x40\x81\x40\x81\x40\x81\x40"},
      {Sjis("≪題≫"), Sjis("《題》")},
      {Sjis("語：語"), Sjis("語") + " : " + Sjis("語")},
      {"a:b <<c>>", "a:b <<c>>"},  // half-width signs are left alone
      // The trail byte of 0x88 0x81 and the 'F' after it spell the full-width
      // colon: the byte search replaces them.
      {"\x88\x81\x46", "\x88 : "}};
  for (const auto& [text, replaced] : cases) {
    form.Editor1.Lines.SetText(text);
    form.Freplace(form.Editor1);
    ASSERT_EQ(form.Editor1.Lines.Count(), 1);
    EXPECT_EQ(Line(0), replaced) << testing::PrintToString(text);
  }
}

TEST_F(ReplaceTest, RewrapsOnceAndRestoresTheStore) {
  form.Editor1.Lines.SetText(std::string(50, 'x') + "\r\nplain");
  const auto before = form.Editor1.WrapCount();
  form.Freplace(form.Editor1);
  EXPECT_EQ(form.Editor1.WrapCount(), before + 1);
  EXPECT_TRUE(form.Editor1.WordWrap());
  EXPECT_TRUE(form.Editor1.ReadOnly);
  EXPECT_EQ(form.Editor1.RowCount(), 3);
  EXPECT_FALSE(platform.BusyCursor);

  // Many tabs in a long text: still one wrap.
  form.Editor1.Lines.SetText(std::string(5000, '\t'));
  const auto tabs = form.Editor1.WrapCount();
  form.Freplace(form.Editor1);
  EXPECT_EQ(form.Editor1.WrapCount(), tabs + 1);
  EXPECT_EQ(Line(0).size(), 40000u);
}

TEST_F(ReplaceTest, WorksOnlyOnTheStoreItIsGiven) {
  form.Editor1.Lines.SetText("\t");
  form.Editor2.Lines.SetText(Sjis("≪a≫"));
  form.Freplace(form.Editor2);
  EXPECT_EQ(form.Editor2.Lines[0], Sjis("《a》"));
  EXPECT_EQ(Line(0), "\t");
}

}  // namespace
