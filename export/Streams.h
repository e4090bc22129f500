#pragma once
// Seekable byte streams: the one way the JPEG and Exif routines see files and
// buffers. Positions and sizes are 64-bit, so nothing wraps on a large file.
// A stream never reads outside its data: Read returns what is there, ReadExact
// throws EFileError when the data end first.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Files.h"

class TStream {
 public:
  virtual ~TStream() = default;

  virtual std::int64_t Size() const = 0;
  virtual std::int64_t Position() const = 0;
  // Any position from 0 is allowed; reading past the end yields nothing.
  virtual void Seek(std::int64_t position) = 0;
  // Reads at most count bytes; returns how many were read.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual void Write(const void* buffer, std::size_t count) = 0;

  // Reads exactly count bytes or throws EFileError.
  void ReadExact(void* buffer, std::size_t count);
  // Reads one byte; false at the end of the data.
  bool ReadByte(std::uint8_t& byte) { return Read(&byte, 1) == 1; }
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
  // Copies count bytes from the source's position to this stream's position.
  // A count of 0 copies the whole source from its start. A source that ends
  // early throws EFileError. Returns the number of bytes copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// A stream over bytes held in memory.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

  std::int64_t Size() const override { return static_cast<std::int64_t>(data_.size()); }
  std::int64_t Position() const override { return position_; }
  void Seek(std::int64_t position) override;
  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  using TStream::Write;

  const std::string& Data() const { return data_; }
  std::string TakeData();

 private:
  std::string data_;
  std::int64_t position_ = 0;
};

// A stream over an input file opened through the input guard (base/Files.h):
// only a regular file within its kind's limit, never changed. Reads go
// through a small buffer, so the segment scan's byte reads stay cheap.
class TFileStream : public TStream {
 public:
  // Throws EFileError::CannotOpen with the reason in words.
  explicit TFileStream(const std::string& path, TInputKind kind = TInputKind::Picture);

  std::int64_t Size() const override { return static_cast<std::int64_t>(file_.Size()); }
  std::int64_t Position() const override { return position_; }
  void Seek(std::int64_t position) override { position_ = position < 0 ? 0 : position; }
  std::size_t Read(void* buffer, std::size_t count) override;
  // An input is never written: throws EFileError.
  void Write(const void* buffer, std::size_t count) override;
  using TStream::Write;

  const std::string& Path() const { return file_.Path(); }

 private:
  TInputFile file_;
  std::int64_t position_ = 0;
  std::string buffer_;  // the bytes from bufferStart_
  std::int64_t bufferStart_ = 0;
};

// An output file written through the output guard (base/Files.h): it appears
// under its final name only on Commit, complete; a stream destroyed without
// Commit leaves no file. Every failure throws EFileError naming the final path.
class TAtomicFileStream : public TStream {
 public:
  explicit TAtomicFileStream(const std::string& path, std::vector<std::string> inputs = {})
      : file_(path, std::move(inputs)) {}

  std::int64_t Size() const override { return static_cast<std::int64_t>(file_.Size()); }
  std::int64_t Position() const override { return static_cast<std::int64_t>(file_.Position()); }
  void Seek(std::int64_t position) override { file_.Seek(position < 0 ? 0 : position); }
  std::size_t Read(void* buffer, std::size_t count) override { return file_.Read(buffer, count); }
  void Write(const void* buffer, std::size_t count) override { file_.Write(buffer, count); }
  using TStream::Write;

  // Flushes the file to the disk and renames it to the final name.
  void Commit() { file_.Commit(); }

 private:
  TOutputFile file_;
};

// A picture file read whole through the input guard.
inline std::string ReadWholeFile(const std::string& path) {
  return ReadInputFile(path, TInputKind::Picture);
}
// Writes bytes to path through the output guard.
inline void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  WriteOutputFile(path, bytes);
}
