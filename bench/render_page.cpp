// A page render without fades, a whole page turn with the fade-out and the
// fade-in (the blends; the headless repaint costs nothing), and a page of a book
// with readings beside most columns against the same page without them.
//
// With QUILLANE_NOTE_PAGES set to a folder, the program first writes there a
// page of hand-made notes (readings, marks, headings, indents, upright runs)
// in every layout and size, as PNG files to look at.
#include <benchmark/benchmark.h>

#include "bench/GuiBenchMain.h"

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "form/Unit1.h"
#include "render/PageCompose.h"
#include "shell/HeadlessPlatform.h"
#include "text/Encoding.h"
#include "text/Sjis.h"

namespace {

// 200 lines of a novel's opening; with `carried`, three characters of each
// line have no code-page-932 form (頰 and 剝 drawn, 𠮷 drawn as 〓).
void LoadText(TForm1& form, bool carried = false) {
  std::string line =
      "　吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
      "「何でも薄暗いじめじめした所で」ニャーニャー泣いていた事だけは記憶している。";
  if (carried)
    for (const auto& [from, to] : {std::pair{"吾", "頰"}, {"薄", "剝"}, {"記", "𠮷"}})
      line.replace(line.find(from), std::string_view(from).size(), to);
  std::string text;
  for (int i = 0; i < 200; ++i) text += line + "\r\n";
  TDecodedText decoded = DecodeText(text, false, TTextEncoding::Utf8);
  form.Editor1.Lines.SetText(decoded.Bytes, std::move(decoded.Carried));
  form.FFileIn = true;
  form.FTextName = "bench";
  form.FPreEcri(form.Editor1);
  form.GColor = clWhite;
  form.FoColor = clBlack;
}

void BM_PageRender(benchmark::State& state) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  LoadText(form, state.range(2) != 0);
  form.LCheckBox8.Checked = state.range(0) != 0;
  const bool qvga = state.range(1) != 0;  // the camera size, where type is drawn solid
  form.QvgaCheckBox.Checked = qvga;
  int page = 1;
  for (auto _ : state) {
    form.FPage = page;
    if (qvga)
      form.Eqriture(form.Image1);
    else
      form.Ecriture(form.Image1);
    page = page % form.FAllPage + 1;
  }
}
BENCHMARK(BM_PageRender)
    ->ArgNames({"horizontal", "qvga", "carried"})
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

void BM_PageTurnWithFades(benchmark::State& state) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  LoadText(form);
  form.LCheckBox5.Checked = true;  // +Fade Out
  form.LCheckBox7.Checked = true;  // +Fade In
  form.FPageShown = true;
  int page = 1;
  for (auto _ : state) {
    form.FPage = page;
    form.Ecriture(form.Image1);
    page = page % form.FAllPage + 1;
  }
}
BENCHMARK(BM_PageTurnWithFades)->Unit(benchmark::kMillisecond);

// One slot of a book page with its notes, written in UTF-8 and kept as code
// page 932; each note names the text it stands beside (its first occurrence).
class NotedSlot {
 public:
  explicit NotedSlot(std::string_view utf8) : text_(Utf8ToSjis(utf8)) {}
  NotedSlot& Ruby(std::string_view base, std::string_view reading,
                  TNoteSide side = TNoteSide::Right) {
    const auto [begin, end] = Find(base);
    decor_.Ruby.push_back({begin, end, Utf8ToSjis(reading), side});
    return *this;
  }
  NotedSlot& Mark(std::string_view run, TMarkKind kind, TNoteSide side = TNoteSide::Right) {
    const auto [begin, end] = Find(run);
    decor_.Marks.push_back({begin, end, kind, side});
    return *this;
  }
  NotedSlot& Upright(std::string_view run) {
    const auto [begin, end] = Find(run);
    decor_.Upright.push_back({begin, end});
    return *this;
  }
  NotedSlot& Heading(std::string_view run, THeadingLevel level) {
    const auto [begin, end] = Find(run);
    decor_.Headings.push_back({begin, end, level});
    return *this;
  }
  NotedSlot& Indent(int cells) {
    decor_.IndentCells = cells;
    return *this;
  }
  NotedSlot& Foot(int raise) {
    decor_.FootRaise = raise;
    return *this;
  }
  const std::string& Text() const { return text_; }
  const TSlotDecor& Decor() const { return decor_; }

 private:
  std::pair<std::uint16_t, std::uint16_t> Find(std::string_view utf8) const {
    const std::string sjis = Utf8ToSjis(utf8);
    const std::size_t at = text_.find(sjis);
    if (at == std::string::npos) std::abort();  // the fixture names text it does not hold
    return {static_cast<std::uint16_t>(at), static_cast<std::uint16_t>(at + sjis.size())};
  }
  std::string text_;
  TSlotDecor decor_;
};

struct NotedPage {
  std::vector<std::string> Slots{""};
  std::vector<TSlotDecor> Decor{TSlotDecor{}};
  void Add(const NotedSlot& slot) {
    Slots.push_back(slot.Text());
    Decor.push_back(slot.Decor());
  }
};

// Every kind of note, one or two to a slot.
NotedPage ShowcasePage() {
  using K = TMarkKind;
  NotedPage page;
  page.Add(
      NotedSlot("第一章　猫の生れ").Heading("第一章　猫の生れ", THeadingLevel::Large).Indent(3));
  page.Add(NotedSlot("吾輩は猫である。名前はまだ無い。")
               .Ruby("吾輩", "わがはい")
               .Ruby("名前", "なまえ"));
  page.Add(NotedSlot("どこで生れたかとんと見当がつかぬ。")
               .Ruby("見当", "けんとう")
               .Mark("とんと", K::Sesame));
  page.Add(NotedSlot("何でも薄暗いじめじめした所で")
               .Ruby("薄暗", "うすぐら")
               .Mark("じめじめ", K::BlackCircle));
  page.Add(NotedSlot("明治38年の春、12月の話を聞く。").Upright("38").Upright("12"));
  page.Add(NotedSlot("東京特許許可局に、鵺と鸚鵡。")
               .Ruby("東京", "とうきょう")
               .Ruby("特許", "とっきょ")
               .Ruby("許可局", "きょかきょく")
               .Ruby("鵺", "ぬえ")
               .Ruby("鸚鵡", "おうむ"));
  page.Add(NotedSlot("傍線と二重傍線と鎖線と破線と波線")
               .Mark("傍線", K::SolidLine)
               .Mark("二重傍線", K::DoubleLine)
               .Mark("鎖線", K::ChainLine)
               .Mark("破線", K::DashedLine)
               .Mark("波線", K::WavyLine));
  page.Add(NotedSlot("白胡麻白丸黒三角白三角二重丸蛇の目")
               .Mark("白胡麻", K::WhiteSesame)
               .Mark("白丸", K::WhiteCircle)
               .Mark("黒三角", K::BlackTriangle)
               .Mark("白三角", K::WhiteTriangle)
               .Mark("二重丸", K::Bullseye)
               .Mark("蛇の目", K::FishEye));
  page.Add(NotedSlot("左に読みを振り、左にばつ。")
               .Ruby("読", "よ", TNoteSide::Left)
               .Ruby("振", "ふ", TNoteSide::Left)
               .Mark("ばつ", K::Cross, TNoteSide::Left));
  page.Add(NotedSlot("一　中見出しの行")
               .Heading("一　中見出しの行", THeadingLevel::Medium)
               .Ruby("行", "ぎょう"));
  page.Add(NotedSlot("小見出し").Heading("小見出し", THeadingLevel::Small).Indent(2));
  page.Add(NotedSlot("――明治三十八年").Foot(0));
  page.Add(NotedSlot("夏目漱石").Ruby("漱石", "そうせき").Foot(2));
  return page;
}

// The opening of a novel, every column with two or three readings.
NotedPage RubyPage(bool withNotes) {
  NotedPage page;
  for (int k = 1; k <= 13; ++k) {
    NotedSlot slot("吾輩は猫である。名前はまだ無い。どこで");
    if (withNotes && k % 4 != 0) {
      slot.Ruby("吾輩", "わがはい").Ruby("猫", "ねこ").Ruby("名前", "なまえ");
    }
    page.Add(slot);
  }
  return page;
}

TPageContent Content(const NotedPage& page) {
  TPageContent content;
  content.Page = 12;
  content.Slots = page.Slots;
  content.Decor = page.Decor;
  content.Text = clBlack;
  content.Background = clWhite;
  return content;
}

void BM_ComposeBookPage(benchmark::State& state) {
  const bool notes = state.range(0) != 0;
  const bool horizontal = state.range(1) != 0;
  const NotedPage page = RubyPage(notes);
  TPageOptions options;
  options.UserText = true;
  options.Horizontal = horizontal;
  TABitmap bitmap(640, 480);
  for (auto _ : state) ComposePage(options, Content(page), bitmap, false, true);
}
BENCHMARK(BM_ComposeBookPage)
    ->ArgNames({"ruby", "horizontal"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// The showcase page in every layout, as PNG files in `folder`.
void WriteNotePages(const std::filesystem::path& folder) {
  struct Mode {
    const char* Name;
    bool Full, BigFont, MoreBig, Turn, Shift;
  };
  const Mode modes[] = {{"normal", false, false, false, false, false},
                        {"full", true, false, false, false, false},
                        {"bigfont", true, true, false, false, false},
                        {"morebig", true, true, true, false, false},
                        {"turn", true, true, true, true, false},
                        {"turn-shifted", true, true, true, true, true}};
  const NotedPage page = ShowcasePage();
  std::filesystem::create_directories(folder);
  for (bool qvga : {false, true})
    for (bool horizontal : {false, true})
      for (const Mode& m : modes) {
        TPageOptions options{true,   horizontal, false,     false,  m.Turn,
                             m.Full, m.BigFont,  m.MoreBig, m.Shift};
        TABitmap bitmap(qvga ? 320 : 640, qvga ? 240 : 480);
        ComposePage(options, Content(page), bitmap, qvga, true);
        const std::string name = std::string(m.Name) + (horizontal ? "-horizontal" : "-vertical") +
                                 (qvga ? "-qvga" : "") + ".png";
        QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.Stride(),
               QImage::Format_BGR888)
            .save(QString::fromStdString((folder / name).string()));
      }
}

}  // namespace

int main(int argc, char** argv) {
  if (const char* folder = std::getenv("QUILLANE_NOTE_PAGES")) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    WriteNotePages(folder);
    return 0;
  }
  return RunGuiBenchmarks(argc, argv);
}
