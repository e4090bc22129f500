// The settings file: 54 items (and, in a section of its own, the switch for
// books in Aozora Bunko notation), read at window creation and written at close,
// always in the same order. Integers are decimal text, Booleans "1" or "0",
// strings raw text.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <optional>
#include <string>
#include <variant>

#include "base/Errors.h"
#include "form/Unit1.h"
#include "shell/IniFile.h"

namespace {

// Where an item lives in TForm1.
using TTarget = std::variant<int TForm1::*, bool TForm1::*, std::string TForm1::*,
                             TCheckBox TForm1::*, TUpDown TForm1::*>;

// The values an integer item may take. A stored value outside is brought to the
// nearer end as it is read, so a damaged or hand-edited file cannot carry a
// number into arithmetic that was never meant for it (a page near INT_MAX
// overflows the next page step).
struct TRange {
  int Min = std::numeric_limits<int>::min();
  int Max = std::numeric_limits<int>::max();
};

struct TItem {
  const char* Section;
  const char* Key;
  const char* Default;
  TTarget Target;
  TRange Range = {};  // integers only
};

constexpr const char* kChecked = "Checked";

constexpr char kMsgDefaults[] = "設定は既定の値で始めます";

// X11 keeps window coordinates in 16 bits; the view then moves a window that
// lies off every screen back to a reachable place.
constexpr TRange kScreen{-32768, 32767};
constexpr TRange kColour{0, 0xFFFFFF};  // 0x00BBGGRR
// The line store counts its lines in an int and a page holds at least 8 of them.
constexpr TRange kPage{1, std::numeric_limits<int>::max() / 8};
// The Velocity centre lies on the 640 x 480 picture.
constexpr TRange kCentreX{0, 639};
constexpr TRange kCentreY{0, 479};
constexpr TRange kMoveLevel{0, 10};  // what Page Up and Page Down reach
constexpr TRange kDotColours{1, 8};  // the colour schemes of the dots
constexpr TRange kDotShapes{1, 3};   // line, ellipse, rectangle
// A plasma value below the level is lifted by it; up to 127 the sum stays a byte.
constexpr TRange kBrightness{0, 127};
constexpr TRange kQuality{0, 100};   // JPEG quality
constexpr TRange kLeafSize{1, 100};  // what the size dialog allows

const TItem kItems[] = {
    {"Form\\Form1", "Top", "100", &TForm1::Form1Top, kScreen},
    {"Form\\Form1", "Left", "100", &TForm1::Form1Left, kScreen},
    {"Form\\LCheckBox1", kChecked, "False", &TForm1::LCheckBox1},
    {"Form\\LCheckBox2", kChecked, "False", &TForm1::LCheckBox2},
    {"Form\\LCheckBox3", kChecked, "False", &TForm1::LCheckBox3},
    {"Form\\LCheckBox4", kChecked, "True", &TForm1::LCheckBox4},
    {"Form\\LCheckBox5", kChecked, "False", &TForm1::LCheckBox5},
    {"Form\\LCheckBox6", kChecked, "False", &TForm1::LCheckBox6},
    {"Form\\LCheckBox7", kChecked, "True", &TForm1::LCheckBox7},
    {"Form\\LCheckBox8", kChecked, "False", &TForm1::LCheckBox8},
    {"Form\\LCheckBox11", kChecked, "False", &TForm1::LCheckBox11},
    {"Form\\LCheckBox12", kChecked, "False", &TForm1::LCheckBox12},
    {"Form\\LCheckBox13", kChecked, "True", &TForm1::LCheckBox13},
    {"Form\\LCheckBox14", kChecked, "False", &TForm1::LCheckBox14},
    {"Form\\LCheckBox15", kChecked, "False", &TForm1::LCheckBox15},
    {"Form\\LCheckBox16", kChecked, "False", &TForm1::LCheckBox16},
    {"Form\\LCheckBox17", kChecked, "False", &TForm1::LCheckBox17},
    {"Form\\LCheckBox18", kChecked, "False", &TForm1::LCheckBox18},
    {"Form\\LCheckBox19", kChecked, "False", &TForm1::LCheckBox19},
    {"Form\\LCheckBox20", kChecked, "False", &TForm1::LCheckBox20},
    {"Form\\LCheckBox21", kChecked, "False", &TForm1::LCheckBox21},
    {"Form\\LCheckBox22", kChecked, "False", &TForm1::LCheckBox22},
    {"Form\\LCheckBox23", kChecked, "False", &TForm1::LCheckBox23},
    {"Form\\SepaCheckBox", kChecked, "False", &TForm1::SepaCheckBox},
    {"Form\\FoColor", "Integer", "0", &TForm1::FoColor, kColour},
    {"Form\\GColor", "Integer", "16777215", &TForm1::GColor, kColour},
    {"Form\\FBColor", "Boolean", "False", &TForm1::FBColor},
    {"Form\\FPage", "Integer", "1", &TForm1::FPage, kPage},
    {"Form\\FFileName", "String", "", &TForm1::FFileName},
    {"Form\\FLeaf", "Integer", "1", &TForm1::FLeaf, kPage},
    {"Form1\\FFileIn", "Boolean", "False", &TForm1::FFileIn},
    {"Form\\Pcx", "Integer", "240", &TForm1::Pcx, kCentreX},
    {"Form\\Pcy", "Integer", "175", &TForm1::Pcy, kCentreY},
    {"Form\\Pmvc", "Integer", "2", &TForm1::Pmvc, kMoveLevel},
    {"Form\\Piro", "Integer", "1", &TForm1::Piro, kDotColours},
    {"Form\\Pform", "Integer", "1", &TForm1::Pform, kDotShapes},
    {"Form\\Pirot", "Integer", "2", &TForm1::Pirot, kDotColours},
    {"Form\\Pformt", "Integer", "1", &TForm1::Pformt, kDotShapes},
    {"Form\\Pdigi", "Boolean", "False", &TForm1::Pdigi},
    {"Form\\Pdigit", "Boolean", "True", &TForm1::Pdigit},
    {"Form\\Pb", "Boolean", "False", &TForm1::Pb},
    {"Form\\Pbt", "Boolean", "False", &TForm1::Pbt},
    {"Form\\Pmix", "Boolean", "False", &TForm1::Pmix},
    {"Form\\Pmouse", "Boolean", "False", &TForm1::Pmouse},
    {"Form\\Fconm", "Integer", "80", &TForm1::Fconm, kBrightness},
    {"Form\\FBlackRect", "Boolean", "True", &TForm1::FBlackRect},
    {"Form\\BoldCheckBox", kChecked, "False", &TForm1::BoldCheckBox},
    {"Form\\FullCheckBox", kChecked, "False", &TForm1::FullCheckBox},
    {"Form\\JQualityUpDown", "Integer", "60", &TForm1::JQualityUpDown, kQuality},
    {"Form\\CountCheckBox", kChecked, "True", &TForm1::CountCheckBox},
    {"Form\\BigFontCheckBox", kChecked, "False", &TForm1::BigFontCheckBox},
    {"Form\\MoreBigCheckBox", kChecked, "False", &TForm1::MoreBigCheckBox},
    {"Form\\TurnCheckBox", kChecked, "False", &TForm1::TurnCheckBox},
    {"Form\\fTriangl", "Integer", "7", &TForm1::fTriangl, kLeafSize},
};
static_assert(std::size(kItems) == 54);

// Beside the 54 items, in a section of their own: whether a text recognised as
// a book in Aozora Bunko notation is read as one ("1", the default) or shown
// as it is ("0").
constexpr const char* kAozoraSection = "Book\\Aozora";

// Decimal text with an optional sign; anything else, or a value outside the
// 32-bit range, reads as 0.
int ToInteger(const std::string& text) {
  std::string_view digits(text);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty()) return 0;
  return value;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// A Boolean's default is given as a word; the file holds digits only, so a
// stored "True" reads as false.
bool ToBoolean(const std::optional<std::string>& stored, const std::string& defaultText) {
  const bool defaultOn =
      defaultText == "1" || SameText(defaultText, "TRUE") || SameText(defaultText, "YES");
  const std::string text = stored.value_or(defaultOn ? "1" : "0");
  return (ToInteger(text) & 0xFF) != 0;
}

void ReadItem(TForm1& form, const TIniFile& ini, const TItem& item) {
  const auto stored = ini.Value(item.Section, item.Key);
  const std::string defaultText = item.Default;
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(form.*member)>;
        if constexpr (std::is_same_v<T, int>) {
          form.*member =
              std::clamp(ToInteger(stored.value_or(defaultText)), item.Range.Min, item.Range.Max);
        } else if constexpr (std::is_same_v<T, bool>) {
          form.*member = ToBoolean(stored, defaultText);
        } else if constexpr (std::is_same_v<T, std::string>) {
          form.*member = stored.value_or(defaultText);
        } else if constexpr (std::is_same_v<T, TCheckBox>) {
          (form.*member).Checked = ToBoolean(stored, defaultText);
        } else {
          TUpDown& upDown = form.*member;
          const int value =
              std::clamp(ToInteger(stored.value_or(defaultText)), item.Range.Min, item.Range.Max);
          upDown.Position = std::clamp(value, upDown.Min, upDown.Max);
        }
      },
      item.Target);
}

std::string ItemText(TForm1& form, const TItem& item) {
  return std::visit(
      [&](auto member) -> std::string {
        using T = std::remove_reference_t<decltype(form.*member)>;
        if constexpr (std::is_same_v<T, int>) {
          return std::to_string(form.*member);
        } else if constexpr (std::is_same_v<T, bool>) {
          return form.*member ? "1" : "0";
        } else if constexpr (std::is_same_v<T, std::string>) {
          return form.*member;
        } else if constexpr (std::is_same_v<T, TCheckBox>) {
          return (form.*member).Checked ? "1" : "0";
        } else {
          return std::to_string((form.*member).Position);
        }
      },
      item.Target);
}

}  // namespace

void TForm1::ReadSettings() {
  // A file that cannot be read, for whatever reason, is reported and the
  // defaults are used: the window still opens, fully set up.
  std::optional<TIniFile> ini;
  try {
    ini.emplace(FIniFileName);
  } catch (const std::exception& e) {
    P.ShowError(FailureText(e) + "\n" + kMsgDefaults);
    ini.emplace(std::string());
  }
  for (const auto& item : kItems) ReadItem(*this, *ini, item);
  FAozora = ToBoolean(ini->Value(kAozoraSection, kChecked), "True") ? TAozoraMode::Auto
                                                                    : TAozoraMode::Off;
  FSettingsText = ini->Text();
}

void TForm1::WriteSettings() {
  if (FIniFileName.empty()) return;  // nobody chose a settings file for this form
  // Lines of the file that are not ours are kept as they were read at the
  // start. The file is not read again here: the close runs as one command, and
  // a command never replaces a file it has read (base/Files.h), so a second
  // read would refuse every close after the first run.
  TIniFile ini = TIniFile::Empty(FIniFileName);
  ini.Parse(FSettingsText);
  for (const auto& item : kItems) ini.WriteString(item.Section, item.Key, ItemText(*this, item));
  ini.WriteString(kAozoraSection, kChecked, FAozora != TAozoraMode::Off ? "1" : "0");
  ini.UpdateFile();
}
