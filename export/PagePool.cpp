#include "export/PagePool.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "base/Errors.h"
#include "base/Files.h"
#include "text/FileNames.h"

namespace {

// Pages flushed with one file-system flush and then named. A flush costs about
// as much as a few pages take to draw; a group keeps it a small share of the work.
constexpr long long kGroupPages = 128;

struct TJob {
  long long Seq = 0;
  int Book = 0;
  std::shared_ptr<const TExportPlan> Plan;
  TPlannedPage Page;
};

// A page drawn: its file written to a closed temporary, or why not.
struct TDone {
  int Book = 0;
  bool Dropped = false;  // the run was interrupted before the page began
  std::string Error;     // what failed, in words
  TPageFile File;        // without its bytes, once written
  std::unique_ptr<TOutputFile> Out;
};

struct TBook {
  std::shared_ptr<const TExportPlan> Plan;
  TBookResult Result;
  long long Queued = 0;     // pages added
  long long Accounted = 0;  // pages written or dropped
  bool Ended = false;       // no more pages follow
  bool Stopped = false;     // no more pages are wanted
  bool Reported = false;    // handed out by TakeEnded
};

void Stop(TBook& book, const std::string& why, bool failed) {
  book.Stopped = true;
  book.Result.Stop = why;
  book.Result.Failed = failed;
}

}  // namespace

struct TPagePool::State {
  explicit State(const std::atomic<bool>& interrupt) : Interrupt(interrupt) {}

  const std::atomic<bool>& Interrupt;
  long long Window = 0;  // pages in flight at most: queued, being drawn, or waiting for their name

  // Shared with the workers, under Lock.
  std::mutex Lock;
  std::condition_variable WorkReady, PageDone;
  std::deque<TJob> Queue;
  std::map<long long, TDone> Done;  // by sequence number
  bool Closing = false;

  // The owning thread's alone.
  std::vector<std::thread> Workers;
  std::deque<TBook> Books;
  std::vector<TEnded> Ended;
  long long NextSeq = 0;     // sequence number of the next page queued
  long long NextCommit = 0;  // sequence number of the next page to name
  long long Written = 0;

  void Work();
  void Draw(const TJob& job, TABitmap& scratch, TDone& done) const;
  // Counts the pages drawn that come next in order (under Lock).
  long long ReadyInOrder() const {
    long long k = NextCommit;
    while (Done.count(k)) ++k;
    return k - NextCommit;
  }
  void Commit(std::vector<TDone>& pages);
  void CollectEnded();
};

void TPagePool::State::Work() {
  TABitmap scratch;  // each worker draws on its own page
  for (;;) {
    TJob job;
    {
      std::unique_lock lock(Lock);
      WorkReady.wait(lock, [&] { return Closing || !Queue.empty(); });
      if (Queue.empty()) return;
      job = std::move(Queue.front());
      Queue.pop_front();
    }
    TDone done;
    done.Book = job.Book;
    Draw(job, scratch, done);
    {
      const std::lock_guard lock(Lock);
      Done.emplace(job.Seq, std::move(done));
    }
    PageDone.notify_all();
  }
}

void TPagePool::State::Draw(const TJob& job, TABitmap& scratch, TDone& done) const {
  if (Interrupt.load()) {
    done.Dropped = true;
    return;
  }
  try {
    done.File = RenderPageFile(*job.Plan, job.Page, scratch);
    const auto outcome = done.File.Outcome;
    if (outcome == TPageFileOutcome::Write || outcome == TPageFileOutcome::WriteKeptThumb) {
      auto out = std::make_unique<TOutputFile>(done.File.Path);
      out->Write(done.File.Bytes);
      out->Close();
      done.Out = std::move(out);
    }
  } catch (const std::exception& e) {
    done.Error = FailureText(e);
    done.Out.reset();
  }
  std::string().swap(done.File.Bytes);
}

void TPagePool::State::Commit(std::vector<TDone>& pages) {
  // One flush for the lot, folder by folder (a group may span two books).
  std::set<std::string> folders;
  for (const TDone& d : pages)
    if (d.Out && !Books[static_cast<std::size_t>(d.Book)].Stopped)
      folders.insert(
          d.File.Path.substr(0, d.File.Path.size() - ExtractFileName(d.File.Path).size()));
  std::string syncError;
  for (const std::string& folder : folders) {
    try {
      SyncFileSystem(folder.empty() ? std::string(".") : folder);
    } catch (const std::exception& e) {
      syncError = FailureText(e);
    }
  }
  for (TDone& d : pages) {
    TBook& book = Books[static_cast<std::size_t>(d.Book)];
    ++NextCommit;
    ++book.Accounted;
    if (book.Stopped) continue;  // its temporary goes with d
    if (d.Dropped) {
      book.Stopped = true;
      book.Result.Interrupted = true;
      continue;
    }
    if (!d.Error.empty()) {
      Stop(book, d.Error, true);
      continue;
    }
    switch (d.File.Outcome) {
      case TPageFileOutcome::NoExif:
        Stop(book, d.File.Message, false);
        continue;
      case TPageFileOutcome::Refused:
        book.Result.Notes.push_back(d.File.Message);
        continue;
      case TPageFileOutcome::Write:
      case TPageFileOutcome::WriteKeptThumb:
        break;
    }
    if (!syncError.empty()) {
      Stop(book, syncError, true);
      continue;
    }
    try {
      d.Out->Commit();
    } catch (const std::exception& e) {
      Stop(book, FailureText(e), true);
      continue;
    }
    ++book.Result.Written;
    ++Written;
    if (d.File.Outcome == TPageFileOutcome::WriteKeptThumb)
      book.Result.KeptThumbs.push_back(d.File.TemplateName);
  }
  pages.clear();
  CollectEnded();
}

void TPagePool::State::CollectEnded() {
  for (TBook& book : Books) {
    if (book.Reported || !book.Ended || book.Accounted < book.Queued) continue;
    book.Reported = true;
    Ended.push_back({book.Plan, std::move(book.Result)});
    book.Plan.reset();  // the templates' names go with it
  }
}

TPagePool::TPagePool(int workers, const std::atomic<bool>& interrupt)
    : s_(std::make_unique<State>(interrupt)) {
  workers = std::max(1, workers);
  // Room for two groups waiting for their names and a few pages per worker on
  // the way, so the workers go on while a group is flushed.
  s_->Window = 2 * kGroupPages + 4LL * workers;
  for (int i = 0; i < workers; ++i) s_->Workers.emplace_back([this] { s_->Work(); });
}

TPagePool::~TPagePool() {
  {
    const std::lock_guard lock(s_->Lock);
    s_->Closing = true;
    s_->Queue.clear();
  }
  s_->WorkReady.notify_all();
  for (std::thread& worker : s_->Workers) worker.join();
}

void TPagePool::BeginBook(std::shared_ptr<const TExportPlan> plan) {
  EndBook();
  TBook book;
  book.Plan = std::move(plan);
  s_->Books.push_back(std::move(book));
}

bool TPagePool::Add(TPlannedPage page) {
  if (s_->Books.empty()) return false;
  const int index = static_cast<int>(s_->Books.size() - 1);
  while (s_->NextSeq - s_->NextCommit >= s_->Window && !s_->Interrupt.load())
    CommitReady(true, kGroupPages);
  TBook& book = s_->Books.back();
  if (book.Ended || book.Stopped || s_->Interrupt.load()) return false;
  {
    const std::lock_guard lock(s_->Lock);
    s_->Queue.push_back({s_->NextSeq++, index, book.Plan, std::move(page)});
  }
  ++book.Queued;
  s_->WorkReady.notify_one();
  CommitReady(false, kGroupPages);
  return !book.Stopped;
}

void TPagePool::EndBook() {
  if (s_->Books.empty()) return;
  s_->Books.back().Ended = true;
  s_->CollectEnded();
}

void TPagePool::Finish() {
  EndBook();
  while (s_->NextCommit < s_->NextSeq) CommitReady(true, kGroupPages);
}

void TPagePool::CommitReady(bool wait, long long minimum) {
  std::vector<TDone> pages;
  {
    std::unique_lock lock(s_->Lock);
    // Never more than are on their way: the last group of a run is smaller.
    minimum = std::min(minimum, s_->NextSeq - s_->NextCommit);
    if (minimum <= 0) return;
    if (wait) s_->PageDone.wait(lock, [&] { return s_->ReadyInOrder() >= minimum; });
    const long long ready = s_->ReadyInOrder();
    if (ready < minimum) return;
    for (long long k = 0; k < ready; ++k) {
      auto it = s_->Done.find(s_->NextCommit + k);
      pages.push_back(std::move(it->second));
      s_->Done.erase(it);
    }
  }
  s_->Commit(pages);
  if (OnProgress) OnProgress();
}

std::vector<TPagePool::TEnded> TPagePool::TakeEnded() {
  return std::exchange(s_->Ended, {});
}

long long TPagePool::PagesWritten() const {
  return s_->Written;
}
