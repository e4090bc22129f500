#include "cli/Progress.h"

namespace {

// Redrawn no more often: a terminal kept busy slows the work it reports.
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);

}  // namespace

std::string TProgressLine::Text(long long done, long long total, double seconds) {
  const long long rate = seconds > 0 ? static_cast<long long>(done / seconds + 0.5) : 0;
  return std::to_string(done) + "/" + std::to_string(total) + " pages  " + std::to_string(rate) +
         " pages/s";
}

void TProgressLine::Update(long long done) {
  if (!shown_) return;
  const auto now = Clock::now();
  if (drawn_ && now - last_ < kRedrawEvery) return;
  last_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  // Back to the start of the line, the text, then erase what an older, longer text left.
  std::fprintf(out_, "\r%s\x1b[K", Text(done, total_, seconds).c_str());
  std::fflush(out_);
  drawn_ = true;
}

void TProgressLine::Clear() {
  if (!drawn_) return;
  std::fprintf(out_, "\r\x1b[K");
  std::fflush(out_);
  drawn_ = false;
}
