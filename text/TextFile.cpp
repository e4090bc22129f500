#include "text/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "base/Errors.h"

namespace {

// A file descriptor closed on every path.
class TFileHandle {
 public:
  explicit TFileHandle(int fd) : fd_(fd) {}
  ~TFileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

std::string TooLargeReason() {
  return std::to_string(kMaxTextFileBytes >> 20) + " MB を超えるファイルは読めません";
}

}  // namespace

std::string ReadTextFile(const std::string& path) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer. It changes nothing
  // for the regular files that are then read.
  TFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) throw EFileError::CannotOpen(path, std::strerror(errno));
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) throw EFileError::CannotOpen(path, std::strerror(errno));
  if (!S_ISREG(info.st_mode)) throw EFileError::CannotOpen(path, "通常のファイルではありません");
  if (static_cast<unsigned long long>(info.st_size) > kMaxTextFileBytes)
    throw EFileError::CannotOpen(path, TooLargeReason());

  // Read what fstat promised, then on to the end: the file may have grown
  // since, and must still stay within the limit.
  std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t filled = 0;
  std::array<char, 1 << 16> spill;
  for (;;) {
    const bool inPlace = filled < bytes.size();
    char* const to = inPlace ? bytes.data() + filled : spill.data();
    const std::size_t room = inPlace ? bytes.size() - filled : spill.size();
    const ssize_t n = ::read(file.Get(), to, room);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EFileError::CannotOpen(path, std::strerror(errno));
    }
    if (n == 0) break;
    if (!inPlace) {
      if (bytes.size() + static_cast<std::size_t>(n) > kMaxTextFileBytes)
        throw EFileError::CannotOpen(path, TooLargeReason());
      bytes.append(spill.data(), static_cast<std::size_t>(n));
    }
    filled += static_cast<std::size_t>(n);
  }
  bytes.resize(filled);
  return bytes;
}
