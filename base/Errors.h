#pragma once
// Failures of the file system and of decoders. Handlers let them pass; the caller
// that dispatched the handler (the window, the command line, a test) shows the
// text in the application's default error box (Platform::ShowError).
#include <exception>
#include <stdexcept>
#include <string>

class EQuillaneError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened, read, created or written.
class EFileError : public EQuillaneError {
 public:
  using EQuillaneError::EQuillaneError;
  // "ファイル <path> は開けません" with the system's reason appended when given.
  static EFileError CannotOpen(const std::string& path, const std::string& reason = {});
  // "ファイル <path> を作成できません" with the system's reason appended when given.
  static EFileError CannotCreate(const std::string& path, const std::string& reason = {});
};

// A picture that cannot be decoded or encoded.
class EImageError : public EQuillaneError {
 public:
  using EQuillaneError::EQuillaneError;
};

// What a failure means, in words, for the error box or the command line: our
// own errors and other runtime errors say it themselves; a lack of memory, a
// refusal of the system and a fault of the program are put into a sentence
// rather than shown by their bare class name ("std::bad_alloc").
std::string FailureText(const std::exception& e);
