// quillane-cli effect: runs one of the four effects on a fresh view for a number
// of ticks and writes the last frame as PNG.
#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"

namespace {

constexpr const char* kUsage =
    "effect difference|velocity|arts|deep [--ticks N] [--seed S] [--time HH:MM:SS] "
    "[--bg 0xBBGGRR] [--form --color --paint] [--movement --miniblackhole --roadmovie --clock "
    "--scope --digital --bold --boldclock --mix --mouse --piro N --pform N --pirot N --pformt N "
    "--pmvc N] [--green --bright --devenir --repetition] [--white --separation] --out FRAME.png";

LocalTime ParseTime(const std::string& text) {
  LocalTime t{2026, 12, 6, 0, 0, 0, 0};
  char extra = 0;
  if (std::sscanf(text.c_str(), "%d:%d:%d%c", &t.Hour, &t.Minute, &t.Second, &extra) != 3 ||
      t.Hour < 0 || t.Hour > 23 || t.Minute < 0 || t.Minute > 59 || t.Second < 0 || t.Second > 59)
    throw CliError("option --time takes HH:MM:SS, not '" + text + "'");
  return t;
}

// Moves the virtual clock on by one timer interval, as the window's timer would.
void AdvanceClock(HeadlessPlatform& platform, int ms) {
  platform.Clock += static_cast<std::uint32_t>(ms);
  LocalTime& t = platform.Time;
  t.MSec += ms;
  t.Second += t.MSec / 1000;
  t.MSec %= 1000;
  t.Minute += t.Second / 60;
  t.Second %= 60;
  t.Hour = (t.Hour + t.Minute / 60) % 24;
  t.Minute %= 60;
}

void SetVelocityOptions(ArgParser& args, TForm1& form) {
  form.LCheckBox16.Checked = args.Flag("--movement");
  form.LCheckBox17.Checked = args.Flag("--miniblackhole");
  form.LCheckBox18.Checked = args.Flag("--roadmovie");
  form.LCheckBox19.Checked = args.Flag("--clock");
  // Each switch is on when given and off otherwise, the digital time included.
  form.Pdigi = args.Flag("--scope");
  form.Pdigit = args.Flag("--digital");
  form.Pb = args.Flag("--bold");
  form.Pbt = args.Flag("--boldclock");
  form.Pmix = args.Flag("--mix");
  form.Pmouse = args.Flag("--mouse");
  if (auto v = args.Int("--piro", 1, 8)) form.Piro = static_cast<int>(*v);
  if (auto v = args.Int("--pform", 1, 3)) form.Pform = static_cast<int>(*v);
  if (auto v = args.Int("--pirot", 1, 8)) form.Pirot = static_cast<int>(*v);
  if (auto v = args.Int("--pformt", 1, 3)) form.Pformt = static_cast<int>(*v);
  if (auto v = args.Int("--pmvc", 0, 10)) form.Pmvc = static_cast<int>(*v);
}

int RunEffect(std::vector<std::string> argv) {
  ArgParser args(std::move(argv));
  HeadlessPlatform platform;
  TForm1 form(platform);
  // A first run's colours: black text on a white page.
  form.GColor = clWhite;
  form.FoColor = clBlack;

  const long long ticks = args.Int("--ticks", 0, 100000).value_or(60);
  const auto seed = args.Int("--seed", 0, 9223372036854775807LL);
  if (auto time = args.Value("--time")) platform.Time = ParseTime(*time);
  if (auto bg = args.Color("--bg")) form.GColor = static_cast<TColor>(*bg);
  const auto out = args.Value("--out");

  form.LCheckBox1.Checked = args.Flag("--form");
  form.LCheckBox2.Checked = args.Flag("--color");
  form.LCheckBox3.Checked = args.Flag("--paint");
  SetVelocityOptions(args, form);
  form.LCheckBox20.Checked = args.Flag("--green");
  form.LCheckBox21.Checked = args.Flag("--bright");
  if (form.Bright()) form.Fconm = 125;
  form.LCheckBox22.Checked = args.Flag("--devenir");
  form.LCheckBox23.Checked = args.Flag("--repetition");
  form.FBlackRect = !args.Flag("--white");
  form.SepaCheckBox.Checked = args.Flag("--separation");

  const std::vector<std::string> rest = args.Rest();
  if (rest.size() != 1) throw CliError("name one effect: difference, velocity, arts or deep");
  if (!out) throw CliError("option --out FRAME.png is required");
  const std::string& name = rest[0];

  if (seed) form.SetFixedSeed(static_cast<std::uint64_t>(*seed));
  form.Deep.Next = form.Random(16600000);
  form.Image1.Picture.Fill(form.GColor);

  if (name == "difference") {
    form.Effect1Click();
    for (long long i = 0; i < ticks; ++i, AdvanceClock(platform, form.Timer1.Interval))
      form.Timer1Timer();
  } else if (name == "velocity") {
    form.VelocityClick();
    for (long long i = 0; i < ticks; ++i, AdvanceClock(platform, form.Timer3.Interval))
      form.Timer3Timer();
  } else if (name == "deep") {
    form.RectButtonClick();
    for (long long i = 0; i < ticks; ++i, AdvanceClock(platform, form.Timer5.Interval))
      form.Timer5Timer();
  } else if (name == "arts") {
    // Ticks count pictures here: the start makes the first one.
    for (long long i = 0; i < std::max(ticks, 1LL);
         ++i, AdvanceClock(platform, form.Timer4.Interval)) {
      if (i == 0 || !form.FArts)
        form.fineartsClick();
      else
        form.Timer4Timer();
    }
  } else {
    throw CliError("unknown effect '" + name + "': difference, velocity, arts or deep");
  }
  WritePngFile(form.Image1.Picture, *out);
  return 0;
}

const CliRegistrar kRegistrar({"effect", kUsage, RunEffect});

}  // namespace
