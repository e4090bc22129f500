// The count picture and count text buttons.
#include <cmath>
#include <cstdio>
#include <limits>

#include "export/Count.h"
#include "export/FileWrite.h"
#include "export/JpegCodec.h"
#include "form/Unit1.h"
#include "shell/SoundCues.h"

namespace {

constexpr char kMsgBreak[] = "処理を中断します";
constexpr char kMsgElapsed[] = "ミリ秒かかりました";
constexpr int kDefaultCount = 5;

// N for both jobs: the number dialog's value, its fraction cut off, or 5 when the
// dialog was closed without OK.
int AskCount(Platform& p) {
  const auto value = p.NumberDialog(10);
  if (!value || !std::isfinite(*value)) return kDefaultCount;
  const double cut = std::trunc(*value);
  if (cut < 0) return 0;
  if (cut > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(cut);
}

bool Confirm(Platform& p, int n, const char* what) {
  return p.MessageBox(std::to_string(n) + what + "\n作成します\nよろしければ続行します",
                      MsgButtons::YesNo, MsgIcon::Information) == MsgResult::Yes;
}

// FBusy for the length of a count job, cleared however it ends.
class TBusy {
 public:
  explicit TBusy(TForm1& form) : f_(form) { f_.FBusy = true; }
  ~TBusy() { f_.FBusy = false; }
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;

 private:
  TForm1& f_;
};

std::string CountImageName(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "QU%.6d.jpg", number);
  return name;
}

}  // namespace

void TForm1::CoImageButtonClick() {
  if (!Idle()) return;
  const int n = AskCount(P);
  if (!Confirm(P, n, "枚のファイルを")) return;
  Pause(0, 300);
  FOutDir = FProgramDir + "/";
  const std::string folder = FOutDir + "qui_count/";
  CreateFolderOrThrow(folder);
  FBatchStart = P.TickCount();
  {
    TBusy busy(*this);
    TABitmap bitmap(640, 480);
    for (int i = 1; i <= n; ++i) {
      DrawCountImage(bitmap, i, BoldCheckBox.Checked, Gothic(), FoColor, GColor);
      WriteOutputFile(folder + CountImageName(i), EncodePageJpeg(bitmap, JQualityUpDown.Position));
      HintLabel1.Caption = std::to_string(i);
      if (!FBusy) {
        // A close broke the job off: the window goes at once, without boxes.
        if (FCloseRequested) return;
        P.ShowMessage(kMsgBreak);
        break;
      }
      Pause(0, 10);
    }
  }
  P.PlaySound(kCueClick);
  P.ShowMessage(std::to_string(P.TickCount() - FBatchStart) + kMsgElapsed);
}

void TForm1::CountTextButtonClick() {
  if (!Idle()) return;
  const int n = AskCount(P);
  if (!Confirm(P, n, "PageのTXTを")) return;
  FOutDir = FProgramDir + "/";
  CreateFolderOrThrow(FProgramDir);
  FBatchStart = P.TickCount();
  {
    TBusy busy(*this);
    std::string text;
    for (int i = 1; i <= n; ++i) text += "\r\n\r\n\r\n" + CountLine(i) + "\r\n\r\n\r\n\r\n\r\n";
    WriteOutputFile(FOutDir + std::to_string(n) + ".txt", text);
  }
  P.ShowMessage(std::to_string(P.TickCount() - FBatchStart) + kMsgElapsed);
}
