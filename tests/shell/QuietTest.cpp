// Commands that need a quiet window: while a job or an effect runs they do
// nothing at all, though every dialog they could open has an answer waiting.
#include <filesystem>

#include "tests/shell/FormFixture.h"

namespace {

using Handler = void (TForm1::*)();

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
                      F().GColor, F().FPageShown);
  };
  const auto before = state();
  using T = TForm1;
  int k = 0;  // texts, the page, its look, exports and tools, the credits
  for (Handler command :
       {&T::Open1Click, &T::Paste1Click, &T::Leaf1Click, &T::Leafgo1Click, &T::FontColor1Click,
        &T::BgColor1Click, &T::FOBlack1Click, &T::Fadeout1Click, &T::BGChangeClick,
        &T::SaveAllButtonClick, &T::SaveAllInButtonClick, &T::SaveAllThumbInButtonClick,
        &T::SpButton1Click, &T::SameButton1Click, &T::CoImageButtonClick, &T::CountTextButtonClick,
        &T::BitsaveClick, &T::JpegButtonClick, &T::About})
    for (bool TForm1::*running : {&TForm1::FBusy, &TForm1::FArts}) {
      SCOPED_TRACE(testing::Message() << "command " << k++ / 2);
      p.FileAnswers = {dir / "story.txt"};
      p.ColorAnswers = {0x123456};
      p.NumberAnswers = {3};
      p.Clipboard = "pasted";
      F().*running = true;
      F().Dispatch([&] { (F().*command)(); });
      F().*running = false;
      EXPECT_EQ(state(), before);
      EXPECT_TRUE(F().Image1.Picture == view);
    }
}

}  // namespace
