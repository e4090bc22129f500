#pragma once
// An iconv conversion descriptor owned for its lifetime.
#include <iconv.h>

#include <cstddef>

class TIconv {
 public:
  TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~TIconv() {
    if (Ok()) iconv_close(cd_);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;
  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Back to the initial shift state.
  void Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }
  // One iconv call; (size_t)-1 on failure with errno set, as iconv itself.
  std::size_t Step(char** in, std::size_t* inLeft, char** out, std::size_t* outLeft) {
    return iconv(cd_, in, inLeft, out, outLeft);
  }
  // Writes the sequence that returns a stateful output to its initial state.
  std::size_t Flush(char** out, std::size_t* outLeft) {
    return iconv(cd_, nullptr, nullptr, out, outLeft);
  }

 private:
  iconv_t cd_;
};
