// Shortcut files: symbolic links and Windows shell-link files, built here byte by
// byte from the documented layout.
#include "text/Shortcut.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "tests/common/TestSupport.h"

namespace {

using testsupport::WriteFile;

// Little-endian, as the format stores its numbers.
void Put(std::string& out, unsigned v, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
}
std::string Wide(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) Put(out, c, 2);
  return out;
}

struct LinkParts {
  bool idList = true;
  std::optional<std::string> localBase;  // system code page bytes
  std::string suffix;
  std::optional<std::u16string> wideBase;  // with a 0x24-byte LinkInfo header
  std::optional<std::u16string> name, relative, workingDir;
  bool unicode = true;
};

std::string StringData(const std::u16string& s, bool unicode) {
  std::string out;
  Put(out, static_cast<unsigned>(s.size()), 2);
  if (unicode) return out + Wide(s);
  for (char16_t c : s) out += static_cast<char>(c);
  return out;
}

std::string BuildLink(const LinkParts& parts) {
  const std::optional<std::u16string>* strings[] = {&parts.name, &parts.relative,
                                                    &parts.workingDir};
  unsigned flags = (parts.idList ? 0x01 : 0) | (parts.localBase || parts.wideBase ? 0x02 : 0) |
                   (parts.unicode ? 0x80 : 0);
  for (int i = 0; i < 3; ++i) flags |= strings[i]->has_value() ? 0x04 << i : 0;
  std::string out;
  Put(out, 0x4C);
  out += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  Put(out, flags);
  out.resize(0x4C, '\0');  // attributes, times, size, icon, show command, hot key
  if (parts.idList) {
    // One 20-byte item, then the terminating 0 size.
    const std::string items =
        std::string("\x14\x00\x1F\x50", 4) + std::string(16, '\x11') + std::string(2, '\0');
    Put(out, static_cast<unsigned>(items.size()), 2);
    out += items;
  }
  if (parts.localBase || parts.wideBase) {
    const unsigned headerSize = parts.wideBase ? 0x24 : 0x1C;
    // The volume ID first, right after the header.
    std::string body("\x10\x00\x00\x00\x03\x00\x00\x00\x12\x34\x56\x78\x10\x00\x00\x00", 16);
    const auto at = [&] { return headerSize + static_cast<unsigned>(body.size()); };
    const unsigned baseOffset = at();
    body += parts.localBase.value_or("") + '\0';
    const unsigned suffixOffset = at();
    body += parts.suffix + '\0';
    unsigned wideOffset = 0, wideSuffixOffset = 0;
    if (parts.wideBase) {
      wideOffset = at();
      body += Wide(*parts.wideBase) + std::string(2, '\0');
      wideSuffixOffset = at();
      body += std::string(2, '\0');
    }
    // Size, header size, flags, then the offsets; the wide ones only in a 0x24 header.
    std::string info;
    for (unsigned v : {at(), headerSize, 1u, headerSize, baseOffset, 0u, suffixOffset, wideOffset,
                       wideSuffixOffset})
      Put(info, v);
    out += info.substr(0, headerSize) + body;
  }
  for (const auto* string : strings)
    if (*string) out += StringData(**string, parts.unicode);
  Put(out, 0);  // terminal block
  return out;
}

// The target comes from the local or the relative path, as UTF-8. The links
// are also the shortcut fuzzer's seeds; to renew fuzz/seeds:
//   QUILLANE_FUZZ_SEEDS=fuzz/seeds build/tests/test_text --gtest_filter='*SeedCorpus*'
TEST(ShellLinkTest, WriteTheSeedCorpusAndReadEachTarget) {
  testsupport::TempDir scratch;
  const char* chosen = std::getenv("QUILLANE_FUZZ_SEEDS");
  const std::filesystem::path folder =
      (chosen ? std::filesystem::path(chosen) : scratch.Path()) / "shortcut";
  std::filesystem::create_directories(folder);
  LinkParts full, suffix, narrow, wide, relative;
  full.localBase = "C:\\test\\a.txt";
  full.name = u"a note";
  full.relative = u".\\a.txt";
  full.workingDir = u"C:\\test";
  suffix.idList = false;
  suffix.localBase = testsupport::Sjis("D:\\本\\");
  suffix.suffix = "novel.txt";
  narrow.localBase = testsupport::Sjis("C:\\本\\物語.txt");
  wide.localBase = "C:\\?\\?.txt";
  wide.wideBase = u"C:\\本\\物語.txt";
  relative.relative = u"..\\texts\\b.txt";  // without LinkInfo the relative path serves
  LinkParts relativeAnsi = relative;
  relativeAnsi.unicode = false;
  const std::tuple<const char*, LinkParts, const char*> cases[] = {
      {"every part", full, "C:/test/a.txt"},
      {"base and suffix", suffix, "D:/本/novel.txt"},
      {"Shift-JIS base", narrow, "C:/本/物語.txt"},
      {"Unicode base", wide, "C:/本/物語.txt"},
      {"relative path only", relative, "../texts/b.txt"},
      {"relative path in Shift-JIS", relativeAnsi, "../texts/b.txt"}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [name, parts, target] = cases[i];
    const std::string link = BuildLink(parts);
    WriteFile((folder / ("link" + std::to_string(i))).string(), link);
    EXPECT_EQ(ShellLinkTarget(link), target) << name;
  }
}

TEST(ShellLinkTest, WhatIsNotAShellLinkHasNoTargetAndDamageStaysInBounds) {
  LinkParts parts;
  parts.localBase = "C:\\a.txt";
  std::string badClsid = BuildLink(parts), badSize = badClsid;
  badClsid[5] = '\x15';
  badSize[0] = '\x4D';
  for (const std::string& bad : {badClsid, badSize, std::string("plain text, not a link"),
                                 std::string(), BuildLink(LinkParts{})})
    EXPECT_FALSE(ShellLinkTarget(bad)) << testing::PrintToString(bad);
  // Damaged files never make it read outside their bytes.
  parts = LinkParts();
  parts.localBase = "C:\\dir\\file.txt";
  parts.wideBase = u"C:\\dir\\file.txt";
  parts.name = u"name";
  parts.relative = u"file.txt";
  parts.workingDir = u"C:\\dir";
  const std::string good = BuildLink(parts);  // cuts and random damage: the shortcut fuzzer
  // Offsets that point far past the end of the LinkInfo.
  std::string farOffsets = good;
  const std::size_t info = 0x4C + 2 + 22;   // after the header and the ID list
  ASSERT_EQ(farOffsets[info + 4], '\x24');  // LinkInfoHeaderSize
  for (std::size_t field : {16u, 24u, 28u, 32u}) farOffsets[info + field + 3] = '\x7F';
  EXPECT_EQ(ShellLinkTarget(farOffsets), "file.txt");  // only the relative path is left
}

// Symbolic and shell links resolve to their targets; of a shell link's paths
// the one that exists, relative to the link or to its working folder, wins.
TEST(ResolveShortcutTest, LinksResolveToTheirTargetsPreferringAnExistingFile) {
  testsupport::TempDir dir;
  WriteFile(dir / "texts/b.txt", "b\r\n");
  std::filesystem::create_directories(dir.Path() / "links");
  std::filesystem::create_symlink(dir / "texts/b.txt", dir / "links/absolute.lnk");
  LinkParts parts, fromWorkingDir;
  parts.localBase = "C:\\Users\\me\\texts\\b.txt";  // not on this machine
  parts.relative = u"..\\texts\\b.txt";
  fromWorkingDir.relative = u"b.txt";
  fromWorkingDir.workingDir.emplace();
  for (char c : (dir / "texts")) *fromWorkingDir.workingDir += static_cast<char16_t>(c);
  WriteFile(dir / "links/shell.lnk", BuildLink(parts));
  WriteFile(dir / "links/work.lnk", BuildLink(fromWorkingDir));
  WriteFile(dir / "links/junk.lnk", "junk");
  for (const char* link : {"absolute.lnk", "shell.lnk", "work.lnk"})
    EXPECT_EQ(ResolveShortcut(dir / ("links/" + std::string(link))), dir / "texts/b.txt") << link;
  EXPECT_EQ(ShellLinkTargetIn(BuildLink(parts), dir / "a/b/c"), "C:/Users/me/texts/b.txt");
  for (const char* bad : {"junk.lnk", "missing.lnk"})
    EXPECT_FALSE(ResolveShortcut(dir / ("links/" + std::string(bad)))) << bad;
}

}  // namespace
