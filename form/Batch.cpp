// Batch export: every page of the text as a numbered JPEG, or one page per camera
// photograph of a folder spliced behind that photograph's Exif block. What a
// batch decides before its first page (refusals, questions, folders) is planned
// once, by PlanBatch, for the window's page loop and the command line's pool
// alike. The window's batch then only sets its flags and steps through the
// pages; the renderer hands each page to the writer the flags select.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "base/Files.h"
#include "export/FileWrite.h"
#include "export/Splice.h"
#include "form/BatchPlan.h"
#include "form/RenderSteps.h"
#include "form/Unit1.h"
#include "shell/SoundCues.h"
#include "text/FileNames.h"

namespace {

constexpr char kMsgPasted[] = "貼り付けたファイルを保存して下さい";
constexpr char kMsgNoFile[] = "ファイルがありませんので中断します";
constexpr char kMsgBreak[] = "処理を中断します";
constexpr char kMsgElapsed[] = "ミリ秒かかりました";
constexpr char kMsgChooseFolder[] = "ディレクトリを選択して下さい";
constexpr char kMsgNoTemplates[] = "Fileが見つかりません";
constexpr char kMsgChosen[] = " を選択しました";
constexpr char kMsgDone[] = "作業は完了しました";
constexpr char kAskShift[] =
    "\n 　\n通常は「はい」を押して続行して下さい\n文全体を右にずらすなら「いいえ」を押して下さい";

std::string WithoutExtension(const std::string& name) {
  return name.substr(0, name.size() - ExtractFileExt(name).size());
}

std::string Elapsed(TForm1& f) {
  return std::to_string(f.P.TickCount() - f.FBatchStart);
}

// Clears the batch flags however the page loop ends: its normal end, a break,
// or an error a writer raises on its way to the caller.
class TBatchFlags {
 public:
  TBatchFlags(TForm1& form, bool exif, bool thumb) : f_(form) {
    f_.FBatchSave = true;
    f_.FBatchExif = exif;
    f_.FBatchThumb = thumb;
    f_.FBusy = true;
  }
  ~TBatchFlags() {
    f_.FBatchSave = false;
    f_.FBatchExif = false;
    f_.FBatchThumb = false;
    f_.FBusy = false;
  }
  TBatchFlags(const TBatchFlags&) = delete;
  TBatchFlags& operator=(const TBatchFlags&) = delete;

  // Steps through count pages; the first step renders the current page.
  void RunPages(int count) {
    f_.FRedraw = true;
    f_.FBatchStart = f_.P.TickCount();
    for (int i = 0; i < count; ++i) {
      if (!f_.FBusy) {
        // A close request breaks the batch off too, but the window is going.
        if (!f_.FCloseRequested) f_.P.ShowMessage(kMsgBreak);
        break;
      }
      f_.Pause(0, 10);
      f_.TriProc();
    }
  }

 private:
  TForm1& f_;
};

// The template list, the notes of kept thumbnails and the shift request live
// as long as one Exif batch, and go with it on every path, unless kept for the
// batch that follows its planning.
class TExifBatchState {
 public:
  explicit TExifBatchState(TForm1& form) : f_(form) {}
  ~TExifBatchState() {
    if (kept_) return;
    f_.FKeptThumbs.clear();
    f_.FExifFiles.clear();
    f_.FExifFiles.shrink_to_fit();
    f_.FShiftRight = false;
  }
  TExifBatchState(const TExifBatchState&) = delete;
  TExifBatchState& operator=(const TExifBatchState&) = delete;
  void Keep() { kept_ = true; }

 private:
  TForm1& f_;
  bool kept_ = false;
};

// The refusals every batch makes before it starts.
bool RefusedForPaste(TForm1& f) {
  if (f.FTextName != "Clipboard") return false;
  f.P.ShowMessage(kMsgPasted);
  return true;
}

bool RefusedForNoFile(TForm1& f) {
  if (!f.FTextName.empty()) return false;
  f.P.ShowMessage(kMsgNoFile);
  return true;
}

// The folders a batch makes are named after the text: a name the file system
// cannot hold is refused before the first page, not met at the end (the album
// folder is made only after every page was written).
bool RefusedForLongName(TForm1& f, std::initializer_list<const char*> suffixes) {
  for (const char* suffix : suffixes) {
    const std::string name = f.FSaveName + suffix;
    if (name.size() <= kMaxFileNameBytes) continue;
    f.P.ShowMessage("テキストの名前が長すぎるため、出力フォルダ " + name + " を作れません（" +
                    std::to_string(kMaxFileNameBytes) + " バイトまで）。中止します");
    return true;
  }
  return false;
}

TExportPlan MakePlan(TForm1& f, TPageFileKind kind, int pages) {
  TExportPlan plan;
  plan.Files = PageFileSettings(f, kind);
  plan.Options = PageOptions(f);
  plan.Qvga = f.QvgaCheckBox.Checked;
  plan.Text = f.FoColor;
  plan.Background = f.GColor;
  plan.Pages = pages;
  if (kind != TPageFileKind::Numbered) {
    const auto used = std::min(f.FExifFiles.size(), static_cast<std::size_t>(std::max(pages, 0)));
    plan.Templates.assign(f.FExifFiles.begin(), f.FExifFiles.begin() + static_cast<long>(used));
  }
  plan.AlbumSuffix = kind == TPageFileKind::ExifThumb ? "_th_A" : "_A";
  plan.Carried = PageCarried(f);
  return plan;
}

std::optional<TExportPlan> PlanNumbered(TForm1& f) {
  if (!f.Idle()) return std::nullopt;
  if (RefusedForPaste(f)) return std::nullopt;
  f.Reset1Click();
  if (RefusedForNoFile(f)) return std::nullopt;
  f.FSaveName = WithoutExtension(f.FTextName);
  if (RefusedForLongName(f, {""})) return std::nullopt;
  f.FOutDir = f.FProgramDir + "/";
  CreateFolderOrThrow(f.FOutDir + "all_page");
  CreateFolderOrThrow(f.FOutDir + "all_page/" + f.FSaveName);
  return MakePlan(f, TPageFileKind::Numbered, f.FAllPage);
}

std::optional<TExportPlan> PlanExif(TForm1& f, bool thumb) {
  f.FShiftRight = false;
  if (!f.Idle()) return std::nullopt;
  if (RefusedForPaste(f) || RefusedForNoFile(f)) return std::nullopt;
  f.FSaveName = WithoutExtension(f.FTextName);
  if (thumb ? RefusedForLongName(f, {"_th", "_th_A"}) : RefusedForLongName(f, {"", "_A"}))
    return std::nullopt;
  TExifBatchState state(f);
  f.FExifFiles.clear();
  f.FKeptThumbs.clear();

  std::error_code ignored;
  auto folder = f.P.SelectDirectory(std::filesystem::current_path(ignored).string());
  if (!folder || folder->empty()) {
    if (!f.FCloseRequested) f.P.ShowMessage(kMsgChooseFolder);
    return std::nullopt;
  }
  if (f.TurnCheckBox.Checked) {
    if (f.P.MessageBox(*folder + kMsgChosen + kAskShift, MsgButtons::YesNo, MsgIcon::Information) ==
        MsgResult::No)
      f.FShiftRight = true;
  } else {
    f.P.ShowMessage(*folder + kMsgChosen);
  }
  if (folder->back() != '/') *folder += '/';
  f.FindJpegFiles(*folder);
  if (f.FExifFiles.empty()) {
    f.P.ShowMessage(kMsgNoTemplates);
    return std::nullopt;
  }

  f.FOutDir = f.FProgramDir + "/";
  f.Reset1Click();
  f.FSaveName = WithoutExtension(f.FTextName);
  if (thumb) f.FOutDir = f.FProgramDir + "/" + f.FSaveName + "_th/";
  if (auto refusal =
          FolderOverwriteRefusal(thumb ? f.FOutDir : f.FOutDir + f.FSaveName + "/", f.FExifFiles)) {
    f.P.ShowMessage(*refusal);
    return std::nullopt;
  }
  CreateFolderOrThrow(thumb ? f.FOutDir : f.FOutDir + f.FSaveName);
  f.FBatchLastPage = std::min(static_cast<int>(f.FExifFiles.size()), f.FAllPage);
  state.Keep();
  return MakePlan(f, thumb ? TPageFileKind::ExifThumb : TPageFileKind::Exif, f.FBatchLastPage);
}

void RunExifBatch(TForm1& f, bool thumb) {
  const auto plan = PlanBatch(f, thumb ? TPageFileKind::ExifThumb : TPageFileKind::Exif);
  if (!plan) return;
  TExifBatchState state(f);
  {
    TBatchFlags flags(f, true, thumb);
    f.Pause(0, 300);
    flags.RunPages(f.FBatchLastPage);
  }
  if (f.FCloseRequested) return;
  if (thumb) f.ReportKeptThumbs();

  f.P.PlaySound(thumb ? kCueBlip : kCueChime);
  const MsgResult answer = f.P.MessageBox(Elapsed(f) + kMsgElapsed + "\n" + kMsgDone,
                                          MsgButtons::YesNo, MsgIcon::Information);
  // Closing the window while the question is up dismisses it; that is no No.
  if (answer == MsgResult::No && !f.FCloseRequested) f.WriteAlbum(plan->AlbumSuffix);
  f.FExifFiles.clear();
  f.FShiftRight = false;
  f.Redraw();
}

}  // namespace

std::optional<TExportPlan> PlanBatch(TForm1& form, TPageFileKind kind) {
  if (kind == TPageFileKind::Numbered) return PlanNumbered(form);
  return PlanExif(form, kind == TPageFileKind::ExifThumb);
}

void PlanPage(TForm1& form, int page, TPlannedPage& out) {
  form.FPage = page;
  FillPageSlots(form);
  out.Page = page;
  out.Slots = form.FRetsu;
  out.Decor = form.FRetsuDecor;
}

void EndPlannedBatch(TForm1& form, const TExportPlan& plan, const TBookResult& result, bool album) {
  for (const std::string& note : result.Notes) form.P.ShowMessage(note);
  if (plan.Files.Kind == TPageFileKind::ExifThumb) {
    form.FKeptThumbs = result.KeptThumbs;
    form.ReportKeptThumbs();
    form.FKeptThumbs.clear();
  }
  if (!album || plan.Files.Kind == TPageFileKind::Numbered || result.Failed || result.Interrupted)
    return;
  TExifBatchState state(form);
  form.FExifFiles = plan.Templates;
  form.FBatchLastPage = plan.Pages;
  form.FSaveName = plan.Files.SaveName;
  form.WriteAlbum(plan.AlbumSuffix);
}

void TForm1::SaveAllButtonClick() {
  const auto plan = PlanBatch(*this, TPageFileKind::Numbered);
  if (!plan) return;
  {
    TBatchFlags flags(*this, false, false);
    flags.RunPages(plan->Pages);
  }
  if (FCloseRequested) return;
  P.PlaySound(kCueClick);
  P.ShowMessage(Elapsed(*this) + kMsgElapsed);
  Redraw();
}

void TForm1::SaveAllInButtonClick() {
  RunExifBatch(*this, false);
}

void TForm1::SaveAllThumbInButtonClick() {
  RunExifBatch(*this, true);
}

void TForm1::BreakButtonClick() {
  FBusy = false;
}

void TForm1::FindJpegFiles(const std::string& folder) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) throw EFileError::CannotOpen(folder, error.message());
  std::vector<std::string> names;
  for (const auto& entry : it) {
    // Only regular files (or links to them) can be photographs: a FIFO or a
    // device named like one would hold the batch up or never end, and is left
    // out as folders are.
    std::error_code statError;
    if (!entry.is_regular_file(statError)) continue;
    const std::string name = entry.path().filename().string();
    const std::string ext = ExtractFileExt(name);
    if (std::ranges::find(kJpegExtensions, ext) != kJpegExtensions.end()) names.push_back(name);
  }
  // A camera names its pictures in shooting order; a directory listing on Linux
  // has no order worth keeping.
  std::sort(names.begin(), names.end());
  for (const auto& name : names) FExifFiles.push_back(folder + name);
}
