// Hot paths of the Exif exports: one thumbnail from a 640 x 480 page, one whole
// splice with thumbnail replacement, and one page JPEG at quality 60.
#include <benchmark/benchmark.h>

#include <random>

#include "export/ExifThumb.h"
#include "export/JpegCodec.h"
#include "export/JpegTTx.h"
#include "export/Streams.h"

namespace {

// A page-like picture: a flat background with noisy strokes of text colour.
TABitmap Page() {
  TABitmap page(640, 480);
  page.Fill(0x202020);
  std::mt19937 random(3);
  for (int y = 40; y < 440; ++y)
    for (int x = 40; x < 600; ++x)
      if ((x / 24 + y / 36) % 3 == 0 && random() % 4 != 0) page.SetPixel(x, y, 0xF0F0F0);
  return page;
}

// A template: SOI, APP1 with an II TIFF block, IFD0 empty, IFD1 with the three
// thumbnail entries, the old thumbnail, then a page JPEG's scan.
std::string Template(const std::string& oldThumb, const std::string& page) {
  std::string a("Exif\0\0II\x2A\x00\x08\x00\x00\x00", 14);
  auto u16 = [&](unsigned v) { a += static_cast<char>(v & 0xFF), a += static_cast<char>(v >> 8); };
  auto u32 = [&](unsigned v) { u16(v & 0xFFFF), u16(v >> 16); };
  u16(0);
  u32(8 + 6);  // IFD1 right after IFD0's next-IFD field
  u16(3);
  u16(0x0103), u16(3), u32(1), u32(6);
  u16(0x0201), u16(4), u32(1), u32(14 + 2 + 36 + 4);
  u16(0x0202), u16(4), u32(1), u32(static_cast<unsigned>(oldThumb.size()));
  u32(0);
  a += oldThumb;
  const std::size_t length = a.size() + 2;
  return std::string("\xFF\xD8\xFF\xE1", 4) + static_cast<char>(length >> 8) +
         static_cast<char>(length & 0xFF) + a + page.substr(2);
}

void BM_ThumbnailFromPage(benchmark::State& state) {
  const TABitmap page = Page();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeThumbnail(page, 60));
}
BENCHMARK(BM_ThumbnailFromPage)->Unit(benchmark::kMillisecond);

void BM_PageJpegQuality60(benchmark::State& state) {
  const TABitmap page = Page();
  for (auto _ : state) benchmark::DoNotOptimize(EncodePageJpeg(page, 60));
}
BENCHMARK(BM_PageJpegQuality60)->Unit(benchmark::kMillisecond);

// What one page of the thumbnail batch costs: gather the template's block,
// encode the page, make the thumbnail, splice.
void BM_SpliceWithThumbnail(benchmark::State& state) {
  const TABitmap page = Page();
  const std::string tmplBytes = Template(EncodeThumbnail(page, 90), EncodePageJpeg(page, 90));
  for (auto _ : state) {
    TMemoryStream source(tmplBytes), out;
    ExifTemplate tmpl;
    if (ReadExifTemplate(source, tmpl) != ExifRefusal::None) state.SkipWithError("template");
    const std::string pageJpeg = EncodePageJpeg(page, 60);
    const std::string thumb = EncodeThumbnail(page, 60);
    ReplaceThumbnail(out, source, tmpl, thumb, std::string_view(pageJpeg).substr(2));
    benchmark::DoNotOptimize(out.Data().data());
  }
}
BENCHMARK(BM_SpliceWithThumbnail)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
