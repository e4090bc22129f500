#include "base/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <utility>

#include "base/Errors.h"

namespace {

std::string TooLargeReason(std::uint64_t limit) {
  return std::to_string(limit >> 20) + " MB を超えるファイルは読めません";
}

constexpr char kNotRegular[] = "通常のファイルではありません";

// A file by its identity rather than its name.
struct TFileId {
  dev_t Dev;
  ino_t Ino;
  bool operator==(const TFileId&) const = default;
};

TFileId IdOf(const struct stat& info) {
  return {info.st_dev, info.st_ino};
}

// The current command's inputs (TCommandInputs).
struct TInputRegister {
  std::mutex Lock;
  int Depth = 0;
  std::vector<TFileId> Ids;
};

TInputRegister& Inputs() {
  static TInputRegister inputs;
  return inputs;
}

void Remember(TFileId id) {
  TInputRegister& r = Inputs();
  const std::lock_guard lock(r.Lock);
  if (r.Depth > 0 && std::ranges::find(r.Ids, id) == r.Ids.end()) r.Ids.push_back(id);
}

bool IsCommandInput(TFileId id) {
  TInputRegister& r = Inputs();
  const std::lock_guard lock(r.Lock);
  return std::ranges::find(r.Ids, id) != r.Ids.end();
}

// Temporaries are named ".quillane-<pid>-<16 hex digits>.part": hidden,
// unpredictable, and telling which process made them.
constexpr std::string_view kTempPrefix = ".quillane-";
constexpr std::string_view kTempSuffix = ".part";

std::string RandomHex() {
  std::uint64_t value = 0;
  if (::getrandom(&value, sizeof value, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof value)) {
    // No entropy yet: the clock still makes the name hard to guess in
    // advance, and O_EXCL refuses a name someone else made.
    static std::atomic<std::uint64_t> counter{0};
    value =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) *
            0x9E3779B97F4A7C15ull ^
        counter++;
  }
  static const char digits[] = "0123456789abcdef";
  std::string hex(16, '0');
  for (char& c : hex) {
    c = digits[value & 15];
    value >>= 4;
  }
  return hex;
}

// The process id in a temporary's name; std::nullopt for any other name.
std::optional<pid_t> TempOwner(std::string_view name) {
  if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return std::nullopt;
  name = name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempSuffix.size());
  const auto dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || name.size() - dash - 1 != 16 || dash > 9)
    return std::nullopt;
  pid_t pid = 0;
  for (char c : name.substr(0, dash)) {
    if (c < '0' || c > '9') return std::nullopt;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

// Removes the temporaries of processes that no longer run from folder, once
// per folder and process: a run killed while writing leaves one behind.
void SweepStaleTemporaries(const std::string& folder) {
  static std::mutex lock;
  static std::set<std::pair<dev_t, ino_t>> swept;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  struct stat info {};
  {
    const std::lock_guard guard(lock);
    if (::fstat(::dirfd(dir), &info) != 0 || !swept.insert({info.st_dev, info.st_ino}).second) {
      ::closedir(dir);
      return;
    }
  }
  while (const dirent* entry = ::readdir(dir)) {
    const auto owner = TempOwner(entry->d_name);
    // kill with no signal tells whether the process exists; a live one,
    // ours or another's, is still writing.
    if (owner && *owner != ::getpid() && ::kill(*owner, 0) != 0 && errno == ESRCH)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

std::string FolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? std::string(".") : folder;
}

}  // namespace

TInputFile::TInputFile(const std::string& path, TInputKind kind)
    : path_(path), limit_(MaxInputBytes(kind)) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer. It changes nothing
  // for the regular files that are then read.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throw EFileError::CannotOpen(path, std::strerror(errno));
  struct stat info {};
  std::string refusal;
  if (::fstat(fd_, &info) != 0)
    refusal = std::strerror(errno);
  else if (!S_ISREG(info.st_mode))
    refusal = kNotRegular;
  else if (static_cast<std::uint64_t>(info.st_size) > limit_)
    refusal = TooLargeReason(limit_);
  if (!refusal.empty()) {
    ::close(fd_);
    throw EFileError::CannotOpen(path, refusal);
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
  Remember(IdOf(info));
}

TInputFile::~TInputFile() {
  ::close(fd_);
}

std::size_t TInputFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const {
  std::size_t filled = 0;
  while (filled < count) {
    const ssize_t n = ::pread(fd_, static_cast<char*>(buffer) + filled, count - filled,
                              static_cast<off_t>(offset + filled));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EFileError::CannotOpen(path_, std::strerror(errno));
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  return filled;
}

std::string TInputFile::ReadAll() const {
  // Read what fstat promised, then on to the end: the file may have grown
  // since, and must still stay within the limit.
  std::string bytes(static_cast<std::size_t>(size_), '\0');
  bytes.resize(ReadAt(0, bytes.data(), bytes.size()));
  if (bytes.size() < size_) return bytes;
  std::array<char, 1 << 16> spill;
  while (const std::size_t n = ReadAt(bytes.size(), spill.data(), spill.size())) {
    if (bytes.size() + n > limit_) throw EFileError::CannotOpen(path_, TooLargeReason(limit_));
    bytes.append(spill.data(), n);
  }
  return bytes;
}

std::string ReadInputFile(const std::string& path, TInputKind kind) {
  return TInputFile(path, kind).ReadAll();
}

TCommandInputs::TCommandInputs() {
  TInputRegister& r = Inputs();
  const std::lock_guard lock(r.Lock);
  ++r.Depth;
}

TCommandInputs::~TCommandInputs() {
  TInputRegister& r = Inputs();
  const std::lock_guard lock(r.Lock);
  if (--r.Depth == 0) r.Ids.clear();
}

std::optional<std::string> OverwriteRefusal(const std::string& path,
                                            const std::vector<std::string>& inputs) {
  // First what the name leads to, through any link: is it one of the inputs?
  struct stat target {};
  if (::stat(path.c_str(), &target) == 0) {
    bool input = IsCommandInput(IdOf(target));
    for (const auto& in : inputs) {
      struct stat info {};
      input = input || (::stat(in.c_str(), &info) == 0 && IdOf(info) == IdOf(target));
    }
    if (input)
      return "出力先 " + path +
             " は入力ファイルそのものです。入力ファイルは書き換えません。中止します";
  }
  // Then the name itself (lstat: a link is judged as a link): only a regular
  // file is replaced. A rename would put a plain file where a link, a FIFO or a
  // device was (as root, --out /dev/null would replace the device); and writing
  // through a link instead would let a link planted in a shared folder choose
  // which file gets replaced.
  struct stat name {};
  if (::lstat(path.c_str(), &name) == 0 && !S_ISREG(name.st_mode))
    return "出力先 " + path +
           " は通常のファイルではありません（リンク、FIFO、装置、フォルダなど）。"
           "置き換えません。中止します";
  return std::nullopt;
}

TOutputFile::TOutputFile(std::string path, std::vector<std::string> inputs)
    : path_(std::move(path)), inputs_(std::move(inputs)) {
  if (auto refusal = OverwriteRefusal(path_, inputs_)) throw EFileError(*refusal);
  // A file replaced keeps what writing into it kept: a file the user may not
  // write stays as it is, and the new one gets the old one's permissions.
  struct stat old {};
  const bool replacing = ::stat(path_.c_str(), &old) == 0;
  if (replacing && ::access(path_.c_str(), W_OK) != 0) Fail(errno);
  const std::string folder = FolderOf(path_);
  SweepStaleTemporaries(folder);
  const std::string owner = std::string(kTempPrefix) + std::to_string(::getpid()) + "-";
  // O_EXCL | O_NOFOLLOW: the temporary is always a new file of ours, never a
  // link or file someone planted under its name.
  for (int attempt = 0; fd_ < 0; ++attempt) {
    tempPath_ =
        (std::filesystem::path(folder) / (owner + RandomHex() + std::string(kTempSuffix))).string();
    fd_ = ::open(tempPath_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ < 0 && (errno != EEXIST || attempt == 16)) {
      const int error = errno;
      tempPath_.clear();
      Fail(error);
    }
  }
  if (replacing) ::fchmod(fd_, old.st_mode & 07777);  // on failure, the usual permissions
}

TOutputFile::~TOutputFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !tempPath_.empty()) ::unlink(tempPath_.c_str());
}

// The temporary file is ours; a failure names the file the user asked for.
void TOutputFile::Fail(int error) const {
  throw EFileError::CannotCreate(path_, std::strerror(error));
}

void TOutputFile::Write(const void* buffer, std::size_t count) {
  const char* bytes = static_cast<const char*>(buffer);
  while (count > 0) {
    const ssize_t n = ::write(fd_, bytes, count);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno);
    bytes += n;
    count -= static_cast<std::size_t>(n);
  }
}

std::uint64_t TOutputFile::Size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) Fail(errno);
  return static_cast<std::uint64_t>(info.st_size);
}

std::uint64_t TOutputFile::Position() const {
  const off_t here = ::lseek(fd_, 0, SEEK_CUR);
  if (here < 0) Fail(errno);
  return static_cast<std::uint64_t>(here);
}

void TOutputFile::Seek(std::uint64_t position) {
  if (::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) Fail(errno);
}

std::size_t TOutputFile::Read(void* buffer, std::size_t count) {
  ssize_t n;
  do {
    n = ::read(fd_, buffer, count);
  } while (n < 0 && errno == EINTR);
  if (n < 0) Fail(errno);
  return static_cast<std::size_t>(n);
}

void TOutputFile::Close() {
  if (fd_ < 0) return;
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) Fail(errno);
}

void TOutputFile::Commit() {
  if (fd_ >= 0 && ::fsync(fd_) != 0) Fail(errno);
  Close();
  // Asked again: the name may have changed while the file was being written.
  if (auto refusal = OverwriteRefusal(path_, inputs_)) throw EFileError(*refusal);
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) Fail(errno);
  committed_ = true;
}

void WriteOutputFile(const std::string& path, std::string_view bytes,
                     const std::vector<std::string>& inputs) {
  TOutputFile out(path, inputs);
  out.Write(bytes);
  out.Commit();
}

void SyncFileSystem(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw EFileError::CannotCreate(path, std::strerror(errno));
  const int result = ::syncfs(fd);
  const int error = errno;
  ::close(fd);
  if (result != 0) throw EFileError::CannotCreate(path, std::strerror(error));
}
