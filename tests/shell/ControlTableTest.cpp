// The control table: it parses, every model of the window has an entry with a
// hint, the places the window's design fixes hold, and the layout is sound.
#include <gtest/gtest.h>

#include <map>
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

bool Overlap(const TControlEntry& a, const TControlEntry& b) {
  return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
         b.Top < a.Top + a.Height;
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
    if (!e.Parent.empty() && e.Kind != "menuitem") {
      EXPECT_NE(Find(e.Parent), nullptr);
    }
  }
}

TEST(ControlTableTest, EveryModelOfTheWindowHasAnEntryWithAHint) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  auto check = [](const std::string& name, const char* kind) {
    const TControlEntry* e = Find(name);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->Kind.find(kind) != std::string::npos, true) << name << " is " << e->Kind;
    EXPECT_FALSE(e->Hint.empty()) << name;
  };
  for (const TCheckBox* c : form.CheckBoxes()) check(c->Name, "checkbox");
  for (const TButton* b : form.Buttons()) check(b->Name, "button");
  for (const TLabel* l : form.Labels()) check(l->Name, "label");
  check(form.ExtTrackBar1.Name, "trackbar");
  check(form.JQualityUpDown.Name, "updown");
  check(form.Image1.Name, "image");
}

TEST(ControlTableTest, PlacesAndWordsTheWindowsDesignFixes) {
  struct Place {
    const char* name;
    int left, top, width, height;
  };
  for (const Place& p :
       {Place{"TriButton1", 578, 553, 30, 20}, Place{"TriButton2", 501, 553, 30, 20},
        Place{"ExtTrackBar1", 32, 545, 430, 35}, Place{"HintLabel1", 693, 22, 167, 19},
        Place{"Image1", 1, 1, 640, 480},
        Place{"PLabel", Find("PLabel")->Left, Find("PLabel")->Top, 76, 1}}) {
    const TControlEntry* e = Find(p.name);
    ASSERT_NE(e, nullptr) << p.name;
    EXPECT_EQ(e->Left, p.left) << p.name;
    EXPECT_EQ(e->Top, p.top) << p.name;
    EXPECT_EQ(e->Width, p.width) << p.name;
    EXPECT_EQ(e->Height, p.height) << p.name;
  }
  EXPECT_EQ(Find("Small1")->Left, 813);
  EXPECT_EQ(Find("Small1")->Top, 540);
  EXPECT_EQ(Find("Exit1")->Left, 816);
  EXPECT_EQ(Find("Exit1")->Top, 564);
  EXPECT_EQ(Find("Scroll2")->Left, 761);
  EXPECT_EQ(Find("helpButton")->Left, 821);
  EXPECT_EQ(Find("helpButton")->Top, 232);
  for (const char* swatch : {"FLabel", "GLabel", "Label3"}) {
    EXPECT_EQ(Find(swatch)->Width, 10) << swatch;
    EXPECT_EQ(Find(swatch)->Height, 10) << swatch;
  }
  // The colour swatches sit just right of their buttons.
  for (auto [button, swatch] : {std::pair{"FontColor1", "FLabel"}, {"BgColor1", "GLabel"}}) {
    const TControlEntry* b = Find(button);
    const TControlEntry* s = Find(swatch);
    EXPECT_GE(s->Left, b->Left + b->Width);
    EXPECT_LE(s->Left, b->Left + b->Width + 6);
  }
  const TControlEntry* panel = Find(Find("Image1")->Parent);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Width, 642);
  EXPECT_EQ(panel->Height, 482);
  EXPECT_EQ(Find("LCheckBox11")->Hint, "RakeUpFallenLeaves");
  EXPECT_EQ(Find("FullCheckBox")->Hint, "Screen内でFull");
  EXPECT_EQ(Find("SaveAllInButton")->Hint, "すべてExifと結合保存");
  EXPECT_EQ(Find("UniteButton")->Hint, "Text file の結合");
  EXPECT_EQ(Find("NoSuchControl"), nullptr);
}

TEST(ControlTableTest, WindowControlsFitTheClientAreaWithoutOverlapping) {
  std::vector<const TControlEntry*> top;
  for (const TControlEntry& e : ControlTable())
    if (e.Parent.empty()) top.push_back(&e);
  for (const TControlEntry* e : top) {
    EXPECT_GE(e->Left, 0) << e->Name;
    EXPECT_GE(e->Top, 0) << e->Name;
    EXPECT_LE(e->Left + e->Width, 876) << e->Name;
    EXPECT_LE(e->Top + e->Height, 605) << e->Name;
  }
  for (std::size_t i = 0; i < top.size(); ++i)
    for (std::size_t j = i + 1; j < top.size(); ++j)
      EXPECT_FALSE(Overlap(*top[i], *top[j])) << top[i]->Name << " and " << top[j]->Name;
}

TEST(ControlTableTest, TheMenuListsItsItemsInOrderWithTheirShortcuts) {
  std::vector<std::pair<std::string, std::string>> items;
  for (const TControlEntry& e : ControlTable())
    if (e.Kind == "menuitem") items.emplace_back(e.Caption, e.Extra);
  ASSERT_EQ(items.size(), 22u);
  EXPECT_EQ(items.front(), (std::pair<std::string, std::string>{"Open", "shortcut=Ctrl+O"}));
  EXPECT_EQ(items[2], (std::pair<std::string, std::string>{"Deep (Mu-gen)", "shortcut=Ctrl+P"}));
  EXPECT_EQ(items[6], (std::pair<std::string, std::string>{"Bitmapsave", ""}));
  EXPECT_EQ(items.back(), (std::pair<std::string, std::string>{"Exit", "shortcut=Ctrl+T"}));
  EXPECT_EQ(Find("Ecriture1")->Hint, "Front Ctrl+F");
  EXPECT_EQ(Find("Reset2")->Hint, "Again Ctrl+G");
  EXPECT_TRUE(Find("Deep1")->Hint.empty());
}

TEST(ControlTableTest, ApplyingTheTableGivesTheModelsTheirHintsAndFixedCaptions) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  form.Open.Caption = "kept";
  ApplyControlTable(form);
  EXPECT_EQ(form.LCheckBox8.Hint, "Horizontal");
  EXPECT_EQ(form.TriButton2.Hint, "Back Page");
  EXPECT_EQ(form.ExtTrackBar1.Hint, "scale : 1");
  EXPECT_EQ(form.Image1.Hint, "Quillane");
  EXPECT_EQ(form.Label3.Hint, "Arts run");
  EXPECT_EQ(form.HintLabel1.Caption, "HINT");
  EXPECT_EQ(form.Small1.Caption, "Small");
  EXPECT_EQ(form.Exit1.Caption, "Exit");
  EXPECT_EQ(form.SpButton.Caption, "sp");
  // Short names follow "Show Name", so the table leaves those captions alone.
  EXPECT_EQ(form.Open.Caption, "kept");
  EXPECT_EQ(form.Effect1.Hint, "Run!");
}

}  // namespace
