// Count pictures and the count text: the numbers drawn and written.
#include "export/Count.h"

#include "export/CountThumb.h"

namespace {

int Digits(long long number) {
  int digits = 1;
  for (long long n = number < 0 ? -number : number; n >= 10; n /= 10) ++digits;
  return digits;
}

}  // namespace

std::string CountLine(int number) {
  static constexpr int kSpaces[] = {0, 13, 12, 12, 11, 11, 10, 9};
  const int digits = Digits(number);
  return std::string(static_cast<std::size_t>(kSpaces[digits < 7 ? digits : 7]), ' ') +
         std::to_string(number);
}

int CountImageX(int number) {
  const int digits = Digits(number);
  return 272 - 40 * ((digits < 7 ? digits : 7) - 1);
}

void DrawCountImage(TABitmap& bitmap, int number, bool bold, bool gothic, TColor textColor,
                    TColor background) {
  bitmap.Fill(background);
  DrawCountNumber(bitmap, number, CountImageX(number), 165, 160, bold, gothic, textColor);
}
