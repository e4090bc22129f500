#include "export/Streams.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Errors.h"

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

TFileStream::TFileStream(const std::string& path, TInputKind kind) : file_(path, kind) {}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  constexpr std::size_t kBufferBytes = 1 << 16;
  const auto size = static_cast<std::int64_t>(file_.Size());
  if (position_ >= size) return 0;
  count = static_cast<std::size_t>(std::min<std::int64_t>(count, size - position_));
  const std::int64_t bufferEnd = bufferStart_ + static_cast<std::int64_t>(buffer_.size());
  if (position_ < bufferStart_ || position_ + static_cast<std::int64_t>(count) > bufferEnd) {
    if (count >= kBufferBytes) {
      const std::size_t n = file_.ReadAt(static_cast<std::uint64_t>(position_), buffer, count);
      position_ += static_cast<std::int64_t>(n);
      return n;
    }
    buffer_.resize(kBufferBytes);
    buffer_.resize(
        file_.ReadAt(static_cast<std::uint64_t>(position_), buffer_.data(), kBufferBytes));
    bufferStart_ = position_;
  }
  const auto from = static_cast<std::size_t>(position_ - bufferStart_);
  const std::size_t n = std::min(count, buffer_.size() - from);
  std::memcpy(buffer, buffer_.data() + from, n);
  position_ += static_cast<std::int64_t>(n);
  return n;
}

void TFileStream::Write(const void*, std::size_t) {
  throw EFileError::CannotCreate(Path(), "入力ファイルには書き込みません");
}
