#include "export/Streams.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/Errors.h"

namespace {

// The system's reason in an error text built by EFileError: what follows the
// first line break, or nothing.
std::string ReasonOf(const EFileError& error) {
  const std::string text = error.what();
  const auto lineBreak = text.find('\n');
  return lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
}

}  // namespace

void TStream::ReadExact(void* buffer, std::size_t count) {
  if (Read(buffer, count) != count) throw EFileError("ファイルの終わりを越えて読もうとしました");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.Seek(0);
    count = source.Size();
  }
  if (count < 0) throw EFileError("ファイルの終わりを越えて読もうとしました");
  std::vector<char> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 1 << 16)));
  std::int64_t left = count;
  while (left > 0) {
    const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(left, buffer.size()));
    source.ReadExact(buffer.data(), chunk);
    Write(buffer.data(), chunk);
    left -= static_cast<std::int64_t>(chunk);
  }
  return count;
}

void TMemoryStream::Seek(std::int64_t position) {
  position_ = position < 0 ? 0 : position;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= Size()) return 0;
  const auto available = static_cast<std::size_t>(Size() - position_);
  const std::size_t n = std::min(count, available);
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += static_cast<std::int64_t>(n);
  return n;
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
  const auto pos = static_cast<std::size_t>(position_);
  if (pos > data_.size()) data_.resize(pos, '\0');
  if (pos == data_.size()) {
    data_.append(static_cast<const char*>(buffer), count);
  } else {
    if (pos + count > data_.size()) data_.resize(pos + count);
    std::memcpy(data_.data() + pos, buffer, count);
  }
  position_ += static_cast<std::int64_t>(count);
}

std::string TMemoryStream::TakeData() {
  position_ = 0;
  return std::move(data_);
}

TFileStream::TFileStream(const std::string& path, Mode mode) : path_(path), mode_(mode) {
  file_ = std::fopen(path.c_str(), mode == Mode::ReadOnly ? "rb" : "wb");
  if (!file_) {
    const std::string reason = std::strerror(errno);
    if (mode == Mode::ReadOnly) throw EFileError::CannotOpen(path, reason);
    throw EFileError::CannotCreate(path, reason);
  }
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

std::int64_t TFileStream::Size() const {
  const auto here = ftello(file_);
  fseeko(file_, 0, SEEK_END);
  const auto size = ftello(file_);
  fseeko(file_, here, SEEK_SET);
  return size;
}

std::int64_t TFileStream::Position() const {
  return ftello(file_);
}

void TFileStream::Seek(std::int64_t position) {
  if (fseeko(file_, position < 0 ? 0 : position, SEEK_SET) != 0)
    throw EFileError::CannotOpen(path_, std::strerror(errno));
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  return std::fread(buffer, 1, count, file_);
}

void TFileStream::Write(const void* buffer, std::size_t count) {
  if (mode_ == Mode::ReadOnly || std::fwrite(buffer, 1, count, file_) != count)
    throw EFileError::CannotCreate(path_, std::strerror(errno));
}

void TFileStream::Close() {
  if (!file_) return;
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0 && mode_ == Mode::Create)
    throw EFileError::CannotCreate(path_, std::strerror(errno));
}

std::string TAtomicFileStream::TempName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  // The temporary name does not repeat the final one: a legal 255-byte name
  // would leave no room for a prefix and a suffix.
  const std::string name =
      ".q" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".part";
  return (std::filesystem::path(path).parent_path() / name).string();
}

// The temporary file is ours; a failure names the file the user asked for.
void TAtomicFileStream::Fail(const std::string& reason) const {
  throw EFileError::CannotCreate(path_, reason);
}

TFileStream TAtomicFileStream::OpenTemp() const {
  try {
    return TFileStream(tempPath_, TFileStream::Mode::Create);
  } catch (const EFileError& e) {
    Fail(ReasonOf(e));
  }
}

TAtomicFileStream::TAtomicFileStream(const std::string& path)
    : path_(path), tempPath_(TempName(path)), file_(OpenTemp()) {}

TAtomicFileStream::~TAtomicFileStream() {
  if (committed_) return;
  std::error_code ignored;
  try {
    file_.Close();
  } catch (const EFileError&) {
  }
  std::filesystem::remove(tempPath_, ignored);
}

void TAtomicFileStream::Write(const void* buffer, std::size_t count) {
  try {
    file_.Write(buffer, count);
  } catch (const EFileError& e) {
    Fail(ReasonOf(e));
  }
}

void TAtomicFileStream::Commit() {
  try {
    file_.Close();
  } catch (const EFileError& e) {
    Fail(ReasonOf(e));
  }
  std::error_code error;
  std::filesystem::rename(tempPath_, path_, error);
  if (error) Fail(error.message());
  committed_ = true;
}

std::string ReadWholeFile(const std::string& path) {
  TFileStream file(path, TFileStream::Mode::ReadOnly);
  TMemoryStream memory;
  memory.CopyFrom(file, 0);
  return memory.TakeData();
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  TAtomicFileStream out(path);
  out.Write(bytes);
  out.Commit();
}
