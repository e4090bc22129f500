// Bringing a user text in: the Open dialog, drops, the command line and its
// shortcuts, the clipboard, joining two texts into "unite", the encodings a
// text may come in, and the files refused before they are read.
#include <gtest/gtest.h>
#include <iconv.h>
#include <zip.h>

#include <filesystem>

#include "tests/shell/FormFixture.h"
#include "text/Carried.h"
#include "text/FileNames.h"
#include "text/Sjis.h"

namespace {

using testsupport::ReadFile;
using testsupport::Sjis;
using testsupport::WriteFile;

class TextSourcesTest : public FormTest {
 protected:
  // The name shown in every place that shows it.
  void ExpectShown(const std::string& name) {
    EXPECT_EQ(F().FTextName, name);
    EXPECT_EQ(F().Image1.Hint, name);
    EXPECT_EQ(F().HintLabel1.Caption, name);
  }
  std::string Unite(const std::string& name) { return dir / ("unite/" + name); }
  void Join(const std::optional<std::string>& second) {
    platform->FileAnswers.push_back(second);
    F().Dispatch([this] { F().UniteButtonClick(); });
  }
  // The text read from bytes, without the lines that pad it to whole pages.
  std::string Open(const std::string& name, const std::string& bytes) {
    WriteFile(dir / name, bytes);
    OpenFile(dir / name);
    std::string text = UserText();
    while (text.ends_with("\x81\x40\n")) text.resize(text.size() - 3);
    return text;
  }
};

// An opened file is shown from page 1 under its name; a cancelled dialog or an
// unreadable file change nothing.
TEST_F(TextSourcesTest, OpenShowsTheFirstPageUnlessCancelledOrUnreadable) {
  Start();
  const int pages = F().FAllPage;
  F().Open1Click();  // cancelled
  WriteRows("story.txt", 30);
  OpenFile(dir / "missing.txt");
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_NE(platform->Errors[0].find("missing.txt"), std::string::npos);
  EXPECT_FALSE(F().FFileIn);
  EXPECT_EQ(F().FAllPage, pages);
  EXPECT_TRUE(F().FTextName.empty() && F().FFileName.empty());
  F().FPage = 2;
  OpenFile(dir / "story.txt");
  EXPECT_TRUE(F().FFileIn);
  EXPECT_EQ(F().FFileName, dir / "story.txt");
  ExpectShown("story");
  EXPECT_EQ(std::pair(F().FPage, F().FAllPage), std::pair(1, 3));
  EXPECT_EQ(F().Editor1.Lines.Count(), 39);  // padded to whole pages
  EXPECT_FALSE(F().PLabel.Transparent);
}

// A drop opens the first file unless an open is pending or a job runs; only
// the exact HTML endings are stripped, and the character replacement runs.
TEST_F(TextSourcesTest, ADropOpensTheFirstFileUnlessAnOpenIsPendingOrAJobRuns) {
  Start();
  const std::string first = WriteRows("first.txt", 14);
  F().FCmdLineOpen = true;
  F().DropDst1FileDrop({first});
  F().FCmdLineOpen = false;
  F().FBusy = true;
  F().DropDst1FileDrop({first});
  F().FBusy = false;
  F().DropDst1FileDrop({});
  EXPECT_FALSE(F().FFileIn);
  F().FDeep = true;  // a drop stops a running effect through the page step
  F().Timer5.Enabled = true;
  F().Dispatch([&] { F().DropDst1FileDrop({first, WriteRows("second.txt", 40)}); });
  EXPECT_EQ(F().FFileName, first);
  EXPECT_EQ(F().FAllPage, 2);
  EXPECT_FALSE(F().FDeep);
  for (const char* name : {"page.html", "PAGE.HTM", "mixed.Html"}) {
    WriteFile(dir / name, Sjis("<p>題：<b>本</b></p>") + "\r\n");
    F().DropDst1FileDrop({dir / name});
    EXPECT_EQ(F().Editor1.Lines[0],
              Sjis(std::string(name) == "mixed.Html" ? "<p>題 : <b>本</b></p>" : "題 : 本"));
  }
  EXPECT_EQ(F().FTextName, "mixed.Html");
}

// The last four characters give way, never half a character.
TEST_F(TextSourcesTest, TheDisplayNameLosesItsTxtEndingInAnyEncoding) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.txt", "a"},
      {"a.TXT", "a.TXT"},
      {"note.txt.htm", "note.txt"},
      {"gap .txt", "gap"},
      {".txt", ""},
      {"Clipboard", "Clipboard"},
      {"猫.txt文庫本", "猫.tx"},
      {"\x94\x4C.txt\x95\xB6\x8C\xC9", "\x94\x4C.t"}};
  for (const auto& [name, shown] : cases) {
    F().FTextName = name;
    F().FtxtDelete();
    EXPECT_EQ(F().FTextName, shown) << name;
  }
  // A name in any encoding opens and names its exported pages.
  const std::tuple<std::string, std::string, std::string> names[] = {
      {"\x96\xBC\x91\x4F.txt", "\x96\xBC\x91\x4F", "名前0001.jpg"},  // Shift-JIS
      {"😀猫.txt", "😀猫", "_猫0001.jpg"}};  // no Shift-JIS form; FAT refuses '?'
  Start();
  for (const auto& [file, name, page] : names) {
    OpenFile(WriteRows(file, 3));
    EXPECT_EQ(F().FTextName, name);
    F().SaveAllButtonClick();
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir / "all_page") / name / page));
  }
  OpenFile(dir / "\x96\xBC\x82\xC8\x82\xB5.txt");  // the error box names it readably
  EXPECT_NE(DisplayName(platform->Errors.at(0)).find("ファイル " + (dir / "名なし.txt")),
            std::string::npos);
}

TEST_F(TextSourcesTest, PastedTextIsShownReplacedAndSavedAsPastedOnce) {
  Start();
  OpenFile(WriteRows("before.txt", 30));
  F().TriButton1Click();
  platform->Clipboard = "一行目\r\n二行目\tです";
  F().Paste1Click();
  ExpectShown("Clipboard");
  EXPECT_EQ(F().FFileName, dir / "before.txt");
  EXPECT_EQ(std::pair(F().FPage, F().FAllPage), std::pair(1, 1));
  EXPECT_EQ(F().Editor1.Lines[1], Sjis("二行目　　　　です"));
  const std::string saved = dir / "kept paste.txt";
  platform->FileAnswers.push_back(saved);
  F().Dispatch([&] { F().PasteSave1Click(); });
  EXPECT_EQ(ReadFile(saved), Sjis("一行目\r\n二行目\tです\r\n"));
  EXPECT_EQ(F().FFileName, saved);
  EXPECT_EQ(F().FTextName, "kept paste");
  EXPECT_EQ(F().Image1.Hint, "kept paste");
  // A carried character is saved as 〓, and the status line says so; a private-use
  // one, carried because its code was taken, is saved as its own code.
  platform->Clipboard = "頰と😀\uE000";
  F().Paste1Click();
  platform->FileAnswers.push_back(dir / "carried.txt");
  F().Dispatch([&] { F().PasteSave1Click(); });
  EXPECT_EQ(ReadFile(dir / "carried.txt"), Sjis("〓と〓") + "\xF0\x40\r\n");
  EXPECT_EQ(F().HintLabel1.Caption, "外字2字を〓で保存");
  // Once the page comes from a file, saving the paste does nothing, and a
  // single space or no text on the clipboard pastes nothing.
  OpenFile(WriteRows("kept.txt", 30));
  platform->FileAnswers.push_back(dir / "never.txt");
  F().PasteSave1Click();
  EXPECT_FALSE(std::filesystem::exists(dir / "never.txt"));
  platform->FileAnswers.clear();
  for (const auto& clip : {std::optional<std::string>(" "), std::optional<std::string>()}) {
    platform->Clipboard = clip;
    F().Paste1Click();
    EXPECT_EQ(F().FTextName, "kept");
  }
}

TEST_F(TextSourcesTest, TheCommandLineTakesItsExtensionsExactlyAndOpensAReadableFileAtStart) {
  const std::pair<const char*, bool> cases[] = {
      {"a.txt", true},  {"a.TXT", true},   {"a.ini", true},  {"a.htm", true},
      {"a.html", true}, {"a.lnk", true},   {"a.HTM", false}, {"a.HTML", false},
      {"a.Txt", false}, {"a.text", false}, {"noext", false}};
  for (const auto& [arg, accepted] : cases) {
    NewForm().ExamineCommandLine({arg, "b.txt"});
    EXPECT_EQ(std::pair(F().FCmdLineOpen, F().FCmdLineFile),
              std::pair(accepted, std::string(accepted ? arg : "")))
        << arg;
  }
  // The file, or a shortcut's target, is opened at start.
  const std::string target = WriteRows("target.txt", 27);
  std::filesystem::create_symlink("target.txt", dir / "story.lnk");
  for (const std::string& arg : {target, dir / "story.lnk"}) {
    Start({arg});
    EXPECT_TRUE(platform->Errors.empty());
    ExpectShown("target");
    EXPECT_EQ(F().FAllPage, 3);
    EXPECT_FALSE(F().FCmdLineOpen);
  }
  // After resolution the upper-case HTML endings are accepted too.
  WriteFile(dir / "PAGE.HTM", "<p>x</p>\r\n");
  std::filesystem::create_symlink("PAGE.HTM", dir / "page.lnk");
  Start({dir / "page.lnk"});
  EXPECT_EQ(F().FTextName, "PAGE.HTM");
  EXPECT_EQ(UserText().find('<'), std::string::npos);
  WriteFile(dir / "letter.doc", "x\r\n");
  std::filesystem::create_symlink("letter.doc", dir / "letter.lnk");
  Start({dir / "letter.lnk"});
  EXPECT_EQ(F().FAllPage, 0);  // neither that file nor any other text
  EXPECT_TRUE(platform->Errors.empty());
  Start({dir / "PAGE.HTM"});  // named directly, the upper-case ending is refused
  EXPECT_FALSE(F().FFileIn);
  EXPECT_EQ(F().HintLabel1.Caption, "Quillane");  // the built-in text instead
  // An unreadable file leaves no text, and drops still work.
  Start({dir / "absent.txt"});
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_FALSE(F().FCmdLineOpen);
  EXPECT_EQ(F().FAllPage, 0);
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 1);
  F().DropDst1FileDrop({WriteRows("later.txt", 3)});
  EXPECT_EQ(std::pair(F().FTextName, F().FAllPage), std::pair(std::string("later"), 1));
}

// Cancelled or with an unreadable second file nothing is written; else both
// parts with five empty lines between, the last line terminated, each join
// overwriting the last. A paste still joins the last opened file.
TEST_F(TextSourcesTest, TheJoinedFileHoldsBothPartsAndOpensAtTheSamePage) {
  const std::string kFiveEmptyLines = "\r\n\r\n\r\n\r\n\r\n";
  Start();
  Join(std::nullopt);
  Join(dir / "absent.txt");
  EXPECT_EQ(platform->Errors.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir / "unite"));
  WriteFile(dir / "more.txt", "x\r\n");
  platform->Answers.push_back(MsgResult::No);
  Join(dir / "more.txt");
  EXPECT_EQ(ReadFile(Unite("_u.txt")), kFiveEmptyLines + "x\r\n");
  WriteFile(dir / "story.txt", "one\r\ntwo");
  WriteFile(dir / "long.txt", "b\r\nc\r\nd\r\ne\r\n");
  WriteFile(dir / "more.txt", "three\nfour\rfive\r\n");
  OpenFile(dir / "story.txt");
  platform->Clipboard = "pasted";
  F().Paste1Click();
  platform->Answers = {MsgResult::No, MsgResult::No};
  Join(dir / "long.txt");
  Join(dir / "more.txt");
  EXPECT_EQ(ReadFile(Unite("story_u.txt")),
            "one\r\ntwo\r\n" + kFiveEmptyLines + "three\r\nfour\r\nfive\r\n");
  ASSERT_EQ(platform->Messages.size(), 3u);
  EXPECT_EQ(platform->Messages[2].Text, "作業は完了しました\nファイルを開きますか");
  EXPECT_EQ(platform->Messages[2].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(F().FTextName, "Clipboard");
  // "Yes" opens the joined text at the same page.
  Start();
  OpenFile(WriteRows("story.txt", 52));  // 4 pages
  for (int i = 0; i < 3; ++i) F().TriButton1Click();
  ASSERT_EQ(F().FPage, 4);
  WriteFile(dir / "more.txt", "appended\r\n");
  Join(dir / "more.txt");  // answered Yes
  EXPECT_EQ(F().FFileName, Unite("story_u.txt"));
  ExpectShown("story_u");
  EXPECT_TRUE(F().FFileIn);
  EXPECT_EQ(std::pair(F().FPage, F().FAllPage), std::pair(4, 5));  // 52 + 5 + 1 lines
  EXPECT_EQ(F().Editor1.Lines[57], "appended");
  // A carried character of an input is written as 〓, and the status line says so.
  WriteFile(dir / "more.txt", "頰\r\n");
  platform->Answers.push_back(MsgResult::No);
  Join(dir / "more.txt");
  EXPECT_TRUE(ReadFile(Unite("story_u_u.txt")).ends_with("\r\n" + Sjis("〓") + "\r\n"));
  EXPECT_EQ(F().HintLabel1.Caption, "UTF-8から変換 外字1字を〓で保存");
}

// utf8 in another encoding, by the system's converter.
std::string Encode(const std::string& utf8, const char* to) {
  iconv_t cd = iconv_open(to, "UTF-8");
  std::string out(utf8.size() * 4 + 16, '\0');
  char *in = const_cast<char*>(utf8.data()), *dst = out.data();
  std::size_t inLeft = utf8.size(), outLeft = out.size();
  iconv(cd, &in, &inLeft, &dst, &outLeft);
  iconv(cd, nullptr, nullptr, &dst, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

const std::string kSample = "日本語の本文〜−‖\r\nＡＢＣ abc\r\n";

std::string Html(const std::string& meta, const std::string& body) {
  return "<html><head>" + meta + "</head><body>" + body + "</body></html>";
}

TEST_F(TextSourcesTest, EveryEncodingReadsAsShiftJisAndWhatHasNoFormIsCounted) {
  const std::string expected = Open("ref.txt", Sjis(kSample));
  ASSERT_NE(expected.find(Sjis("日本語")), std::string::npos);
  // Shift-JIS bytes that also happen to be valid UTF-8 (E9 A0 B4: a kanji and ｴ).
  const std::string lookalike = "\xE9\xA0\xB4\r\n";
  const std::pair<const char*, std::string> cases[] = {
      {"u8.txt", kSample},
      {"u8bom.txt", "\xEF\xBB\xBF" + kSample},
      {"u16le.txt", "\xFF\xFE" + Encode(kSample, "UTF-16LE")},
      {"u16be.txt", "\xFE\xFF" + Encode(kSample, "UTF-16BE")},
      {"meta.html", Html("<meta charset=\"utf-8\">", kSample)},
      {"equiv.html",
       Html("<META http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">",
            Encode(kSample, "EUC-JP"))},
      {"jis.html", Html("<meta charset='iso-2022-jp'>", Encode(kSample, "ISO-2022-JP"))},
      {"sjis.html", Html("<meta charset=Shift_JIS>", Sjis(kSample))}};
  EXPECT_EQ(Open("l.txt", lookalike), Sjis("頴") + "\n");  // without a meta, valid UTF-8 wins
  EXPECT_EQ(Open("l.html", Html("<meta charset=Shift_JIS>", lookalike)), "\xE9\xA0\xB4\n");
  EXPECT_EQ(Open("ascii.txt", "plain ascii\r\n"), "plain ascii\n");
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Open(name, bytes), expected);
    EXPECT_EQ(F().FLoadReport.Replaced, 0u);
  }
  Open("clean.txt", "猫\r\n");
  EXPECT_EQ(F().HintLabel1.Caption, "clean");
  // References are decoded after the tags are stripped, and those in scripts
  // and comments go with them.
  const std::tuple<std::string, std::string, std::size_t> references[] = {
      {"&lt;b&gt; &amp;amp; &quot;&apos;", "<b> &amp; \"'", 0},
      // The system maps ¥ to 5C.
      {"&#12354;&#x3042;&#X3044;&nbsp;&yen;", Sjis("ああい ") + "\\", 0},
      {"&eacute;&#128512;&#0;&#xD800;&#1114112;", "\xF0\x40\xF0\x41" + Sjis("〓〓〓"), 3},
      // Every named reference of HTML, two code points for some.
      {"&ldquo;&hellip;&rdquo;&Alpha;&CounterClockwiseContourIntegral;", Sjis("“…”Α") + "\xF0\x40",
       0},
      {"&nvlt;&NotEqualTilde;&ThickSpace;", "<\xF0\x40\xF0\x41\xF0\x42\xF0\x43\xF0\x44", 0},
      {"&unknown; &amp &#; &#x; &#12a;", "&unknown; &amp &#; &#x; &#12a;", 0},
      {"a<!-- &hellip; --><script>&lt;</script>b", "ab", 0}};
  for (const auto& [body, want, replaced] : references) {
    SCOPED_TRACE(body);
    EXPECT_EQ(Open("e.html", Html("", body + "\r\n")), want + "\n");
    EXPECT_EQ(F().FLoadReport.Replaced, replaced);
  }
  // A plain text keeps its ampersands.
  EXPECT_EQ(Open("e.txt", "&amp;\r\n"), "&amp;\n");
}

// The codes of the user-defined area in the order they are handed out.
std::string AreaCodes(int count) {
  std::string codes;
  for (int lead = 0xF0; lead <= 0xF9; ++lead)
    for (int trail = 0x40; trail <= 0xFC; ++trail)
      if (trail != 0x7F && count-- > 0)
        codes += {static_cast<char>(lead), static_cast<char>(trail)};
  return codes;
}

struct TCase {
  const char *Name, *File;    // File nullptr: pasted
  std::string Input, Stored;  // Stored: the rows as the store holds them
  std::u32string Table;       // the carried characters in the order of their codes
  std::string Text, Status;   // as --text prints it; the status line after the load
};

// Characters code page 932 cannot hold, as every way a text comes in brings
// them: what the store holds, what its table says, the text as `--text`
// prints it, and what the status line says.
TEST_F(TextSourcesTest, EveryWayInCarriesWhatCodePage932LacksAndKeepsItsOwnCodes) {
  // 1,881 distinct characters: the last finds every code taken.
  std::string hangul;
  std::u32string carried;
  for (char32_t c = U'가'; c < U'가' + 1881; ++c) AppendUtf8(hangul, c), carried += c;
  carried.pop_back();
  const TCase cases[] = {
      {"UTF-8 kanji of JIS X 0213, one met again", "u8.txt", "頰と剝と吞と頰\r\n",
       "\xF0\x40" + Sjis("と") + "\xF0\x41" + Sjis("と") + "\xF0\x42" + Sjis("と") + "\xF0\x40",
       U"頰剝吞", "頰と剝と吞と頰", "外字4字を保持"},
      {"UTF-16LE beyond the basic plane", "u16.txt", "\xFF\xFE" + Encode("𠮷野家", "UTF-16LE"),
       "\xF0\x40" + Sjis("野家"), U"𠮷", "𠮷野家", "外字1字を保持 うち1種は〓で表示"},
      {"UTF-16BE Latin", "u16be.txt", "\xFE\xFF" + Encode("café", "UTF-16BE"), "caf\xF0\x40", U"é",
       "café", "外字1字を保持"},
      {"EUC-JP of JIS X 0212", "e.html", "<meta charset=euc-jp>" + Encode("森鷗外", "EUC-JP"),
       Sjis("森") + "\xF0\x40" + Sjis("外"), U"鷗", "森鷗外", "外字1字を保持"},
      {"ISO-2022-JP with numeric and named references", "j.html",
       "<meta charset=iso-2022-jp>" + Encode("頬", "ISO-2022-JP") + "&#x9830;&eacute;&#128512;",
       Sjis("頬") + "\xF0\x40\xF0\x41\xF0\x42", U"頰é😀", "頬頰é😀",
       "外字3字を保持 うち1種は〓で表示"},
      {"pasted, with a question mark of its own", nullptr, "頰😀é?", "\xF0\x40\xF0\x41\xF0\x42?",
       U"頰😀é", "頰😀é?", "外字3字を保持 うち1種は〓で表示"},
      {"Shift-JIS bytes kept as they are", "sjis.txt", "\xF0\x40\x82\xA0\xF9\xFC\x82\xA2",
       "\xF0\x40\x82\xA0\xF9\xFC\x82\xA2", U"", "\uE000あ\uE757い", "sjis"},
      {"Shift-JIS HTML: a reference skips the codes the text uses", "s.html",
       "<p>\xF0\x40&#x9830;</p>", "\xF0\x40\xF0\x41", U"頰", "\uE000頰", "外字1字を保持"},
      {"UTF-8 private-use character first keeps its code", "pu.txt", "\uE000頰", "\xF0\x40\xF0\x41",
       U"頰", "\uE000頰", "外字1字を保持"},
      {"UTF-8 private-use character after its code was taken", "pt.txt", "頰\uE000",
       "\xF0\x40\xF0\x41", U"頰\uE000", "頰\uE000", "外字2字を保持 うち1種は〓で表示"},
      {"the 1,881st distinct character", "many.txt", hangul, AreaCodes(1880) + Sjis("〓"), carried,
       hangul.substr(0, hangul.size() - 3) + "〓",
       "外字1880字を保持 うち1880種は〓で表示 1字を〓に置換"},
  };
  Start();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.File) {
      WriteFile(dir / c.File, c.Input);
      OpenFile(dir / c.File);
    } else {
      platform->Clipboard = c.Input;
      F().Paste1Click();
    }
    // The rows one after another, without the lines that pad the last page.
    const TEditor& store = F().Editor1;
    std::string stored;
    for (int i = 0; i < store.Lines.Count(); ++i)
      if (store.Lines[i] != "\x81\x40") stored += store.Lines[i];
    EXPECT_EQ(stored, c.Stored);
    const std::vector<char32_t> table = store.Carried().Scalars();
    EXPECT_EQ(std::u32string(table.begin(), table.end()), c.Table);
    EXPECT_EQ(StoreToUtf8(stored, store.Carried()), c.Text);
    EXPECT_EQ(F().HintLabel1.Caption, c.Status);
  }
}

// Without a mark or a meta charset the encoding is told from the text itself:
// real prose in each encoding, short texts, a damaged UTF-8 text and an
// ISO-2022-JP shift that never returns.
TEST_F(TextSourcesTest, EachJapaneseEncodingIsToldApartWithoutAMark) {
  const std::string prose =
      ReadFile(std::string(QUILLANE_SOURCE_DIR) + "/resources/builtin_text.txt");
  const std::string expected = Open("prose.txt", Sjis(prose));
  std::string damaged = prose;  // a stray byte at the start of three lines
  for (std::size_t at : {100u, 4000u, 9000u}) damaged.insert(damaged.find('\n', at) + 1, "\xFF");
  using E = TTextEncoding;
  struct TCase {
    const char* Name;
    std::string Bytes, Text;
    E Encoding;
    std::size_t Replaced = 0;  // the text then only begins with Text
  };
  const TCase cases[] = {
      {"prose in Shift-JIS", Sjis(prose), expected, E::ShiftJis},
      {"prose in EUC-JP", Encode(prose, "EUC-JP"), expected, E::EucJp},
      {"prose in ISO-2022-JP", Encode(prose, "ISO-2022-JP"), expected, E::Iso2022Jp},
      {"prose in UTF-8", prose, expected, E::Utf8},
      {"prose in UTF-16LE, no mark", Encode(prose, "UTF-16LE"), expected, E::Utf16Le},
      {"prose in UTF-16BE, no mark", Encode(prose, "UTF-16BE"), expected, E::Utf16Be},
      {"damaged UTF-8", damaged, Sjis("灯火の下で読むこと\n"), E::Utf8, 3},
      {"short EUC-JP", Encode("本を読む。", "EUC-JP"), Sjis("本を読む。\n"), E::EucJp},
      {"short Shift-JIS", Sjis("東京\r\n"), Sjis("東京\n"), E::ShiftJis},
      {"half-width katakana", Sjis("ｺﾝﾆﾁﾊ ｾｶｲ\r\n"), Sjis("ｺﾝﾆﾁﾊ ｾｶｲ\n"), E::ShiftJis},
      {"an unreturned shift", "\x1B$B$\"$$\r\nabc\r\n", Sjis("あい\nabc\n"), E::Iso2022Jp},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string text = Open("t.txt", c.Bytes);
    EXPECT_EQ(c.Replaced == 0 ? text : text.substr(0, c.Text.size()), c.Text);
    EXPECT_EQ(EncodingName(F().FLoadReport.Encoding), std::string(EncodingName(c.Encoding)));
    EXPECT_EQ(F().FLoadReport.Replaced, c.Replaced);
  }
}

// A ZIP archive of the entries, written by libzip; an entry named with a
// leading '*' is stored encrypted (AES) under its name without it.
std::string Zip(const std::vector<std::pair<std::string, std::string>>& entries) {
  testsupport::TempDir scratch;
  const std::string path = scratch / "a.zip";
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE, nullptr);
  for (const auto& [name, bytes] : entries) {
    const bool secret = name[0] == '*';
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    const zip_int64_t index = zip_file_add(archive, name.c_str() + secret, source, 0);
    if (secret) zip_file_set_encryption(archive, index, ZIP_EM_AES_256, "secret");
  }
  zip_close(archive);
  return ReadFile(path);
}

// The archive with the uncompressed size it states for its entries rewritten
// (in both the local and the central headers); its data unchanged.
std::string StatedSize(std::string zip, std::uint32_t size) {
  for (const auto& [magic, offset] : {std::pair("PK\x03\x04", 22), std::pair("PK\x01\x02", 24)})
    for (std::size_t at = zip.find(magic); at != std::string::npos; at = zip.find(magic, at + 4))
      for (int k = 0; k < 4; ++k) zip[at + offset + k] = static_cast<char>(size >> (8 * k));
  return zip;
}

// A .zip opens as the text inside it (the largest .txt, else an HTML page),
// from the dialog, a drop and the command line; what cannot be read is
// refused in words, and so is a binary file of any name.
TEST_F(TextSourcesTest, AZipOpensAsItsTextAndBinaryFilesAreRefused) {
  const std::string story = Sjis("吾輩は猫である。\r\n");
  const std::string text = Sjis("吾輩は猫である。\n");
  const std::pair<std::string, std::string> fig{"fig01.png",
                                                "\x89PNG\r\n\x1A\n" + std::string(99, '\0')};
  const std::tuple<const char*, std::string, std::string> opened[] = {
      {"one text", Zip({{"neko/neko.txt", story}, fig}), text},
      {"the largest text", Zip({{"a.txt", "short\r\n"}, {"B.TXT", story}, {"c.txt", "x"}}), text},
      {"an HTML page", Zip({{"neko.html", "<p>" + story + "<!-- x --></p>"}, fig}), text},
      {"UTF-8 inside", Zip({{"neko.txt", "吾輩は猫である。\r\n"}}), text}};
  for (const auto& [name, zip, want] : opened) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Open("w.zip", zip), want);
    EXPECT_TRUE(platform->Errors.empty());
  }
  const std::string small = Zip({{"neko.txt", story}});
  const std::string binary = "テキストではありません (";
  const std::tuple<const char*, std::string, std::string> refused[] = {
      {"r.zip", "PK not an archive", "ZIP ファイルとして読めません ("},
      {"r.zip", Zip({fig}), "ZIP の中にテキスト (.txt, .htm, .html) がありません"},
      {"r.zip", Zip({{"*neko.txt", story}}), "ZIP の中の neko.txt は暗号化されていて読めません"},
      {"r.zip", StatedSize(small, 0x10000001),
       "ZIP の中の neko.txt は展開すると 256 MB を超えるため読めません"},
      {"r.zip", StatedSize(small, 4), "ZIP の中の neko.txt は壊れています ("},
      {"zip.txt", small, binary + "NUL バイトを含みます)"},
      {"picture.txt", fig.second, binary + "NUL バイトを含みます)"},
      {"controls.txt", "ab\x01\x02\x03\x04\x05\x06\r\n", binary + "制御文字が多すぎます)"}};
  for (const auto& [name, bytes, why] : refused) {
    SCOPED_TRACE(why);
    Open(name, bytes);
    ASSERT_EQ(platform->Errors.size(), 1u);
    EXPECT_TRUE(platform->Errors[0].starts_with("ファイル " + dir / name + " は開けません\n" + why))
        << platform->Errors[0];
    EXPECT_EQ(F().Editor1.Lines.Count(), 0);
    platform->Errors.clear();
  }
  // A drop, the command line and "Unite" take a .zip as well.
  WriteFile(dir / "neko.zip", small);
  F().DropDst1FileDrop({dir / "neko.zip"});
  EXPECT_EQ(F().Editor1.Lines[0], Sjis("吾輩は猫である。"));
  Start({dir / "neko.zip"});
  EXPECT_EQ(std::pair(F().FTextName, std::string(F().Editor1.Lines[0])),
            std::pair(std::string("neko.zip"), Sjis("吾輩は猫である。")));
  platform->Answers.push_back(MsgResult::No);
  Join(dir / "neko.zip");
  EXPECT_EQ(ReadFile(Unite("neko_u.txt")), story + "\r\n\r\n\r\n\r\n\r\n" + story);
}

// "Reopen as…" reads the current file again in the encoding chosen, which
// that file keeps through a change of layout; another file is detected anew.
TEST_F(TextSourcesTest, ReopenAsReadsTheCurrentFileAgainInTheChosenEncoding) {
  Start();
  F().ReopenEucJp1Click();  // no file yet: nothing happens
  EXPECT_FALSE(F().FFileIn);
  const std::string hon = "\xCB\xDC\r\n";  // 本 in EUC-JP, read as ﾋﾜ in Shift-JIS
  EXPECT_EQ(Open("hon.txt", hon), "\xCB\xDC\n");
  F().TriButton1Click();
  F().Dispatch([&] { F().ReopenEucJp1Click(); });
  EXPECT_EQ(std::tuple(F().FPage, F().Editor1.Lines[0], F().HintLabel1.Caption),
            std::tuple(1, Sjis("本"), std::string("EUC-JPとして読み直しました")));
  F().FullCheckBox.Checked = true;
  F().Dispatch([&] { F().FullCheckBoxClick(); });
  EXPECT_EQ(F().Editor1.Lines[0], Sjis("本"));
  F().Dispatch([&] { F().ReopenSjis1Click(); });
  EXPECT_EQ(F().Editor1.Lines[0], "\xCB\xDC");
  EXPECT_EQ(Open("other.txt", hon), "\xCB\xDC\n");
  platform->Clipboard = "pasted";
  F().Paste1Click();
  F().ReopenUtf81Click();  // the clipboard's text is no file
  EXPECT_EQ(F().FTextName, "Clipboard");
}

}  // namespace
