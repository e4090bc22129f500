#pragma once
// TForm1: the main window's logic. A plain C++ class that owns all state of a run
// and has every command as a member function named as the handler it is. The
// definitions live in role files beside this one in form/, over the engines in
// text/, render/, effects/ and export/; the Qt window (view/) and the
// command-line tool (cli/) only call them. The world is reached only through
// Platform.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Types.h"
#include "effects/Deep.h"
#include "effects/Difference.h"
#include "effects/Plasma.h"
#include "effects/Velocity.h"
#include "form/Controls.h"
#include "form/Counter.h"
#include "form/Input.h"
#include "render/ABitmap.h"
#include "render/SlotDecor.h"
#include "shell/BooksFile.h"
#include "shell/Platform.h"
#include "text/BookText.h"
#include "text/HEditor.h"

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
  TRandom Rng;  // the one generator every command and effect draws from
  // When set, re-seeding from the clock does nothing: the generator was seeded
  // once with this value, so every run with the same seed draws the same numbers.
  std::optional<std::uint64_t> FFixedSeed;
  void SetFixedSeed(std::uint64_t seed);
  void Randomize();                          // re-seed from the clock
  std::optional<std::uint64_t> ClockSeed();  // what Randomize seeds with; none when fixed
  int Random(int n) { return Rng.Random(n); }

  // ---------------------------------------------------------------- text and pages
  TEditor Editor1;         // the user's text
  TEditor Editor2;         // the built-in text
  int FPage = 1;           // the current page, from 1
  int FAllPage = 0;        // the current text's page count
  int FRetsuCount = 13;    // columns on a page of the user's text: 13, or 8 with Turn
  bool FFileIn = false;    // the user's text is current (else the built-in one)
  int FFilePage = 0;       // the page the user's text was left at
  int FQuiPage = 0;        // the page the built-in text was left at
  int FQuiAllPage = 0;     // the built-in text's page count
  bool FQuiReady = false;  // the built-in text is laid out in Editor2
  bool FNewText = false;   // the next layout starts its text at page 1
  bool FRedraw = true;     // the next forward step draws the current page again
  int FPagePermille = 1;   // the reading position in permille, kept across a layout change
  std::array<std::string, 14> FRetsu;  // slots 1..13 (index 0 unused), code-page-932 bytes
  // What a book's notes add to each slot, indexed like FRetsu; empty for a
  // text without notes, whose pages are drawn as they always were.
  std::vector<TSlotDecor> FRetsuDecor;
  std::string FFileName;                // UTF-8 path
  std::string FTextName;                // UTF-8 display name, or "Clipboard"
  int FLeaf = 1;                        // the bookmarked page
  std::string FCmdLineFile;             // the text named on the command line
  bool FCmdLineOpen = false;            // ... and still to be opened by the first showing
  std::vector<std::string> FPasteList;  // the last pasted text as pasted, line by line

  // The built-in text's lines (StringResource1), code-page-932 bytes, and the
  // one way it is put into Editor2: loaded and replaced, ready for FQuiEcri.
  static std::vector<std::string> StringResource1();
  void LoadBuiltinText();

  // Page model (form/PageModel.cpp).
  void FPreEcri(TEditor& editor);
  void FPreEcriChange(TEditor& editor);
  void FQuiEcri();
  void FRetsuText(TEditor& editor);
  void FRetsuIist();
  // Rows of the store become its lines, padded with "　" lines to whole pages
  // (and, for a book, so that each page break and picture starts a page).
  static void ReLayRowsAsLines(TEditor& editor, int columnsPerPage);
  // The "GoTo" menu's headings, from the user's text as it is laid out.
  void FillHeadings();

  // Character replacement (form/Replace.cpp), for the user's and the built-in text alike.
  void Freplace(TEditor& editor);

  // The encoding loaded texts are read in (Auto: detected), and what the last
  // PLoadLines did to its text (form/TextSources.cpp).
  TTextEncoding FEncoding = TTextEncoding::Auto;
  TEncodingReport FLoadReport;
  // Whether a loaded text is read as a book in Aozora Bunko notation: Auto
  // when it looks like one ("青空文庫の注記" checked, stored in the settings
  // file), Off never (unchecked); quillane-cli's --aozora may also force On.
  // FNotationReport is what reading the last loaded book did; none for a
  // text read as it is.
  TAozoraMode FAozora = TAozoraMode::Auto;
  std::optional<TNotationReport> FNotationReport;
  // The file "Reopen as…" last read again and the encoding chosen for it, which
  // every later load of that file keeps (EncodingFor): the layout modes'
  // reload, "Unite", opening it again.
  std::string FReopenFile;
  TTextEncoding FReopenEncoding = TTextEncoding::Auto;
  TTextEncoding EncodingFor(const std::string& path) const;
  // Strips the tags of an HTML text; an unclosed tag shows its message (form/TextSources.cpp).
  std::string PTagStrip(std::string_view html);
  // Clears the store and loads the file into it in code page 932, stripping the
  // tags of an HTML file and decoding its character references. Throws
  // EFileError when the file cannot be read.
  void PLoadLines(TEditor& editor, const std::string& path);
  // What reading a book did goes into FNotationReport and FLoadReport (none
  // when the text was set as it is).
  void TakeNotationReport(const std::optional<TBookRead>& read);

  // Text sources (form/TextSources.cpp). PLayOutTextFile loads a user's file
  // into Editor1 and lays it out as the current text without drawing it
  // (keepPage: at FPage, else at the page the book was left at, or from page 1
  // for a book not read before); the window and quillane-cli share it. FFileName
  // becomes the file's absolute path. PLoadTextFile, for Open, a drop, the
  // command line and the books list, then shows that page.
  void PLayOutTextFile(const std::string& path, bool keepPage = false);
  void PLoadTextFile(const std::string& path);
  void Open1Click();
  void DropDst1FileDrop(const std::vector<std::string>& files);
  void MyTextFileOpen(TEditor& editor);
  void Paste1Click();
  void PasteSave1Click();
  void File1Click();
  void FtxtDelete();
  void ExamineCommandLine(const std::vector<std::string>& args);
  // "Reopen as…": the current file read again in the encoding chosen, from page 1.
  void ReopenAs(TTextEncoding encoding);
  void ReopenSjis1Click();
  void ReopenUtf81Click();
  void ReopenUtf161Click();
  void ReopenEucJp1Click();
  void ReopenJis1Click();
  // "青空文庫の注記": honours a book's notation when the text is recognised
  // as one, or never; the current file is read again either way.
  void AozoraNotes1Click();
  // The state of a checkable menu item by its name; none for an item that is
  // no check item.
  std::optional<bool> MenuChecked(const std::string& name) const;

  // Books read lately (form/Books.cpp): the page left in each, read at the
  // start from FBooksFileName and written back at the close.
  std::string FBooksFileName;
  TBookList FBooks;
  void ReadBooks();
  void WriteBooks();
  // The current book's page goes into the list, the book to its front.
  void RememberBookPlace();
  // The books the menu lists, most recent first.
  std::vector<TBookPlace> RecentBooks() const;
  // A book chosen from that list; it opens at the page it was left at.
  void OpenBookClick(const std::string& path);

  // Layout modes (form/LayoutModes.cpp).
  void CheckTurnMoreBig();
  void FullCheckBoxClick();
  void BigFontCheckBoxClick();
  void MoreBigCheckBoxClick();
  void TurnCheckBoxClick();
  void QvgaCheckBoxClick();
  void ChangeBig(TEditor& editor);

  // Text file union (form/TextUnion.cpp).
  void UniteButtonClick();

  // ---------------------------------------------------------------- page look
  TColor FoColor = clWhite;       // the text colour
  TColor GColor = clBlack;        // the page's background colour
  TColor FDialogColor = clBlack;  // the colour dialog opens with the colour last chosen
  bool FBColor = false;           // the view was faded to black or grey: fade to GColor first
  bool FPageShown = false;        // a text page is on the view
  bool FFirstShow = true;         // the start-up picture is still on the view
  bool FFinish = false;           // the closing title card is being drawn
  int fTriangl = 7;               // the size of RakeUpFallenLeaves' leaves, 1..100

  // Renderers (form/Ecriture.cpp, form/Eqriture.cpp).
  void Ecriture(TImage& view);
  void Eqriture(TImage& view);
  // Renders the current page without fades or grain into page, sized 640 x 480
  // or 320 x 240 with QVGA: with its page number stamped as a batch export
  // stamps it, or (exportLook false) as the window shows it, where only turned
  // pages carry the number.
  void RenderPageForExport(TABitmap& page, bool exportLook = true);

  // Navigation (form/Navigation.cpp).
  void TriButton1Click();
  // Draws the current page again (the forward step with FRedraw set). To show it
  // at the next step instead, set FRedraw alone.
  void Redraw();
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
  // The mouse wheel over the page: each step towards the user turns forward,
  // each step away turns back.
  void Image1MouseWheel(int steps);
  // "GoTo" > "Page...": asks for a page and shows it (GoToPage).
  void GoPage1Click();
  void GoToPage(int page);
  // The places the "GoTo" menu offers after "Page...", each shown by GoToPage:
  // the headings of a book, filled at each layout of the user's text
  // (FillHeadings), empty for other texts.
  struct TJumpTarget {
    std::string Caption;  // UTF-8
    int Page = 1;
  };
  std::vector<TJumpTarget> FHeadings;

  // Colours, fonts and page look (form/PageLook.cpp).
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

  // ---------------------------------------------------------------- fades (form/Fades.cpp)
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
  // The running flags (the idle test reads them) and each effect's run-time
  // state, kept and drawn by its engine in effects/.
  bool FDifference = false;  // Difference runs (Timer1)
  bool FVelocity = false;    // Velocity runs (Timer3)
  bool FArts = false;        // plan de arts repeats (Timer4)
  bool FDeep = false;        // Deep runs (Timer5)
  bool FBusy = false;        // a batch export or a count job runs
  bool FArtsCanvas = false;  // the view belongs to plan de arts: its start does not fade
  bool AnyEffect() const { return FDifference || FVelocity || FArts || FDeep; }
  // The idle test most commands make first.
  bool Idle() const { return !FBusy && !AnyEffect(); }
  TDifferenceState Diff;
  TVelocityState Vel;
  TArtsState Arts;
  TDeepState Deep;  // lasts from run to run

  void EffectOut1Click();  // form/Effects.cpp

  // Difference (form/Difference.cpp); it reads its options at every tick, so
  // they are locked while it runs.
  void Effect1Click();
  void Timer1Timer();
  void LockDifferenceOptions(bool locked);

  // Velocity (form/Velocity.cpp).
  // Settings the keyboard changes while Velocity runs, named as the settings file
  // stores them: Pcx, Pcy the centre dots fly out from; Pmvc the step of a moving
  // centre (0..10); Piro, Pirot the colour scheme (1..8) of plain and clock dots;
  // Pform, Pformt their shape (1 line, 2 ellipse, 3 rectangle); Pdigi the scope
  // mark and its lock count; Pdigit the time as text with Clock; Pb, Pbt bold
  // plain and clock dots (Pb also draws MiniBlackHole's black square); Pmix plain
  // dots drawn as lines until they are bright; Pmouse a moving centre follows the
  // mouse instead of wandering.
  int Pcx = 320, Pcy = 240, Pmvc = 2, Piro = 1, Pform = 1, Pirot = 2, Pformt = 1;
  bool Pdigi = false, Pdigit = true, Pb = false, Pbt = false, Pmix = false, Pmouse = false;
  void VelocityClick();
  void Timer3Timer();
  void LCheckBox16Click();
  void LCheckBox17Click() {}
  void LCheckBox18Click() {}
  void LCheckBox19Click();
  void Image1MouseMove(int x, int y);

  // plan de arts (form/Arts.cpp).
  int Fconm = 80;  // the brightness level without Devenir, 80 or 125 ("Bright")
  void fineartsClick();
  void Timer4Timer();
  void Pplasma(TImage& view);
  void LCheckBox20Click();
  void LCheckBox21Click();
  void LCheckBox22Click();
  void LCheckBox23Click();

  // Deep (Mu-gen) (form/Deep.cpp).
  bool FBlackRect = true;  // "Deep Black" (else "Deep White", on light grey)
  void RectButtonClick();
  void Timer5Timer();
  void ColorChange();

  // ---------------------------------------------------------------- export
  bool FBatchSave = false;              // the renderer hands each page to a page writer
  bool FBatchExif = false;              // ... which splices it behind a camera template
  bool FBatchThumb = false;             // ... with a fresh thumbnail
  bool FShiftRight = false;             // the page's columns are moved right (exports for cameras)
  int FBatchLastPage = 0;               // the page that ends an Exif batch
  std::uint32_t FBatchStart = 0;        // tick count at the start of a job, for its time
  std::string FSaveName;                // UTF-8, the exported text's name: the export folder's
  std::string FOutDir;                  // UTF-8, ends in '/'
  std::vector<std::string> FExifFiles;  // the camera templates of an Exif batch, in order
  // Templates of the running thumbnail batch whose thumbnail could not be
  // replaced, so their page kept it; told once at the end (ReportKeptThumbs).
  std::vector<std::string> FKeptThumbs;

  // Page files (form/PageFiles.cpp).
  void BitsaveClick();
  void JpegButtonClick();
  void SavePageJpeg(TABitmap& bitmap);
  void SavePageExif(TABitmap& bitmap);
  void SavePageExifThumb(TABitmap& bitmap);
  void ReportKeptThumbs();
  // Batch export (form/Batch.cpp).
  void SaveAllButtonClick();
  void SaveAllInButtonClick();
  void SaveAllThumbInButtonClick();
  void BreakButtonClick();
  void FindJpegFiles(const std::string& folder);
  // Album manifests (form/Album.cpp).
  void WriteAlbum(const std::string& suffix);
  // Count pictures and count text (form/Count.cpp).
  void CoImageButtonClick();
  void CountTextButtonClick();
  // The counter window (form/Counter.cpp): opened by "co", created on first use.
  // The one reference to it lives here rather than in a global, and closing the
  // window (Form2Close) destroys it, so the next opening starts again at 0.
  std::unique_ptr<TForm2> Form2;
  void CountButtonClick();
  void Form2Close();
  // Splice tools (form/SpliceTools.cpp).
  void SpButton1Click();
  void SameButton1Click();

  // ---------------------------------------------------------------- lifecycle (shell/)
  int Form1Top = 100;  // the window's position on the screen
  int Form1Left = 100;
  void FormCreate();
  void FormShow();
  void CMShowingChanged(bool visible);
  void FormCloseQuery();
  void FormDestroy();
  // A close request (the window's close button, "Exit") is never refused: it
  // breaks off a running job, which then ends without its closing boxes, and
  // the window closes as soon as the command under way has returned.
  bool FCloseRequested = false;
  void CloseRequest();
  // The window is on the screen (not hidden in the tray): CMShowingChanged.
  bool FShowing = false;
  // The last file could not be found (or read) at the start: its name stays in
  // FFileName and its page here, so that the settings keep both until another
  // text is opened.
  std::optional<int> FMissingPage;
  void ReadSettings();   // form/Settings.cpp
  void WriteSettings();  // form/Settings.cpp
  // The settings file as read at the start; its lines that are not ours go
  // back into it at the close.
  std::string FSettingsText;
  void PNameon();
  void PNameoff();

  // ---------------------------------------------------------------- help (form/Help.cpp)
  // The executable the program's data files (the help page) are found from;
  // empty means the running one. Tests point it into a folder of their own.
  std::string FExecutablePath;
  void helpButtonClick();

  // ---------------------------------------------------------------- chrome (form/Chrome.cpp)
  // A request to close the window: the view closes it once the handler has
  // returned, and the closing sequence runs from the close.
  bool FClosePending = false;
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

  // ---------------------------------------------------------------- keys (form/Keys.cpp)
  void FormKeyDown(TKey key);
  void FormKeyPress(char key);

  // ---------------------------------------------------------------- controls
  TImage Image1;  // the page view

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

  // The numbered check boxes by what they mean (their captions are in
  // resources/controls.tsv). Logic reads the options through these; the numbered
  // names stay for the settings file's items, the control table and the window.
  bool CoolColor() const { return LCheckBox4.Checked; }
  bool PlusFadeOut() const { return LCheckBox5.Checked; }  // also the finer fade steps
  bool Tenderly() const { return LCheckBox6.Checked; }     // grain on every page
  bool PlusFadeIn() const { return LCheckBox7.Checked; }   // "+Fade In"
  bool Horizontal() const { return LCheckBox8.Checked; }
  bool RakeUpFallenLeaves() const { return LCheckBox11.Checked; }
  bool BeginEnd() const { return LCheckBox12.Checked; }  // title card at start and end
  bool ShowName() const { return LCheckBox13.Checked; }
  bool Slow() const { return LCheckBox14.Checked; }
  bool Gothic() const { return LCheckBox15.Checked; }
  // Difference.
  bool DiffForm() const { return LCheckBox1.Checked; }
  bool DiffColor() const { return LCheckBox2.Checked; }
  bool DiffPaint() const { return LCheckBox3.Checked; }
  // Velocity.
  bool Movement() const { return LCheckBox16.Checked; }
  bool MiniBlackHole() const { return LCheckBox17.Checked; }
  bool RoadMovie() const { return LCheckBox18.Checked; }
  bool Clock() const { return LCheckBox19.Checked; }
  // plan de arts; Devenir turns Green over each time its brightness swing ends.
  bool Green() const { return LCheckBox20.Checked; }
  void SetGreen(bool on) { LCheckBox20.Checked = on; }
  bool Bright() const { return LCheckBox21.Checked; }
  bool Devenir() const { return LCheckBox22.Checked; }
  bool Repetition() const { return LCheckBox23.Checked; }

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

// The reading position as a permille of the text, taken in 64 bits (a page
// beyond 2,147,483 overflows page x 1000 in an int) and held to 0..1000, so a
// stored page past the end means the end. 0 when the text has no page.
int PagePermille(int page, int allPage);
