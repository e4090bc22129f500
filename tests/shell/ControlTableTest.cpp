// The control table: it parses, every model of the window has an entry with a
// hint, the places the window's design fixes hold, and the layout is sound.
#include <gtest/gtest.h>

#include <set>

#include "shell/ControlTable.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"

namespace {

const TControlEntry* Find(const std::string& name) {
  for (const TControlEntry& e : ControlTable())
    if (e.Name == name) return &e;
  return nullptr;
}

TEST(ControlTableTest, ParsesIntoUniquelyNamedControlsOfKnownKinds) {
  const auto& table = ControlTable();
  ASSERT_GT(table.size(), 90u);
  const std::set<std::string> kinds = {"panel", "image",    "button", "tributton", "checkbox",
                                       "label", "trackbar", "updown", "menuitem"};
  std::set<std::string> names;
  for (const TControlEntry& e : table) {
    SCOPED_TRACE(e.Name);
    EXPECT_TRUE(names.insert(e.Name).second) << "duplicate";
    EXPECT_TRUE(kinds.count(e.Kind)) << e.Kind;
    EXPECT_GT(e.Width, 0);
    EXPECT_GT(e.Height, 0);
    EXPECT_TRUE(e.Parent.empty() || e.Kind == "menuitem" || Find(e.Parent)) << e.Parent;
  }
  EXPECT_EQ(Find("NoSuchControl"), nullptr);
}

TEST(ControlTableTest, EveryModelOfTheWindowHasAnEntryWithAHint) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  auto check = [](const std::string& name, const char* kind) {
    const TControlEntry* e = Find(name);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_NE(e->Kind.find(kind), std::string::npos) << name << " is " << e->Kind;
    EXPECT_FALSE(e->Hint.empty()) << name;
  };
  for (const TCheckBox* c : form.CheckBoxes()) check(c->Name, "checkbox");
  for (const TButton* b : form.Buttons()) check(b->Name, "button");
  for (const TLabel* l : form.Labels()) check(l->Name, "label");
  check(form.ExtTrackBar1.Name, "trackbar");
  check(form.JQualityUpDown.Name, "updown");
  check(form.Image1.Name, "image");
}

TEST(ControlTableTest, PlacesTheWindowsDesignFixes) {
  constexpr int kAny = -1;
  struct Place {
    const char* name;
    int left, top, width, height;
  };
  for (const Place& p :
       {Place{"TriButton1", 578, 553, 30, 20}, Place{"TriButton2", 501, 553, 30, 20},
        Place{"ExtTrackBar1", 32, 545, 430, 35}, Place{"HintLabel1", 693, 22, 167, 19},
        Place{"Image1", 1, 1, 640, 480}, Place{"PagePanel", kAny, kAny, 642, 482},
        Place{"PLabel", kAny, kAny, 76, 1}, Place{"Small1", 813, 540, kAny, kAny},
        Place{"Exit1", 816, 564, kAny, kAny}, Place{"Scroll2", 761, kAny, kAny, kAny},
        Place{"helpButton", 821, 232, kAny, kAny}, Place{"FLabel", kAny, kAny, 10, 10},
        Place{"GLabel", kAny, kAny, 10, 10}, Place{"Label3", kAny, kAny, 10, 10}}) {
    SCOPED_TRACE(p.name);
    const TControlEntry* e = Find(p.name);
    ASSERT_NE(e, nullptr);
    const int want[] = {p.left, p.top, p.width, p.height};
    const int got[] = {e->Left, e->Top, e->Width, e->Height};
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(want[i] == kAny ? kAny : got[i], want[i]) << "field " << i;
  }
  EXPECT_EQ(Find("Image1")->Parent, "PagePanel");
  // The colour swatches sit just right of their buttons.
  for (auto [button, swatch] : {std::pair{"FontColor1", "FLabel"}, {"BgColor1", "GLabel"}}) {
    const TControlEntry* b = Find(button);
    const TControlEntry* s = Find(swatch);
    EXPECT_GE(s->Left, b->Left + b->Width);
    EXPECT_LE(s->Left, b->Left + b->Width + 6);
  }
}

TEST(ControlTableTest, WindowControlsFitTheClientAreaWithoutOverlapping) {
  std::vector<const TControlEntry*> top;
  for (const TControlEntry& e : ControlTable())
    if (e.Parent.empty()) top.push_back(&e);
  for (std::size_t i = 0; i < top.size(); ++i) {
    const TControlEntry& a = *top[i];
    EXPECT_TRUE(a.Left >= 0 && a.Top >= 0 && a.Left + a.Width <= 876 && a.Top + a.Height <= 605)
        << a.Name;
    for (std::size_t j = i + 1; j < top.size(); ++j) {
      const TControlEntry& b = *top[j];
      EXPECT_FALSE(a.Left < b.Left + b.Width && b.Left < a.Left + a.Width &&
                   a.Top < b.Top + b.Height && b.Top < a.Top + a.Height)
          << a.Name << " and " << b.Name;
    }
  }
}

TEST(ControlTableTest, ApplyingTheTableGivesTheModelsTheirHintsAndFixedCaptions) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  form.Open.Caption = "kept";
  ApplyControlTable(form);
  for (auto [got, want] : {std::pair{&form.LCheckBox8.Hint, "Horizontal"},
                           {&form.TriButton2.Hint, "Back Page"},
                           {&form.ExtTrackBar1.Hint, "scale : 1"},
                           {&form.Image1.Hint, "Quillane"},
                           {&form.Label3.Hint, "Arts run"},
                           {&form.Effect1.Hint, "Run!"},
                           {&form.HintLabel1.Caption, "HINT"},
                           {&form.Small1.Caption, "Small"},
                           {&form.SpButton.Caption, "sp"}})
    EXPECT_EQ(*got, want);
  // Short names follow "Show Name", so the table leaves those captions alone.
  EXPECT_EQ(form.Open.Caption, "kept");
}

}  // namespace
