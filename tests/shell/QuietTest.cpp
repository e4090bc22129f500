// Commands that need a quiet window: while a job or an effect runs they do
// nothing at all, though every dialog they could open has an answer waiting.
#include <filesystem>
#include <functional>

#include "tests/shell/FormFixture.h"

namespace {

using Handler = std::function<void(TForm1&)>;

TEST_F(FormTest, CommandsDoNothingWhileAJobOrAnEffectRuns) {
  Start();
  OpenFile(WriteRows("story.txt", 40));
  F().TriButton1Click();
  F().FLeaf = 1;  // a bookmark to go to, on another page
  const TABitmap view = F().Image1.Picture;
  HeadlessPlatform& p = *platform;
  const auto state = [&] {
    const auto files = std::distance(std::filesystem::recursive_directory_iterator(dir.Path()), {});
    return std::tuple(p.Messages.size() + p.Errors.size() + p.DialogsShown.size() + p.Sounds.size(),
                      p.Repaints, files, F().FPage, F().FLeaf, F().FTextName, F().FoColor,
                      F().GColor, F().FPageShown, F().FAozora);
  };
  const auto before = state();
  using T = TForm1;
  // Texts, the page, its look, exports and tools, the credits.
  const std::pair<const char*, Handler> commands[] = {
      {"Open1Click", &T::Open1Click},
      {"Paste1Click", &T::Paste1Click},
      {"ReopenEucJp1Click", &T::ReopenEucJp1Click},
      {"AozoraNotes1Click", &T::AozoraNotes1Click},
      {"Leaf1Click", &T::Leaf1Click},
      {"Leafgo1Click", &T::Leafgo1Click},
      {"GoPage1Click", &T::GoPage1Click},
      {"OpenBookClick", [&](T& f) { f.OpenBookClick(dir / "story.txt"); }},
      {"FontColor1Click", &T::FontColor1Click},
      {"BgColor1Click", &T::BgColor1Click},
      {"FOBlack1Click", &T::FOBlack1Click},
      {"Fadeout1Click", &T::Fadeout1Click},
      {"BGChangeClick", &T::BGChangeClick},
      {"SaveAllButtonClick", &T::SaveAllButtonClick},
      {"SaveAllInButtonClick", &T::SaveAllInButtonClick},
      {"SaveAllThumbInButtonClick", &T::SaveAllThumbInButtonClick},
      {"SpButton1Click", &T::SpButton1Click},
      {"SameButton1Click", &T::SameButton1Click},
      {"CoImageButtonClick", &T::CoImageButtonClick},
      {"CountTextButtonClick", &T::CountTextButtonClick},
      {"BitsaveClick", &T::BitsaveClick},
      {"JpegButtonClick", &T::JpegButtonClick},
      {"About", &T::About},
  };
  for (const auto& [name, command] : commands)
    for (bool TForm1::*running : {&TForm1::FBusy, &TForm1::FArts}) {
      SCOPED_TRACE(testing::Message()
                   << name
                   << (running == &TForm1::FBusy ? " during a job" : " during plan de arts"));
      p.FileAnswers = {dir / "story.txt"};
      p.ColorAnswers = {0x123456};
      p.NumberAnswers = {3};
      p.PageAnswers = {3};
      p.Clipboard = "pasted";
      F().*running = true;
      F().Dispatch([&, command = command] { command(F()); });
      F().*running = false;
      EXPECT_EQ(state(), before);
      EXPECT_TRUE(F().Image1.Picture == view);
    }
}

}  // namespace
