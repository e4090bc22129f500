#pragma once
// Batch exports on every core. The thread that owns the pool lays the books
// out and hands their pages over one by one; worker threads draw and encode
// them, each with its own page bitmap (and, through the drawing layer, its own
// fonts), and write each file to a temporary; the owning thread then flushes
// the temporaries of a group of pages with one file-system flush and gives
// them their names in page order. So the files, their names and their bytes do
// not depend on the number of workers, and whatever stops a book (a template
// without Exif, an error, an interrupt) leaves its pages 1..n written and
// nothing after them, as a book exported page by page would.
//
//   TPagePool pool(jobs, interrupted);
//   pool.BeginBook(plan);
//   for (int p = 1; p <= plan->Pages && pool.Add(PageOf(p)); ++p) {}
//   pool.EndBook();
//   pool.Finish();
//   for (auto& book : pool.TakeEnded()) Report(book);
//
// Every call is made on the owning thread. At most a window of pages is in
// flight at once, so memory does not grow with the number of pages.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "export/ExportPlan.h"

// How one book's export ended.
struct TBookResult {
  int Written = 0;                      // pages written: pages 1..Written
  std::vector<std::string> KeptThumbs;  // templates whose thumbnail stayed, in page order
  std::vector<std::string> Notes;       // why pages were left out while the book went on
  std::string Stop;                     // why the book stopped before its last page, in words
  bool Failed = false;                  // ... an error: a file could not be read, made or written
  bool Interrupted = false;             // ... the run was interrupted
};

class TPagePool {
 public:
  // workers: the threads drawing pages (at least one). Once interrupt is set,
  // pages not yet begun are dropped and each book ends after the pages
  // already written.
  TPagePool(int workers, const std::atomic<bool>& interrupt);
  // Drops what is left and removes its temporaries.
  ~TPagePool();
  TPagePool(const TPagePool&) = delete;
  TPagePool& operator=(const TPagePool&) = delete;

  // Begins a book (ending the one before). Its pages follow, from page 1 on.
  void BeginBook(std::shared_ptr<const TExportPlan> plan);
  // Queues the next page of the current book, waiting while the window of
  // pages in flight is full. False when no more of its pages are wanted: the
  // book has stopped, or the run was interrupted.
  bool Add(TPlannedPage page);
  // No more pages of the current book follow.
  void EndBook();
  // Ends the current book and waits until every page is written or dropped.
  void Finish();

  struct TEnded {
    std::shared_ptr<const TExportPlan> Plan;
    TBookResult Result;
  };
  // The books whose every page is written or dropped, in the order they
  // began, each once.
  std::vector<TEnded> TakeEnded();

  // Pages written so far, of all books.
  long long PagesWritten() const;
  // Called on the owning thread whenever pages have been written.
  std::function<void()> OnProgress;

 private:
  struct State;
  std::unique_ptr<State> s_;
  void CommitReady(bool wait, long long minimum);
};
