#pragma once
// What the file system and independent readers (djpeg, exiftool) say of written
// files. Header-only, so the command-line tests share it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/TestSupport.h"

namespace checks {

using Strings = std::vector<std::string>;

inline std::string Quote(const std::string& path) {
  std::string out = "'";
  for (char c : path) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs a shell command with stderr folded into the output; returns the exit status.
inline int Run(const std::string& command, std::string* output = nullptr) {
  return testsupport::RunCommand(command + " 2>&1", output);
}

// Sorted file names of a folder; none when it is missing.
inline Strings Names(const std::filesystem::path& folder) {
  Strings names;
  if (!std::filesystem::exists(folder)) return names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Names made by a printf pattern for the numbers first..last.
inline Strings Numbered(const char* pattern, int first, int last) {
  Strings names;
  for (int i = first; i <= last; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, pattern, i);
    names.push_back(name);
  }
  return names;
}

inline bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The PNM header ("P6\nW H") djpeg gives for the JPEG a command prints.
inline std::string PictureOf(const std::string& command) {
  std::string out;
  testsupport::RunCommand(command + " 2>/dev/null | djpeg -pnm 2>/dev/null | head -c 20", &out);
  return out.substr(0, out.find('\n', out.find('\n') + 1));
}
inline std::string MainPicture(const std::string& path) {
  return PictureOf("cat " + Quote(path));
}
inline std::string Thumbnail(const std::string& path) {
  return PictureOf("exiftool -b -ThumbnailImage " + Quote(path));
}

// The folder holds exactly these files, each a JPEG djpeg reads at this size ("P6\nW H").
inline void ExpectPictures(const std::filesystem::path& folder, const Strings& names,
                           const std::string& size) {
  EXPECT_EQ(Names(folder), names);
  for (const auto& name : names) EXPECT_EQ(MainPicture((folder / name).string()), size) << name;
}

// The first value of the first quantisation table of a baseline JPEG file.
inline int FirstQuantValue(const std::string& path) {
  const std::string jpeg = testsupport::ReadFile(path);
  const auto dqt = jpeg.find("\xFF\xDB");
  return dqt == std::string::npos ? -1 : static_cast<unsigned char>(jpeg[dqt + 5]);
}

// exiftool's bare value of one tag; "" when absent.
inline std::string Tag(const std::string& path, const std::string& tag) {
  std::string out;
  testsupport::RunCommand("exiftool -s -s -s -" + tag + " " + Quote(path), &out);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// The fixture camera's tags survive and independent readers accept the file.
inline void ExpectCameraFile(const std::string& path, const std::string& picture) {
  EXPECT_EQ(Tag(path, "Make"), "QuillCam");
  EXPECT_EQ(Tag(path, "ModifyDate"), "2024:01:02 03:04:05");
  EXPECT_EQ(MainPicture(path), picture);
  std::string jhead;
  EXPECT_EQ(Run("jhead " + Quote(path), &jhead), 0) << jhead;
  EXPECT_EQ(jhead.find("rror"), std::string::npos) << jhead;
  EXPECT_EQ(jhead.find("orrupt"), std::string::npos) << jhead;
}

// The bottom-right pixel djpeg decodes from what a command prints lies at most
// tolerance from the wanted colour in each channel.
inline void ExpectLastPixelNear(const std::string& command, std::array<int, 3> want,
                                int tolerance) {
  std::string out;
  testsupport::RunCommand(command + " | djpeg -pnm | tail -c 3 | od -An -tu1", &out);
  std::array<int, 3> rgb{-999, -999, -999};
  ASSERT_EQ(std::sscanf(out.c_str(), "%d %d %d", &rgb[0], &rgb[1], &rgb[2]), 3) << out;
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(rgb[c], want[c], tolerance) << command;
}

}  // namespace checks
