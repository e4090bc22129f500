// The reader of Aozora Bunko notation: what each form of the notation leaves
// on the page and in the notes. The inputs quote Aozora Bunko's annotation
// list and input manual, and the books in tests/text/data (README.md there).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/common/TestSupport.h"
#include "text/Aozora.h"
#include "text/Sjis.h"

using testsupport::ReadFile;
using testsupport::Sjis;

namespace {

// Stores what code page 932 has as it is and anything else as <hex>, so that
// a test sees which character the reader asked for.
std::string StoreOrName(char32_t c) {
  std::string bytes;
  if (AppendSjis(bytes, c)) return bytes;
  char name[16];
  std::snprintf(name, sizeof name, "<%X>", static_cast<unsigned>(c));
  return name;
}

TAozoraText Read(const std::string& utf8) {
  return ReadAozora(Sjis(utf8), StoreOrName);
}

std::string Joined(const TAozoraText& book) {
  std::string all;
  for (const std::string& line : book.Lines) all += line;
  return all;
}

// The lines as UTF-8, joined by "/".
std::string Lines(const TAozoraText& book) {
  std::string out;
  for (std::size_t i = 0; i < book.Lines.size(); ++i) {
    if (i > 0) out += '/';
    out += SjisToUtf8(book.Lines[i]);
  }
  return out;
}

// Every note in words, with the text it covers: 《》 rubies, marks by their
// glyph or name, "<" for the left side.
std::vector<std::string> Notes(const TAozoraText& book) {
  const std::string all = Joined(book);
  const auto text = [&](std::uint32_t b, std::uint32_t e) {
    return SjisToUtf8(all.substr(b, e - b));
  };
  static const char* const kMarks[] = {"﹅", "﹆", "●",    "○",        "▲",    "△",    "◎",
                                       "◉",  "×",  "傍線", "二重傍線", "鎖線", "破線", "波線"};
  static const char* const kLevels[] = {"大見出し", "中見出し", "小見出し"};
  const auto side = [](TNoteSide s) { return std::string(s == TNoteSide::Left ? "<" : ""); };
  std::vector<std::string> notes;
  for (const auto& n : book.Notes.Ruby)
    notes.push_back(side(n.Side) + text(n.Begin, n.End) + "《" + SjisToUtf8(n.Reading) + "》");
  for (const auto& n : book.Notes.Marks)
    notes.push_back(side(n.Side) + std::string(kMarks[static_cast<int>(n.Kind)]) +
                    text(n.Begin, n.End));
  for (const auto& n : book.Notes.Upright) notes.push_back("縦中横 " + text(n.Begin, n.End));
  for (const auto& n : book.Notes.Headings)
    notes.push_back(std::string(kLevels[static_cast<int>(n.Level)]) + " " + text(n.Begin, n.End));
  for (const auto& n : book.Notes.LineForms) {
    const std::string foot =
        n.FootRaise == TLineFormNote::kNoFoot ? "-" : std::to_string(n.FootRaise);
    notes.push_back("form " + std::to_string(n.FirstIndent) + "/" + std::to_string(n.RestIndent) +
                    "/" + foot + " " + text(n.LineStart, n.LineStart + 2));
  }
  for (std::uint32_t at : book.Notes.PageBreaks) notes.push_back("break " + text(at, at + 2));
  for (const auto& p : book.Notes.Pictures)
    notes.push_back("picture " + p.FileName + " " + text(p.At, p.At + 2));
  return notes;
}

struct Case {
  const char* name;
  std::string input;  // UTF-8, lines ended by \n
  std::string shown;  // the lines as Lines() gives them, then " | " and each note
  std::size_t applied = 0, notApplied = 0;
};

void Check(const Case& c) {
  SCOPED_TRACE(std::string(c.name) + ": " + c.input);
  const TAozoraText book = Read(c.input);
  std::string shown = Lines(book);
  for (const std::string& note : Notes(book)) shown += " | " + note;
  EXPECT_EQ(shown, c.shown);
  EXPECT_EQ(book.Report.Applied, c.applied);
  EXPECT_EQ(book.Report.NotApplied, c.notApplied);
}

TEST(AozoraTest, RubyFindsItsBaseByTheBarOrByTheRunOfOneClass) {
  const Case cases[] = {
      {"kanji run after kana", "耳まで火照《ほて》って", "耳まで火照って | 火照《ほて》", 1},
      {"bar marks the start", "福沢諭吉｜記《しるす》", "福沢諭吉記 | 記《しるす》", 1},
      {"bar spans classes", "霧の｜ロンドン警視庁《スコットランドヤード》",
       "霧のロンドン警視庁 | ロンドン警視庁《スコットランドヤード》", 1},
      {"hiragana run with ゝ", "「おゝおまへ《オー　ヅウ》",
       "「おゝおまへ | おゝおまへ《オー　ヅウ》", 1},
      {"々 and ヶ are kanji", "市ヶ谷《いちがや》から転々《てんてん》と",
       "市ヶ谷から転々と | 市ヶ谷《いちがや》 | 転々《てんてん》", 2},
      {"full-width digit, Greek", "８《エイト》　γ《ガムマア》",
       "８　γ | ８《エイト》 | γ《ガムマア》", 2},
      {"a sign is its own base", "なに！？《インタロゲーションマーク》",
       "なに！？ | ？《インタロゲーションマーク》", 1},
      {"a Latin word", "兄きのような Fanatiker《ファナチイケル》 とは",
       "兄きのような Fanatiker とは | Fanatiker《ファナチイケル》", 1},
      {"a ruby ends the next base", "漢字《かんじ》漢字《かんじ》",
       "漢字漢字 | 漢字《かんじ》 | 漢字《かんじ》", 2},
      {"an annotation ends the next base", "青空［＃「青空」に傍点］文庫《ぶんこ》",
       "青空文庫 | 文庫《ぶんこ》 | ﹅青空", 2},
      {"external character as kanji", "…※［＃「木＋靈」、第3水準1-86-29］子窓《れんじまど》の下",
       "…<6B1E>子窓の下 | <6B1E>子窓《れんじまど》", 2},
      {"external character in the reading", "名《な※［＃二の字点、1-2-22］》",
       "名 | 名《な<303B>》", 2},
      {"carried character as kanji", "の\uE000字《じ》", "の\uE000字 | \uE000字《じ》", 1},
      {"accented word", "彼の 〔E'tude〕《エチュード》 だ",
       "彼の <C9>tude だ | <C9>tude《エチュード》", 1},
      {"empty 《》 is text", "あ《》い", "あ《》い"},
      {"bar without ruby is text", "Ａ｜Ｂ", "Ａ｜Ｂ"},
      {"bar then another bar", "甲｜乙｜丙《へい》", "甲｜乙丙 | 丙《へい》", 1},
      {"literal bar is no base", "あ｜《よみ》", "あ｜《よみ》"},
      {"no 》 on the line", "漢字《かん\nじ》です", "漢字《かん/じ》です"},
  };
  for (const Case& c : cases) Check(c);
}

TEST(AozoraTest, AnnotationsApplyToTheirTextAndLeaveNoTrace) {
  const Case cases[] = {
      {"forward reference", "腹がへっても［＃「腹がへっても」に傍点］、",
       "腹がへっても、 | ﹅腹がへっても", 1},
      {"reference across an annotation", "青空［＃「青空」に傍点］文庫［＃「青空文庫」に傍線］",
       "青空文庫 | ﹅青空 | 傍線青空文庫", 2},
      {"reference leaves the rubies out",
       "独《ひと》り寝《ね》の別《わか》れ［＃「独り寝の別れ」は大見出し］",
       "独り寝の別れ | 独《ひと》 | 寝《ね》 | 別《わか》 | 大見出し 独り寝の別れ", 4},
      {"brackets nest",
       "※［＃「てへん＋劣」、第3水準1-84-77］［＃「※［＃「てへん＋劣」、第3水準1-84-"
       "77］」に白丸傍点］",
       "<6318> | ○<6318>", 2},
      {"reference that does not match", "青空［＃「文庫」に傍点］", "青空", 0, 1},
      {"reference from inside a character", "漢字［＃「ｿ字」に傍点］", "漢字", 0, 1},
      {"only marks take the left side", "［＃左に大見出し］青空［＃左に大見出し終わり］", "青空", 0,
       2},
      {"reference to the line before", "青空\n［＃「青空」に傍点］", "青空", 0, 1},
      {"left side", "責［＃「責」の左に蛇の目傍点］空", "責空 | <◉責", 1},
      {"pair", "［＃ばつ傍点］読書しよう［＃ばつ傍点終わり］。", "読書しよう。 | ×読書しよう", 2},
      {"left pair", "［＃左に波線］青空［＃左に波線終わり］", "青空 | <波線青空", 2},
      {"pair open at the line's end", "［＃傍点］青空\n文庫［＃傍点終わり］", "青空/文庫", 0, 2},
      {"heading pair", "［＃大見出し］亜細亜《アジア》の曙［＃大見出し終わり］",
       "亜細亜の曙 | 亜細亜《アジア》 | 大見出し 亜細亜の曙", 3},
      {"run-in heading", "龍王岬［＃「龍王岬」は窓中見出し］　峨々",
       "龍王岬　峨々 | 中見出し 龍王岬", 1},
      {"upright digits", "米機Ｂ29［＃「29」は縦中横］の編隊", "米機Ｂ29の編隊 | 縦中横 29", 1},
      {"five letters are too many", "Conc.［＃「Conc.」は縦中横］", "Conc.", 0, 1},
      {"left ruby", "青空文庫［＃「青空文庫」の左に「あおぞらぶんこ」のルビ］",
       "青空文庫 | <青空文庫《あおぞらぶんこ》", 1},
      {"ruby pair", "［＃左にルビ付き］子窓［＃左に「れんじまど」のルビ付き終わり］",
       "子窓 | <子窓《れんじまど》", 2},
      {"editor's note", "紋附だとか［＃「紋附だとか」は底本では「絞附だとか」］", "紋附だとか", 0,
       1},
      {"kanbun marks", "自［＃二］女王國［＃一］東", "自女王國東", 0, 2},
      {"pair of undrawn markers", "［＃割り注］中世の武士［＃割り注終わり］）", "中世の武士）", 0,
       2},
      {"［＃ without ］ is text", "あ［＃傍点", "あ［＃傍点"},
      {"［ without ＃ is text", "［二十歳の 〔E'tude〕］", "［二十歳の <C9>tude］"},
      {"picture", "前\n［＃挿絵（fig47728_06.png、横320×縦322）入る］\n次",
       "前/次 | picture fig47728_06.png 次", 1},
  };
  for (const Case& c : cases) Check(c);
}

TEST(AozoraTest, IndentsFeetAndBreaksPlaceTheLines) {
  const Case cases[] = {
      {"one-line indent", "［＃３字下げ］灰いろ\n次", "灰いろ/次 | form 3/3/- 灰", 1},
      {"indent after text", "灰いろ［＃３字下げ］", "灰いろ", 0, 1},
      {"old form of the indent", "［＃天から２字下げ］甲", "甲 | form 2/2/- 甲", 1},
      {"three digits", "［＃１００字下げ］甲", "甲 | form 100/100/- 甲", 1},
      {"block with wrapped rows",
       "［＃ここから２字下げ、折り返して３字下げ］\n一、甲\n［＃ここで字下げ終わり］\n乙",
       "一、甲/乙 | form 2/3/- 一", 2},
      {"hanging block",
       "［＃ここから改行天付き、折り返して１字下げ］\n一　余\n［＃ここで字下げ終わり］",
       "一　余 | form 0/1/- 一", 2},
      {"a block replaces the open one",
       "［＃ここから２字下げ］\n甲\n［＃ここから４字下げ］\n乙\n［＃ここで字下げ終わり］\n丙",
       "甲/乙/丙 | form 2/2/- 甲 | form 4/4/- 乙", 3},
      {"closer without a block", "［＃ここで字下げ終わり］\n甲", "甲", 0, 1},
      {"tolerant opener", "［＃ここから２字下げ、「レ一二」は返り点］\n甲", "甲 | form 2/2/- 甲",
       1},
      {"a block open at the footer ends there",
       "［＃ここから２字下げ］\n甲\n底本：「某」\n入力：某",
       "甲/底本：「某」/入力：某 | form 2/2/- 甲", 1},
      {"foot", "［＃地付き］（この日記終り）", "（この日記終り） | form 0/0/0 （", 1},
      {"foot in mid-line", "はいった。［＃地付き］（所収）", "はいった。/（所収） | form 0/0/0 （",
       1},
      {"raised foot", "［＃地から２字上げ］（昭和）", "（昭和） | form 0/0/2 （", 1},
      {"foot block", "［＃ここから地から１字上げ］\n――付\n［＃ここで字上げ終わり］\n次",
       "――付/次 | form 0/0/1 ―", 2},
      {"indent and foot", "［＃ここから１字下げ］\n附記［＃地から１字上げ］坂口",
       "附記/坂口 | form 1/1/- 附 | form 1/1/1 坂", 2},
      {"every break", "甲\n［＃改ページ］\n乙\n［＃改丁］\n丙\n［＃改見開き］\n丁\n［＃改段］\n戊",
       "甲/乙/丙/丁/戊 | break 乙 | break 丙 | break 丁 | break 戊", 4},
      {"break in mid-line", "甲［＃改ページ］乙", "甲/乙 | break 乙", 1},
      {"an empty page between two breaks", "甲\n［＃改ページ］\n\n［＃改ページ］\n乙",
       "甲//乙 | break 乙 | break 乙", 2},
      {"a break with nothing after it", "甲\n［＃改ページ］\n\n", "甲/", 1},
      {"heading block", "［＃ここから中見出し］\n一\n\n二\n［＃ここで中見出し終わり］",
       "一//二 | 中見出し 一 | 中見出し 二", 2},
  };
  for (const Case& c : cases) Check(c);
}

TEST(AozoraTest, CharactersComeFromTheirCodes) {
  const Case cases[] = {
      {"level 3 kanji", "※［＃「てへん＋劣」、第3水準1-84-77］", "<6318>", 1},
      {"level 4 kanji", "※［＃「てへん＋丑」、第4水準2-12-93］", "<626D>", 1},
      {"symbol without level", "名※［＃二の字点、1-2-22］", "名<303B>", 1},
      {"Unicode", "※［＃「口＋世」、U+546D、ページ数-行数］", "<546D>", 1},
      {"two scalars", "※［＃半濁点付き平仮名か、1-4-87］", "か<309A>", 1},
      {"a character code page 932 has", "※［＃始め二重山括弧、1-1-52］花", "《花", 1},
      {"page and line only", "※［＃「土へん＋竒」、ページ数-行数］", "※", 0, 1},
      {"no code at all", "※［＃もんがまえに真の正字］", "※", 0, 1},
      {"cell out of range", "※［＃「某」、1-95-1］", "※", 0, 1},
      {"lone ※ is text", "※底本の注", "※底本の注"},
      {"repetition mark", "いろ／＼と", "いろ<3033><3035>と"},
      {"voiced repetition mark", "ぐる／″＼", "ぐる<3034><3035>"},
      {"accents", "繁雑な日本の 〔e'tiquette〕 も", "繁雑な日本の <E9>tiquette も"},
      {"elision stays", "〔La pense'e doit remplir toute l'existence.〕",
       "La pens<E9>e doit remplir toute l'existence."},
      {"umlaut and ligature", "〔u:ber oe&uvre Go:tter〕", "<FC>ber <153>uvre G<F6>tter"},
      {"brackets without accents", "「分析」〔本全集第一巻所収〕参照",
       "「分析」〔本全集第一巻所収〕参照"},
  };
  for (const Case& c : cases) Check(c);
}

// The header stays, the explanation between the dashed lines goes without
// being read, and the footer is plain text.
TEST(AozoraTest, HeaderExplanationAndFooterAreReadAsABook) {
  const std::string dashes(10, '-');  // the fewest that make a dashed line
  const std::string book =
      "坊っちゃん\n夏目漱石\n\n" + dashes +
      "\n【テキスト中に現れる記号について】\n（例）坊《ぼ》っちゃん\n［＃］：入力者注\n" + dashes +
      "\n\n［＃５字下げ］一［＃「一」は中見出し］\n\n底本：「ちくま《文庫》」\n";
  Check({"book", book,
         "坊っちゃん/夏目漱石///一//底本：「ちくま《文庫》」 | 中見出し 一 | form 5/5/- 一", 2});
  EXPECT_TRUE(LooksLikeAozora(Sjis(book)));
  // Without the 【 line after it, a dashed line is text.
  EXPECT_EQ(Lines(Read("題\n\n" + dashes + "\n本文\n" + dashes)),
            "題//" + dashes + "/本文/" + dashes);
}

TEST(AozoraTest, LooksLikeAozoraBySignsOfTheNotation) {
  const std::pair<const char*, bool> cases[] = {
      {"吾輩は猫である。\n名前はまだ無い。", false},
      {"本文\n底本：「某」", true},
      {"本文［＃「本文」に傍点］", true},
      {"本文［＃傍点\n］", false},
      {"漢字《かんじ》だけ", false},
  };
  for (const auto& [text, looks] : cases) EXPECT_EQ(LooksLikeAozora(Sjis(text)), looks) << text;
}

// Lone CR, lone LF and CR LF end lines; bytes that are no character (a lead
// byte before a line end, a pair no character has, a byte of none) become 〓
// and the rest is read; 0x1A ends the text.
TEST(AozoraTest, LineEndsAndInvalidBytes) {
  Check({"line ends", "甲\r乙\r\r丙\r\n丁\n戊", "甲/乙//丙/丁/戊"});
  Check({"0x1A ends the text", "甲\n乙\x1a丙", "甲/乙"});
  const TAozoraText book = ReadAozora(
      Sjis("漢") + "\x82\r" + Sjis("字《じ》") + "\x82" + "A" + Sjis("［＃改ページ］\n次") + "\xfd",
      StoreOrName);
  EXPECT_EQ(Lines(book), "漢〓/字〓/次〓");
  EXPECT_EQ(Notes(book), (std::vector<std::string>{"字《じ》", "break 次"}));
  EXPECT_EQ(book.Report.Replaced, 3u);
}

// The whole sample of the notation: none of it is shown raw, and every
// emphasis and heading it shows is honoured. That every note lies on the
// text's characters fuzz_aozora checks, the sample being one of its seeds.
TEST(AozoraTest, NothingOfTheNotationSampleIsShownRaw) {
  const std::string sample = ReadFile(QUILLANE_SOURCE_DIR "/tests/text/data/notation-sample.txt");
  const TAozoraText book = ReadAozora(sample, StoreOrName);
  std::size_t rubyMarks = 0;
  for (const std::string& line : book.Lines) {
    const std::string utf8 = SjisToUtf8(line);
    EXPECT_EQ(utf8.find("［＃"), std::string::npos) << utf8;
    EXPECT_EQ(utf8.find("【テキスト中に現れる記号について】"), std::string::npos);
    rubyMarks += utf8.find("《") != std::string::npos || utf8.find("》") != std::string::npos;
  }
  EXPECT_EQ(rubyMarks, 2u);  // the two written as ※［＃…、1-1-52］ and 1-1-53
  // Its 70 emphasis annotations; its 41 heading annotations and 4 heading
  // blocks of two lines.
  EXPECT_EQ(book.Notes.Marks.size(), 70u);
  EXPECT_EQ(book.Notes.Headings.size(), 49u);
  EXPECT_EQ(book.Notes.Pictures.size(), 4u);
}

}  // namespace
