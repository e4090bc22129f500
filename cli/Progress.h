#pragma once
// The progress line of a long command on a terminal: pages done of the pages
// known so far, and the pages per second since the start, redrawn in place a
// few times a second on stderr. Silent when it is not to be shown (stderr is
// not a terminal, or --quiet).
#include <chrono>
#include <cstdio>
#include <string>

class TProgressLine {
 public:
  TProgressLine(std::FILE* out, bool shown) : out_(out), shown_(shown) {}
  ~TProgressLine() { Clear(); }
  TProgressLine(const TProgressLine&) = delete;
  TProgressLine& operator=(const TProgressLine&) = delete;

  // More pages are on their way (a book was planned). The rate counts from
  // the first, after the first text was laid out.
  void AddTotal(long long pages) {
    if (total_ == 0) start_ = Clock::now();
    total_ += pages;
  }
  // done pages are finished; redraws when the last drawing is old enough.
  void Update(long long done);
  // Takes the line off the terminal, before other output goes there.
  void Clear();

  // The line's text: "1234/11298 pages  1612 pages/s".
  static std::string Text(long long done, long long total, double seconds);

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* out_;
  bool shown_;
  bool drawn_ = false;
  long long total_ = 0;
  Clock::time_point start_ = Clock::now();
  Clock::time_point last_{};
};
