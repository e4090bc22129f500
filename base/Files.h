#pragma once
// The two file guards. Every file the program reads is opened by TInputFile,
// and every file it writes is written by TOutputFile; nothing else opens a
// file. So one rule holds for all of them, whichever command or window reads
// or writes:
//   - an input is a regular file, opened without waiting (a FIFO or a device
//     would block or never end), no larger than its kind allows, read once;
//   - an output never replaces one of the command's inputs (same device and
//     inode, so a link or another spelling is caught), nor anything that is not
//     a regular file (a symbolic link, a FIFO, a device, a folder); it is
//     written whole to an unpredictable temporary name beside it, flushed to
//     the disk and renamed, so the old file stays until the new one is
//     complete, and a planted link under the temporary name is never followed.
// Every failure and refusal throws EFileError in words naming the user's path.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What an input is; its kind sets the largest file read.
enum class TInputKind {
  Text,      // a user text
  Picture,   // a JPEG (a camera's template or an inserted picture), a PNG or BMP
  Shortcut,  // a shell-link file named at start
  Settings,  // the settings file
};

// The largest file of the kind that is read, in bytes.
constexpr std::uint64_t MaxInputBytes(TInputKind kind) {
  switch (kind) {
    case TInputKind::Text:  // the line store needs a few bytes per input byte
      return std::uint64_t{256} << 20;
    case TInputKind::Picture:
      // Camera files are a few tens of megabytes. The splice routines hold up
      // to five copies of their inputs at once, so this keeps a splice of two
      // crafted pictures under 1 GB.
      return std::uint64_t{128} << 20;
    case TInputKind::Shortcut:  // a shell link is a few kilobytes
    case TInputKind::Settings:  // the settings file holds 54 short lines
      return std::uint64_t{1} << 20;
  }
  return 0;
}

// The longest name of one folder entry (NAME_MAX), in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// An input opened for reading. Throws EFileError::CannotOpen(path, reason)
// when it cannot be opened, is not a regular file or is larger than its kind
// allows.
class TInputFile {
 public:
  TInputFile(const std::string& path, TInputKind kind);
  ~TInputFile();
  TInputFile(const TInputFile&) = delete;
  TInputFile& operator=(const TInputFile&) = delete;

  const std::string& Path() const { return path_; }
  // The size when it was opened.
  std::uint64_t Size() const { return size_; }
  // Reads up to count bytes from offset; fewer only at the end of the file.
  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const;
  // The whole file in one buffer of its size. A file that has grown past its
  // kind's limit since it was opened is refused as well.
  std::string ReadAll() const;

 private:
  std::string path_;
  std::uint64_t limit_;
  std::uint64_t size_ = 0;
  int fd_ = -1;
};

// The whole of an input file (see TInputFile).
std::string ReadInputFile(const std::string& path, TInputKind kind);

// The inputs of the command running now. While one lives, every TInputFile
// opened is remembered, and no output may replace one of them. The window and
// the command line hold one around each command they run, so a command cannot
// write over what it read, however it names the output. Scopes nest; the list
// is forgotten when the outermost ends.
class TCommandInputs {
 public:
  TCommandInputs();
  ~TCommandInputs();
  TCommandInputs(const TCommandInputs&) = delete;
  TCommandInputs& operator=(const TCommandInputs&) = delete;
};

// Why path may not be written, in words; std::nullopt when it may. It may not
// when it exists and is not a regular file, or when it is the same file as one
// of inputs or of the current command's inputs.
std::optional<std::string> OverwriteRefusal(const std::string& path,
                                            const std::vector<std::string>& inputs = {});

// An output that appears under its name only when complete. The constructor
// refuses (see OverwriteRefusal) before anything is created, and creates the
// temporary; Commit flushes it to the disk, checks the name again and renames
// the temporary over it. Destroyed without Commit, it removes the temporary.
// A run killed midway leaves a temporary whose name carries the dead process's
// id; the next output written into that folder removes it.
//
// Many files are written faster in two steps: Close each one when written (no
// flush), then flush their file system once with SyncFileSystem, then Commit
// each. Commit flushes only a file still open, so a file Closed must have had
// its file system synced since, or it may reach the disk after its new name.
class TOutputFile {
 public:
  explicit TOutputFile(std::string path, std::vector<std::string> inputs = {});
  ~TOutputFile();
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;

  void Write(const void* buffer, std::size_t count);
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
  std::uint64_t Size() const;
  std::uint64_t Position() const;
  void Seek(std::uint64_t position);
  std::size_t Read(void* buffer, std::size_t count);
  // Ends the writing without flushing; only Commit may follow.
  void Close();
  void Commit();

  const std::string& Path() const { return path_; }
  const std::string& TempPath() const { return tempPath_; }

 private:
  [[noreturn]] void Fail(int error) const;
  std::string path_;
  std::vector<std::string> inputs_;
  std::string tempPath_;
  int fd_ = -1;
  bool committed_ = false;
};

// Writes bytes to path through a TOutputFile.
void WriteOutputFile(const std::string& path, std::string_view bytes,
                     const std::vector<std::string>& inputs = {});

// Flushes everything written to the file system that holds path (a file or a
// folder) to the disk: one flush for many files Closed there (TOutputFile).
void SyncFileSystem(const std::string& path);
