// Pages per second of the batch export: the plain batch (every page a numbered
// JPEG) and the Exif batch with thumbnails, driven through their buttons into a
// temporary folder. Two page counts show that time grows linearly with pages.
// Then the same two batches as the command line runs them, planned once and
// drawn by the page pool, on one worker and on every processor: the ratio of
// their pages/s is what the processors add.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include "bench/GuiBenchMain.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "export/JpegCodec.h"
#include "export/PagePool.h"
#include "export/Streams.h"
#include "form/BatchPlan.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "text/Sjis.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder removed at the end.
class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/quillane-bench-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// A text of 'pages' pages: 13 one-column lines a page.
void LoadText(TForm1& form, int pages) {
  std::string text;
  for (int i = 0; i < pages * 13; ++i)
    text += Utf8ToSjis("吾輩は猫である。名前はまだ無い。") + "\r\n";
  form.Editor1.Lines.SetText(text);
  form.FFileIn = true;
  form.FTextName = "bench.txt";
  form.FPreEcri(form.Editor1);
  form.GColor = clWhite;
  form.FoColor = clBlack;
  form.JQualityUpDown.Position = 60;
}

void Put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Entry(std::string& out, unsigned tag, unsigned type, std::uint32_t value) {
  Put16(out, tag);
  Put16(out, type);
  Put32(out, 1);
  Put32(out, value);
}

// A camera-like JPEG: an Exif block (little-endian, empty IFD0, IFD1 placing a
// 160 x 120 JPEG thumbnail), then a 640 x 480 picture.
std::string CameraTemplate() {
  TABitmap picture(640, 480);
  picture.Fill(RGBColor(90, 120, 150));
  TABitmap small(160, 120);
  small.Fill(RGBColor(90, 120, 150));
  const std::string main = EncodePageJpeg(picture, 85);
  const std::string thumb = EncodePageJpeg(small, 85);
  std::string tiff = "II";
  Put16(tiff, 42);
  Put32(tiff, 8);
  Put16(tiff, 0);   // IFD0: no entries
  Put32(tiff, 14);  // IFD1 follows
  const std::uint32_t thumbOffset = 14 + 2 + 3 * 12 + 4;
  Put16(tiff, 3);
  Entry(tiff, 0x0103, 3, 6);
  Entry(tiff, 0x0201, 4, thumbOffset);
  Entry(tiff, 0x0202, 4, static_cast<std::uint32_t>(thumb.size()));
  Put32(tiff, 0);
  tiff += thumb;
  const std::string payload = std::string("Exif\0\0", 6) + tiff;
  std::string out = "\xFF\xD8\xFF\xE1";
  out += static_cast<char>((payload.size() + 2) >> 8);
  out += static_cast<char>((payload.size() + 2) & 0xFF);
  return out + payload + main.substr(2);
}

void ReportPages(benchmark::State& state, int pages) {
  state.SetItemsProcessed(state.iterations() * pages);
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * pages,
                                                 benchmark::Counter::kIsRate);
}

void BM_PlainBatch(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  ScratchDir dir;
  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FProgramDir = dir.Path().string();
  LoadText(form, pages);
  if (form.FAllPage != pages) state.SkipWithError("unexpected page count");
  for (auto _ : state) {
    form.Dispatch([&] { form.SaveAllButtonClick(); });
    if (!platform.Errors.empty()) state.SkipWithError(platform.Errors[0].c_str());
  }
  ReportPages(state, pages);
}
BENCHMARK(BM_PlainBatch)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

// The camera templates of an Exif batch, one per page.
void WriteCameras(const fs::path& cameras, int pages) {
  fs::create_directories(cameras);
  const std::string camera = CameraTemplate();
  for (int i = 1; i <= pages; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "P%07d.JPG", i);
    WriteFileAtomically((cameras / name).string(), camera);
  }
}

void BM_ExifThumbnailBatch(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  ScratchDir dir;
  const fs::path cameras = dir.Path() / "card";
  WriteCameras(cameras, pages);
  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FProgramDir = dir.Path().string();
  LoadText(form, pages);
  if (form.FAllPage != pages) state.SkipWithError("unexpected page count");
  for (auto _ : state) {
    platform.FileAnswers.push_back(cameras.string());
    form.Dispatch([&] { form.SaveAllThumbInButtonClick(); });
    if (!platform.Errors.empty()) state.SkipWithError(platform.Errors[0].c_str());
  }
  if (fs::exists(dir.Path() / "bench_th/P0000001.JPG") == false)
    state.SkipWithError("nothing written");
  ReportPages(state, pages);
}
BENCHMARK(BM_ExifThumbnailBatch)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kPoolPages = 1000;

// Removes every file under folder but those under keep; folders stay.
void RemovePagesOutside(const fs::path& folder, const fs::path& keep) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file() && !entry.path().string().starts_with(keep.string()))
      files.push_back(entry.path());
  for (const fs::path& file : files) fs::remove(file);
}

// Plans the batch as the command line does and runs it through a pool of jobs
// workers, once per iteration.
void RunPool(benchmark::State& state, TPageFileKind kind) {
  const int jobs = static_cast<int>(state.range(0));
  ScratchDir dir;
  const fs::path cameras = dir.Path() / "card";
  if (kind != TPageFileKind::Numbered) WriteCameras(cameras, kPoolPages);
  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FProgramDir = dir.Path().string();
  LoadText(form, kPoolPages);
  platform.FileAnswers.push_back(cameras.string());
  const auto plan = std::make_shared<const TExportPlan>(PlanBatch(form, kind).value());
  const std::atomic<bool> interrupt{false};
  for (auto _ : state) {
    // Each run writes new files, as an export does; replacing the last run's
    // files would time the checks a replacement makes instead.
    state.PauseTiming();
    RemovePagesOutside(dir.Path(), cameras);
    state.ResumeTiming();
    TPagePool pool(jobs, interrupt);
    pool.BeginBook(plan);
    for (int page = 1; page <= plan->Pages; ++page) {
      TPlannedPage planned;
      PlanPage(form, page, planned);
      pool.Add(std::move(planned));
    }
    pool.Finish();
    if (pool.PagesWritten() != kPoolPages) state.SkipWithError("pages missing");
  }
  ReportPages(state, kPoolPages);
}

void BM_PoolPlain(benchmark::State& state) {
  RunPool(state, TPageFileKind::Numbered);
}
void BM_PoolExifThumbnail(benchmark::State& state) {
  RunPool(state, TPageFileKind::ExifThumb);
}
const int kEveryProcessor = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
BENCHMARK(BM_PoolPlain)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(kEveryProcessor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PoolExifThumbnail)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(kEveryProcessor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return RunGuiBenchmarks(argc, argv);
}
