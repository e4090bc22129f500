#pragma once
// TForm1: the main window's logic. A plain C++ class that owns all state of a run
// and has every command as a member function named as the handler it is. The
// definitions live beside their subsystem (text/, render/, effects/, export/,
// shell/); the Qt window (shell/qt) and the command-line tool only call them.
// The world is reached only through Platform.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/ABitmap.h"
#include "shell/Controls.h"
#include "shell/Platform.h"
#include "shell/Types.h"
#include "text/HEditor.h"

// The page view: a 640 x 480 picture every page and effect is drawn on.
struct TImage {
  std::string Name = "Image1";
  TABitmap Picture{640, 480};
  std::string Hint;
  int Width() const { return Picture.Width(); }
  int Height() const { return Picture.Height(); }
};

enum class TMouseButton { Left, Right, Middle };
// The non-character keys the window acts on; every other key is Other.
enum class TKey {
  Other,
  Space,
  Enter,
  Backspace,
  Delete,
  Insert,
  Home,
  End,
  Left,
  Right,
  Up,
  Down,
  PageUp,
  PageDown
};

class TForm1 {
 public:
  explicit TForm1(Platform& platform);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  Platform& P;

  // Runs a handler the way the window's event loop does: a file-system or
  // decoder failure that escapes it is shown in the default error box.
  void Dispatch(const std::function<void()>& handler);

  // ---------------------------------------------------------------- folders
  // The program's folder (export folders live under it) and the settings file.
  std::string FProgramDir;
  std::string FIniFileName;

  // ---------------------------------------------------------------- random
  TRandom Rng;
  // When set, re-seeding from the clock does nothing: the generator was seeded
  // once with this value, so every run with the same seed draws the same numbers.
  std::optional<std::uint64_t> FFixedSeed;
  void SetFixedSeed(std::uint64_t seed);
  void Randomize();  // re-seed from the clock
  int Random(int n) { return Rng.Random(n); }

  // ---------------------------------------------------------------- text and pages
  TEditor Editor1;  // the user's text
  TEditor Editor2;  // the built-in text
  int FPage = 1;
  int FAllPage = 0;
  int FRetsuCount = 13;
  bool FFileIn = false;
  int FFilePage = 0;
  int FQuiPage = 0;
  int FQuiAllPage = 0;
  bool FQuiReady = false;
  bool FNewText = false;
  bool FRedraw = true;
  int FPagePermille = 1;
  std::array<std::string, 14> FRetsu;  // slots 1..13 (index 0 unused), code-page-932 bytes
  std::string FFileName;               // UTF-8 path
  std::string FTextName;               // UTF-8 display name, or "Clipboard"
  int FLeaf = 1;
  std::string FCmdLineFile;
  bool FCmdLineOpen = false;
  std::vector<std::string> FPasteList;  // the last pasted text as pasted, line by line

  // The built-in text's lines (StringResource1), code-page-932 bytes.
  static std::vector<std::string> StringResource1();

  // Page model (text/PageModel.cpp).
  void FPreEcri(TEditor& editor);
  void FPreEcriChange(TEditor& editor);
  void FQuiEcri();
  void FRetsuText(TEditor& editor);
  void FRetsuIist();
  // Rows of the store become its lines, padded with "　" lines to whole pages.
  static void ReLayRowsAsLines(TEditor& editor, int columnsPerPage);

  // Character replacement (text/Replace.cpp).
  void Freplace(TEditor& editor);
  void FreplaceP(TEditor& editor);
  void DoReplaceAll(const std::string& find, const std::string& replacement);
  void DoReplaceAll2(const std::string& find, const std::string& replacement);

  // Strips the tags of an HTML text; an unclosed tag shows its message (text/TagStrip.cpp).
  std::string PTagStrip(std::string_view html);
  // Clears the store and loads the file into it, stripping the tags of an HTML
  // file. Throws EFileError when the file cannot be read.
  void PLoadLines(TEditor& editor, const std::string& path);

  // Text sources (text/TextSources.cpp).
  void Open1Click();
  void DropDst1FileDrop(const std::vector<std::string>& files);
  void MyTextFileOpen(TEditor& editor);
  void Paste1Click();
  void PasteSave1Click();
  void File1Click();
  void FtxtDelete();
  void ExamineCommandLine(const std::vector<std::string>& args);
  // The file load sequence shared by Open, a drop and the command line.
  void PLoadTextFile(const std::string& path);

  // Layout modes (text/LayoutModes.cpp).
  void CheckTurnMoreBig();
  void FullCheckBoxClick();
  void BigFontCheckBoxClick();
  void MoreBigCheckBoxClick();
  void TurnCheckBoxClick();
  void QvgaCheckBoxClick();
  void ChangeBig(TEditor& editor);

  // Text file union (text/TextUnion.cpp).
  void UniteButtonClick();

  // ---------------------------------------------------------------- page look
  TColor FoColor = clWhite;
  TColor GColor = clBlack;
  TColor FDialogColor = clBlack;  // the colour dialog opens with the colour last chosen
  bool FBColor = false;
  bool FPageShown = false;
  bool FFirstShow = true;
  bool FFinish = false;
  int fTriangl = 7;

  // Renderers (render/Ecriture.cpp, render/Eqriture.cpp).
  void Ecriture(TImage& view);
  void Eqriture(TImage& view);
  // Renders the current page as a batch export would (no fades, no grain, page
  // number stamped) into page, sized 640 x 480 or 320 x 240 with QVGA.
  void RenderPageForExport(TABitmap& page);

  // Navigation (render/Navigation.cpp).
  void TriButton1Click();
  void TriButton2Click();
  void TriProc();
  void Reset1Click();
  void Leaf1Click();
  void Leafgo1Click();
  void ExtTrackBar1Change();
  void PFrequency(TTrackBar& trackBar);
  void Ecriture1Click();
  void BackPage1Click();
  void Image1MouseDown(TMouseButton button, bool shift, int x, int y);

  // Colours, fonts and page look (render/PageLook.cpp).
  void FontColor1Click();
  void BgColor1Click();
  void LCheckBox8Click();
  void LCheckBox15Click();
  void BoldCheckBoxClick();
  void LCheckBox6Click();
  void LCheckBox11Click();
  void LCheckBox14Click();
  void Quillane1Click();
  void FQuillane(TImage& view);
  void Timer2Timer();

  // ---------------------------------------------------------------- fades (effects/Fades.cpp)
  void PFadeOut(TImage& view, TColor color);
  void PFadeOutB(TImage& view);
  void PFadeOutW(TImage& view);
  void PFadeInG(TImage& view, TColor color);
  void PNoise1(TImage& view);
  void FOBlack1Click();
  void Fadeout1Click();
  void BGChangeClick();
  void Pause(int seconds, int milliseconds);

  // ---------------------------------------------------------------- effects
  bool FDifference = false;
  bool FVelocity = false;
  bool FArts = false;
  bool FDeep = false;
  bool FBusy = false;
  bool FArtsCanvas = false;
  bool AnyEffect() const { return FDifference || FVelocity || FArts || FDeep; }
  // The idle test most commands make first.
  bool Idle() const { return !FBusy && !AnyEffect(); }

  void EffectOut1Click();  // effects/Engine.cpp

  // Difference (effects/Difference.cpp).
  int FDiffSets = 1;
  int FDiffSteps = 25;
  int FDiffCount = 0;
  TRect FDiffRect[8][49] = {};
  TColor FDiffColorA[8][49] = {};
  TColor FDiffColorB[8][49] = {};
  TColor FDiffColorC[8][49] = {};
  TPoint FDiffStep[8] = {};
  int FDiffVel[8][4] = {};
  void Effect1Click();
  void Timer1Timer();
  void ShiftTrails();
  void FillTrail(int s);
  void DrawTrail(int s);
  int RandomSpeed();

  // Velocity (effects/Velocity.cpp).
  int Pcx = 320, Pcy = 240, Pmvc = 2, Piro = 1, Pform = 1, Pirot = 2, Pformt = 1;
  bool Pdigi = false, Pdigit = true, Pb = false, Pbt = false, Pmix = false, Pmouse = false;
  TRect FVelDots[100] = {};
  std::uint8_t FVelBright[100] = {};
  bool FVelHit = false;
  int FVelLock = 0;
  int FVelWarm = 0;
  int FVelTargetX = 0, FVelTargetY = 0;
  int FVelDiv = 8;
  int FVelMouseX = 320, FVelMouseY = 240;
  int FVelHour = 0, FVelMin = 0, FVelSec = 0, FVelMSec = 0;
  void VelocityClick();
  void Timer3Timer();
  void DrawDot(int i);
  void DrawClockDot(int i);
  void LCheckBox16Click();
  void LCheckBox17Click() {}
  void LCheckBox18Click() {}
  void LCheckBox19Click();
  void Image1MouseMove(int x, int y);

  // plan de arts (effects/Arts.cpp).
  int Fconm = 80;
  int FArtsLevel = 80;
  bool FArtsUp = true;
  bool FArtsPainting = false;           // a picture is being made (a tick then is dropped)
  std::vector<std::uint8_t> PlasmaMap;  // 640 x 480 heights, indexed [y * 640 + x]
  std::uint32_t FArtsLastEvents = 0;    // tick count of the last event pass while painting
  void fineartsClick();
  void Timer4Timer();
  void Pplasma(TImage& view);
  void Quartering(int x1, int y1, int x2, int y2);
  void SetColor(int x1, int y1, int x, int y, int x2, int y2);
  void LCheckBox20Click();
  void LCheckBox21Click();
  void LCheckBox22Click();
  void LCheckBox23Click();

  // Deep (Mu-gen) (effects/Deep.cpp).
  bool FBlackRect = true;
  TColor FDeepColor = 0xE7E7E7;
  int FDeepNext = 0;
  bool FDeepUp = true;
  int FDeepInset = 5;
  bool FDeepOut = true;
  int FDeepSpeed = 2;
  int FDeepPhase = 0;
  void RectButtonClick();
  void Timer5Timer();
  void ColorChange();

  // ---------------------------------------------------------------- export
  bool FBatchSave = false;
  bool FBatchExif = false;
  bool FBatchThumb = false;
  bool FShiftRight = false;
  int FBatchLastPage = 0;
  std::uint32_t FBatchStart = 0;
  std::string FSaveName;  // UTF-8
  std::string FOutDir;    // UTF-8, ends in '/'
  std::vector<std::string> FExifFiles;

  // Page files (export/PageFiles.cpp).
  void BitsaveClick();
  void JpegButtonClick();
  void SavePageJpeg(TABitmap& bitmap);
  void SavePageExif(TABitmap& bitmap);
  void SavePageExifThumb(TABitmap& bitmap);
  // Batch export (export/Batch.cpp).
  void SaveAllButtonClick();
  void SaveAllInButtonClick();
  void SaveAllThumbInButtonClick();
  void BreakButtonClick();
  void FindJpegFiles(const std::string& folder);
  // Album manifests (export/Album.cpp).
  void WriteAlbum(const std::string& suffix);
  // Count pictures and count text (export/Count.cpp).
  void CoImageButtonClick();
  void CountTextButtonClick();
  // Splice tools (export/SpliceTools.cpp).
  void SpButton1Click();
  void SameButton1Click();

  // ---------------------------------------------------------------- lifecycle (shell/)
  int Form1Top = 100;
  int Form1Left = 100;
  void FormCreate();
  void FormShow();
  void CMShowingChanged(bool visible);
  void FormCloseQuery();
  void FormDestroy();
  void ReadSettings();   // shell/Settings.cpp
  void WriteSettings();  // shell/Settings.cpp
  void PNameon();
  void PNameoff();

  // ---------------------------------------------------------------- chrome (shell/Chrome.cpp)
  // A request to close the window: the view closes it once the handler has
  // returned, and the closing sequence runs from the close.
  bool FCloseRequest = false;
  void LCheckBox13Click();
  void Small1Click();
  void TrayIconMessage(TTrayMouse event);
  void Show1Click();
  void Close1Click();
  void Exit1Click();
  // The hint under the mouse changed; the view repaints the status label at once.
  void AppHint(const std::string& hint);
  // The credits card.
  void About();

  // ---------------------------------------------------------------- keys (shell/Keys.cpp)
  void FormKeyDown(TKey key);
  void FormKeyPress(char key);
  bool GuardedKeyPress(char key);
  void VelocityKeyPress(char key);

  // ---------------------------------------------------------------- controls
  TImage Image1;

  // Check boxes (hints in the control table, resources/controls.tsv).
  TCheckBox LCheckBox1{"LCheckBox1"}, LCheckBox2{"LCheckBox2"}, LCheckBox3{"LCheckBox3"},
      LCheckBox4{"LCheckBox4"}, LCheckBox5{"LCheckBox5"}, LCheckBox6{"LCheckBox6"},
      LCheckBox7{"LCheckBox7"}, LCheckBox8{"LCheckBox8"}, LCheckBox11{"LCheckBox11"},
      LCheckBox12{"LCheckBox12"}, LCheckBox13{"LCheckBox13"}, LCheckBox14{"LCheckBox14"},
      LCheckBox15{"LCheckBox15"}, LCheckBox16{"LCheckBox16"}, LCheckBox17{"LCheckBox17"},
      LCheckBox18{"LCheckBox18"}, LCheckBox19{"LCheckBox19"}, LCheckBox20{"LCheckBox20"},
      LCheckBox21{"LCheckBox21"}, LCheckBox22{"LCheckBox22"}, LCheckBox23{"LCheckBox23"},
      SepaCheckBox{"SepaCheckBox"}, BoldCheckBox{"BoldCheckBox"}, FullCheckBox{"FullCheckBox"},
      BigFontCheckBox{"BigFontCheckBox"}, MoreBigCheckBox{"MoreBigCheckBox"},
      TurnCheckBox{"TurnCheckBox"}, QvgaCheckBox{"QvgaCheckBox"}, CountCheckBox{"CountCheckBox"};

  // Buttons whose state the logic changes or reads.
  TButton TriButton1{"TriButton1", "", 0xFBBC9D}, TriButton2{"TriButton2", "", 0xABC2CF};
  TButton Open{"Open"}, Effect1{"Effect1"}, EffectOut1{"EffectOut1"}, FontColor1{"FontColor1"},
      BgColor1{"BgColor1"}, BGChange{"BGChange"}, Scroll2{"Scroll2"}, FOBlack1{"FOBlack1"},
      FadeOut1{"FadeOut1"}, Leaf1{"Leaf1"}, Leafgo1{"Leafgo1"}, File1{"File1"},
      CoImageButton{"CoImageButton"}, CountButton{"CountButton"}, Quillane1{"Quillane1"},
      Paste1{"Paste1"}, PasteSave1{"PasteSave1"}, RectButton{"RectButton"}, Velocity{"Velocity"},
      finearts{"finearts"}, Bitsave{"Bitsave"}, JpegButton{"JpegButton"},
      BreakButton{"BreakButton"}, SaveAllButton{"SaveAllButton"},
      SaveAllInButton{"SaveAllInButton"}, SaveAllThumbInButton{"SaveAllThumbInButton"},
      CountTextButton{"CountTextButton"}, helpButton{"helpButton"}, Reset1{"Reset1"},
      UniteButton{"UniteButton"}, SpButton{"SpButton"}, SameButton{"SameButton"}, Small1{"Small1"},
      Exit1{"Exit1"};

  TLabel Label1{"Label1", "1"}, Label2{"Label2", "0"}, Label3{"Label3", "", 0, true},
      HintLabel1{"HintLabel1", "HINT"}, PLabel{"PLabel", "", 0, true}, FLabel{"FLabel"},
      GLabel{"GLabel"};
  TTrackBar ExtTrackBar1{"ExtTrackBar1"};
  TUpDown JQualityUpDown{"JQualityUpDown", 0, 100, 60};

  TTimer Timer1{"Timer1", false, 55}, Timer2{"Timer2", false, 500}, Timer3{"Timer3", false, 55},
      Timer4{"Timer4", false, 4500}, Timer5{"Timer5", false, 55};

  // Every model by kind, for the view's Sync pass and lookups by name.
  std::vector<TCheckBox*> CheckBoxes();
  std::vector<TButton*> Buttons();
  std::vector<TLabel*> Labels();
  std::vector<TTimer*> Timers();
  TCheckBox* FindCheckBox(const std::string& name);
  TButton* FindButton(const std::string& name);
  TLabel* FindLabel(const std::string& name);
};
