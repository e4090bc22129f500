// quillane-cli export: every page of one or more texts written as the batch
// buttons write them, the dialogs' answers taken from the options. Each text
// is laid out and planned by the form as its button would; the pages are then
// drawn and encoded by a pool of workers (every core unless --jobs says
// otherwise), into the same files, with the same bytes, whatever their number.
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "base/Errors.h"
#include "cli/Cli.h"
#include "cli/Progress.h"
#include "cli/ViewOptions.h"
#include "export/ExifThumb.h"
#include "export/PagePool.h"
#include "form/BatchPlan.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"

namespace {

constexpr char kChosen[] = " を選択しました";

// Set by SIGINT or SIGTERM: the export stops after the pages under way, as the
// window's Break stops a batch. The handler only stores; a second signal ends
// the program at once (the handler is reset as it runs). An interrupt the
// shell ignores for us (a background job of a script) stays ignored.
std::atomic<bool> gInterrupted{false};
volatile std::sig_atomic_t gSignal = 0;
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler stores the flag");

extern "C" void OnStopSignal(int signal) {
  gSignal = signal;
  gInterrupted.store(true);
}

class TStopSignals {
 public:
  TStopSignals() {
    gInterrupted = false;
    gSignal = 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, nullptr, &oldInt_);
    if (oldInt_.sa_handler != SIG_IGN) sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, &oldTerm_);
  }
  ~TStopSignals() {
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
  }
  TStopSignals(const TStopSignals&) = delete;
  TStopSignals& operator=(const TStopSignals&) = delete;

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

// The processors this process may run on.
int DefaultJobs() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) return CPU_COUNT(&set);
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

// What the program said since the last call, on stderr: its refusals and
// errors, and the note of pages that kept their thumbnail. The folder notice
// and the questions the options answered stay silent. True when something
// went wrong.
class TMessages {
 public:
  explicit TMessages(const HeadlessPlatform& platform) : p_(platform) {}
  bool PrintNew(TProgressLine& progress) {
    bool failed = false;
    for (; messages_ < p_.Messages.size(); ++messages_) {
      const auto& m = p_.Messages[messages_];
      if (m.Buttons != MsgButtons::Ok || Contains(m.Text, kChosen)) continue;
      progress.Clear();
      std::fprintf(stderr, "%s\n", m.Text.c_str());
      if (!Contains(m.Text, kMsgKeptThumbs)) failed = true;
    }
    for (; errors_ < p_.Errors.size(); ++errors_) {
      progress.Clear();
      std::fprintf(stderr, "error: %s\n", p_.Errors[errors_].c_str());
      failed = true;
    }
    return failed;
  }

 private:
  const HeadlessPlatform& p_;
  std::size_t messages_ = 0;
  std::size_t errors_ = 0;
};

struct TExportRun {
  std::string Home;
  int Quality = 60;
  std::optional<std::string> ExifDir;
  bool Thumbnail = false;
  bool CountThumbnail = false;
  std::optional<long long> Album;
  TViewOptions View;
};

class TExporter {
 public:
  TExporter(const TExportRun& run, int jobs, bool quiet)
      : run_(run),
        form_(platform_),
        messages_(platform_),
        progress_(stderr, !quiet && isatty(STDERR_FILENO)),
        pool_(jobs, gInterrupted) {
    form_.FProgramDir = run.Home;
    form_.JQualityUpDown.Position = run.Quality;
    form_.CountCheckBox.Checked = run.CountThumbnail;
    pool_.OnProgress = [this] { progress_.Update(pool_.PagesWritten()); };
  }

  // Lays the text out, plans its batch and hands its pages to the pool.
  void Book(const std::string& file) {
    ApplyViewOptions(form_, run_.View);
    try {
      LayOutText(form_, run_.View, file);
    } catch (const std::exception& e) {
      progress_.Clear();
      std::fprintf(stderr, "quillane-cli export: %s\n", OneLine(FailureText(e)).c_str());
      failed_ = true;
      return;
    }
    if (run_.ExifDir) {
      platform_.FileAnswers.push_back(*run_.ExifDir);
      if (form_.TurnCheckBox.Checked)
        platform_.Answers.push_back(run_.View.ShiftRight ? MsgResult::No : MsgResult::Yes);
    }
    std::optional<TExportPlan> plan;
    form_.Dispatch([&] { plan = PlanBatch(form_, Kind()); });
    platform_.FileAnswers.clear();
    platform_.Answers.clear();
    if (messages_.PrintNew(progress_) || !plan) {
      failed_ = true;
      return;
    }
    if (!folders_.insert(plan->Files.Folder).second) {
      progress_.Clear();
      std::fprintf(stderr, "quillane-cli export: %s: an earlier text was exported into %s\n",
                   file.c_str(), plan->Files.Folder.c_str());
      failed_ = true;
      return;
    }
    auto shared = std::make_shared<const TExportPlan>(std::move(*plan));
    progress_.AddTotal(shared->Pages);
    pool_.BeginBook(shared);
    for (int page = 1; page <= shared->Pages && !gInterrupted; ++page) {
      TPlannedPage planned;
      PlanPage(form_, page, planned);
      if (!pool_.Add(std::move(planned))) break;
    }
    pool_.EndBook();
    EndBooks();
  }

  // Waits for the last pages; the exit status.
  int Finish() {
    pool_.Finish();
    EndBooks();
    progress_.Clear();
    if (gInterrupted) {
      std::fprintf(stderr, "quillane-cli export: interrupted\n");
      return 128 + (gSignal ? static_cast<int>(gSignal) : SIGINT);
    }
    return failed_ ? 1 : 0;
  }

 private:
  TPageFileKind Kind() const {
    if (!run_.ExifDir) return TPageFileKind::Numbered;
    return run_.Thumbnail ? TPageFileKind::ExifThumb : TPageFileKind::Exif;
  }

  // Says where the pages of each ended book went, and ends it as the window
  // would: the note of kept thumbnails, the album manifests.
  void EndBooks() {
    for (const auto& ended : pool_.TakeEnded()) {
      const TExportPlan& plan = *ended.Plan;
      const TBookResult& result = ended.Result;
      progress_.Clear();
      std::printf("wrote %d page%s to %s\n", result.Written, result.Written == 1 ? "" : "s",
                  plan.Files.Folder.c_str());
      std::fflush(stdout);
      if (!result.Stop.empty()) {
        std::fprintf(stderr, "%s%s\n", result.Failed ? "error: " : "", result.Stop.c_str());
        failed_ = true;
      }
      if (run_.Album) {
        platform_.Answers.push_back(MsgResult::Yes);
        platform_.NumberAnswers.push_back(static_cast<double>(*run_.Album));
      }
      form_.Dispatch([&] { EndPlannedBatch(form_, plan, result, run_.Album.has_value()); });
      platform_.Answers.clear();
      platform_.NumberAnswers.clear();
      const bool said = messages_.PrintNew(progress_);
      failed_ = failed_ || said;
      if (run_.Album && !said && !result.Failed && !result.Interrupted) {
        std::printf("wrote the album to %s/%s%s/\n", run_.Home.c_str(), plan.Files.SaveName.c_str(),
                    plan.AlbumSuffix.c_str());
        std::fflush(stdout);
      }
    }
  }

  const TExportRun& run_;
  HeadlessPlatform platform_;
  TForm1 form_;
  TMessages messages_;
  TProgressLine progress_;
  TPagePool pool_;
  std::set<std::string> folders_;
  bool failed_ = false;
};

int RunExport(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  TExportRun run;
  run.Home = HomeFolder(parser);
  run.Quality = static_cast<int>(parser.Int("--quality", 0, 100).value_or(60));
  run.ExifDir = parser.Value("--exif");
  run.Thumbnail = parser.Flag("--thumbnail");
  run.CountThumbnail = parser.Flag("--count-thumbnail");
  run.Album = parser.Int("--album", -9999999, 9999999);
  const int jobs = static_cast<int>(parser.Int("--jobs", 1, 1024).value_or(DefaultJobs()));
  const bool quiet = parser.Flag("--quiet");
  run.View = ParseViewOptions(parser);
  const std::vector<std::string> files = parser.Rest();
  if (run.View.Builtin ? !files.empty() : files.empty())
    throw CliError(run.View.Builtin ? "no FILE goes with --builtin" : "a FILE is needed");
  if (!run.ExifDir && (run.Thumbnail || run.CountThumbnail || run.Album))
    throw CliError("--thumbnail, --count-thumbnail and --album go with --exif");

  const TStopSignals signals;
  TExporter exporter(run, jobs, quiet);
  if (run.View.Builtin) {
    exporter.Book(std::string());
  } else {
    for (const std::string& file : files) {
      if (gInterrupted) break;
      exporter.Book(file);
    }
  }
  return exporter.Finish();
}

const CliRegistrar kExport(
    {"export",
     "export [--home DIR] [--quality Q] [--jobs N] [--quiet] "
     "[--mode normal|full|bigfont|morebig|turn] [--horizontal] [--gothic] [--bold] [--qvga] "
     "[--shift-right] [--fo 0xBBGGRR] [--bg 0xBBGGRR] " +
         std::string(kEncodingUsage) + " " + kAozoraUsage +
         " [--exif TEMPLATE_DIR [--thumbnail] [--count-thumbnail] [--album A]] FILE...",
     RunExport});

}  // namespace
