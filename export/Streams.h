#pragma once
// Seekable byte streams: the one way the JPEG and Exif routines see files and
// buffers. Positions and sizes are 64-bit, so nothing wraps on a large file.
// A stream never reads outside its data: Read returns what is there, ReadExact
// throws EFileError when the data end first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

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

// A stream over a file. Inputs are opened read-only, so the chosen files are
// never changed; outputs are created (or truncated).
class TFileStream : public TStream {
 public:
  enum class Mode { ReadOnly, Create };
  // Throws EFileError::CannotOpen / CannotCreate with the system's reason.
  TFileStream(const std::string& path, Mode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int64_t Size() const override;
  std::int64_t Position() const override;
  void Seek(std::int64_t position) override;
  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  using TStream::Write;

  // Flushes and closes, throwing EFileError when the data could not be written.
  void Close();
  const std::string& Path() const { return path_; }

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  Mode mode_;
};

// An output file that appears under its final name only when complete: the
// bytes go to a temporary file in the same folder, Commit renames it over the
// final name, and a stream destroyed without Commit removes the temporary file.
// Every failure throws EFileError::CannotCreate naming the final path.
class TAtomicFileStream : public TStream {
 public:
  explicit TAtomicFileStream(const std::string& path);
  ~TAtomicFileStream() override;
  TAtomicFileStream(const TAtomicFileStream&) = delete;
  TAtomicFileStream& operator=(const TAtomicFileStream&) = delete;

  std::int64_t Size() const override { return file_.Size(); }
  std::int64_t Position() const override { return file_.Position(); }
  void Seek(std::int64_t position) override { file_.Seek(position); }
  std::size_t Read(void* buffer, std::size_t count) override { return file_.Read(buffer, count); }
  void Write(const void* buffer, std::size_t count) override;
  using TStream::Write;

  // Closes the temporary file and renames it to the final name.
  void Commit();

 private:
  static std::string TempName(const std::string& path);
  [[noreturn]] void Fail(const std::string& reason) const;
  TFileStream OpenTemp() const;
  std::string path_;
  std::string tempPath_;
  TFileStream file_;
  bool committed_ = false;
};

// Reads a whole file (opened read-only).
std::string ReadWholeFile(const std::string& path);
// Writes bytes to path through a temporary file and a rename.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
