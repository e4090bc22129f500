#pragma once
// The folders the exports write into, and the refusal a batch makes before it
// starts. The files themselves are written through the output guard
// (base/Files.h: WriteOutputFile, OverwriteRefusal).
#include <optional>
#include <string>
#include <vector>

#include "base/Files.h"

// Creates one folder when it does not exist. Errors are not reported: the first
// file written into a folder that could not be made fails with its own error.
void CreateFolderQuietly(const std::string& path);

// Creates a folder (and its parents) when it does not exist; throws
// EFileError::CannotCreate(path, reason) when that fails.
void CreateFolderOrThrow(const std::string& path);

// For a batch that writes each input under its own file name into folder: the
// refusal (OverwriteRefusal) for the first output that may not be written.
std::optional<std::string> FolderOverwriteRefusal(const std::string& folder,
                                                  const std::vector<std::string>& inputs);
