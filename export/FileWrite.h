#pragma once
// The folders the exports write into, and the refusal a batch makes before it
// starts. The files themselves are written through the output guard
// (base/Files.h: WriteOutputFile, OverwriteRefusal).
#include <optional>
#include <string>
#include <vector>

#include "base/Files.h"

// Creates a folder and every missing folder above it (the program's folder
// under the user's data folder may not exist yet on a first run). Throws
// EFileError "フォルダ <folder> を作成できません" naming the first folder that
// could not be made and the system's reason (a folder above it is not
// writable, or is a file), so the user learns the real cause rather than a
// later "No such file or directory" for the first file written into it.
void CreateFolderOrThrow(const std::string& path);

// For a batch that writes each input under its own file name into folder: the
// refusal (OverwriteRefusal) for the first output that may not be written.
std::optional<std::string> FolderOverwriteRefusal(const std::string& folder,
                                                  const std::vector<std::string>& inputs);
