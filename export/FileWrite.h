#pragma once
// Writing the export files: complete or not at all, and a failure names the file
// the user asked for rather than the temporary one it was written through.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Writes bytes to path through a temporary file in the same folder and a rename.
// Throws EFileError::CannotCreate(path, the system's reason) on failure, leaving
// no file (and no half a file) under that name.
void WriteExportFile(const std::string& path, std::string_view bytes);

// Creates one folder when it does not exist. Errors are not reported: the first
// file written into a folder that could not be made fails with its own error.
void CreateFolderQuietly(const std::string& path);

// Creates a folder (and its parents) when it does not exist; throws
// EFileError::CannotCreate(path, reason) when that fails.
void CreateFolderOrThrow(const std::string& path);

// Inputs are only ever read: an output path that names one of the inputs (the
// same file, through any link or spelling) is refused before anything is written.
// Returns the refusal message, or std::nullopt when out is none of the inputs.
std::optional<std::string> OverwriteRefusal(const std::string& out,
                                            const std::vector<std::string>& inputs);
// The same for a batch that writes each input under its own file name into folder:
// the refusal for the first output that would be its input.
std::optional<std::string> FolderOverwriteRefusal(const std::string& folder,
                                                  const std::vector<std::string>& inputs);
