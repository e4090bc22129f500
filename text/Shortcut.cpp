#include "text/Shortcut.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "base/Errors.h"
#include "base/Files.h"
#include "text/Sjis.h"

namespace fs = std::filesystem;

namespace {

// The shell-link layout (little-endian):
//   header, 76 bytes: HeaderSize (0x4C), LinkCLSID (16), LinkFlags (4) at 20, ...
//   LinkTargetIDList when HasLinkTargetIDList: IDListSize (2) and that many bytes
//   LinkInfo when HasLinkInfo: LinkInfoSize (4), LinkInfoHeaderSize (4),
//     LinkInfoFlags (4), VolumeIDOffset, LocalBasePathOffset,
//     CommonNetworkRelativeLinkOffset, CommonPathSuffixOffset (4 each), and when
//     the header size is at least 0x24 LocalBasePathOffsetUnicode and
//     CommonPathSuffixOffsetUnicode; offsets count from the start of LinkInfo.
//   StringData: NAME_STRING, RELATIVE_PATH, WORKING_DIR, ... each present when
//     its flag is set: CountCharacters (2) then the characters (UTF-16LE when
//     IsUnicode, else the system code page).
constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint8_t kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::uint32_t kHasLinkTargetIdList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kIsUnicode = 0x80;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;

// Checked little-endian reads: every read outside the bytes fails.
class TByteReader {
 public:
  explicit TByteReader(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Size() const { return bytes_.size(); }
  std::optional<std::uint32_t> U16(std::size_t at) const { return Unsigned(at, 2); }
  std::optional<std::uint32_t> U32(std::size_t at) const { return Unsigned(at, 4); }
  bool Has(std::size_t at, std::size_t count) const {
    return at <= bytes_.size() && count <= bytes_.size() - at;
  }
  std::string_view Bytes(std::size_t at, std::size_t count) const {
    return bytes_.substr(at, count);
  }
  // A string ending at the first NUL; std::nullopt when no NUL ends it in time.
  std::optional<std::string_view> CString(std::size_t at, std::size_t limit) const {
    if (at >= limit || limit > bytes_.size()) return std::nullopt;
    const std::size_t end = bytes_.find('\0', at);
    if (end == std::string_view::npos || end >= limit) return std::nullopt;
    return bytes_.substr(at, end - at);
  }
  // A UTF-16LE string ending at the first NUL unit.
  std::optional<std::u16string> WString(std::size_t at, std::size_t limit) const {
    std::u16string text;
    for (std::size_t i = at; i + 2 <= limit && i + 2 <= bytes_.size(); i += 2) {
      const char16_t unit = static_cast<char16_t>(*U16(i));
      if (unit == 0) return text;
      text += unit;
    }
    return std::nullopt;
  }

 private:
  std::optional<std::uint32_t> Unsigned(std::size_t at, std::size_t count) const {
    if (!Has(at, count)) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;)
      value = (value << 8) | static_cast<unsigned char>(bytes_[at + i]);
    return value;
  }
  std::string_view bytes_;
};

std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string ToSlashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

struct TLinkPaths {
  std::optional<std::string> Local;  // LocalBasePath + CommonPathSuffix
  std::optional<std::string> Relative;
  std::optional<std::string> WorkingDir;
};

// LocalBasePath and CommonPathSuffix of the LinkInfo at 'at'; the Unicode forms
// are preferred when present.
std::optional<std::string> LocalPath(const TByteReader& r, std::size_t at, std::size_t size) {
  const auto headerSize = r.U32(at + 4);
  const auto flags = r.U32(at + 8);
  const auto baseOffset = r.U32(at + 16);
  const auto suffixOffset = r.U32(at + 24);
  if (!headerSize || !flags || !baseOffset || !suffixOffset) return std::nullopt;
  if (!(*flags & kVolumeIdAndLocalBasePath)) return std::nullopt;
  const std::size_t limit = at + size;
  if (*headerSize >= 0x24) {
    const auto wideBase = r.U32(at + 28);
    const auto wideSuffix = r.U32(at + 32);
    if (wideBase && *wideBase > 0) {
      const auto base = r.WString(at + *wideBase, limit);
      if (base) {
        std::u16string path = *base;
        if (wideSuffix && *wideSuffix > 0) {
          if (auto suffix = r.WString(at + *wideSuffix, limit)) path += *suffix;
        }
        return Utf16ToUtf8(path);
      }
    }
  }
  const auto base = r.CString(at + *baseOffset, limit);
  if (!base) return std::nullopt;
  std::string path(*base);
  if (*suffixOffset > 0) {
    if (auto suffix = r.CString(at + *suffixOffset, limit)) path += *suffix;
  }
  return SjisToUtf8(path);
}

// Reads one StringData entry at 'at'; advances 'at' past it.
std::optional<std::string> StringDataEntry(const TByteReader& r, std::size_t& at, bool unicode) {
  const auto count = r.U16(at);
  if (!count) return std::nullopt;
  const std::size_t bytes = *count * (unicode ? 2u : 1u);
  if (!r.Has(at + 2, bytes)) return std::nullopt;
  const std::string_view raw = r.Bytes(at + 2, bytes);
  at += 2 + bytes;
  if (!unicode) return SjisToUtf8(raw);
  std::u16string text;
  for (std::size_t i = 0; i < raw.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                  (static_cast<unsigned char>(raw[i + 1]) << 8));
  return Utf16ToUtf8(text);
}

std::optional<TLinkPaths> ReadLink(std::string_view bytes) {
  const TByteReader r(bytes);
  if (r.U32(0) != kHeaderSize || !r.Has(0, kHeaderSize)) return std::nullopt;
  if (!std::equal(std::begin(kLinkClsid), std::end(kLinkClsid), bytes.begin() + 4,
                  [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }))
    return std::nullopt;
  const std::uint32_t flags = *r.U32(20);
  std::size_t at = kHeaderSize;
  if (flags & kHasLinkTargetIdList) {
    const auto idListSize = r.U16(at);
    if (!idListSize) return std::nullopt;
    at += 2 + *idListSize;
  }
  TLinkPaths paths;
  if (flags & kHasLinkInfo) {
    const auto size = r.U32(at);
    if (!size || !r.Has(at, *size)) return std::nullopt;
    paths.Local = LocalPath(r, at, *size);
    at += *size;
  }
  const bool unicode = (flags & kIsUnicode) != 0;
  if (flags & kHasName) {
    if (!StringDataEntry(r, at, unicode)) return paths;
  }
  if (flags & kHasRelativePath) {
    paths.Relative = StringDataEntry(r, at, unicode);
    if (!paths.Relative) return paths;
  }
  if (flags & kHasWorkingDir) paths.WorkingDir = StringDataEntry(r, at, unicode);
  return paths;
}

bool IsFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

}  // namespace

std::optional<std::string> ShellLinkTarget(std::string_view bytes) {
  const auto paths = ReadLink(bytes);
  if (!paths) return std::nullopt;
  if (paths->Local && !paths->Local->empty()) return ToSlashes(*paths->Local);
  if (paths->Relative && !paths->Relative->empty()) return ToSlashes(*paths->Relative);
  return std::nullopt;
}

std::optional<std::string> ShellLinkTargetIn(std::string_view bytes,
                                             const std::string& linkFolder) {
  const auto paths = ReadLink(bytes);
  if (!paths) return std::nullopt;
  std::optional<std::string> local, relative;
  if (paths->Local && !paths->Local->empty()) local = ToSlashes(*paths->Local);
  if (paths->Relative && !paths->Relative->empty()) relative = ToSlashes(*paths->Relative);
  if (local && IsFile(*local)) return local;
  if (relative) {
    const std::string fromLink = (fs::path(linkFolder) / *relative).lexically_normal().string();
    if (IsFile(fromLink)) return fromLink;
    if (paths->WorkingDir && !paths->WorkingDir->empty()) {
      const std::string fromWorkingDir =
          (fs::path(ToSlashes(*paths->WorkingDir)) / *relative).lexically_normal().string();
      if (IsFile(fromWorkingDir)) return fromWorkingDir;
    }
  }
  if (local) return local;
  return relative;
}

std::optional<std::string> ResolveShortcut(const std::string& path) {
  std::error_code ec;
  if (fs::is_symlink(path, ec)) {
    fs::path target = fs::read_symlink(path, ec);
    if (ec) return std::nullopt;
    if (target.is_relative()) target = fs::path(path).parent_path() / target;
    return target.lexically_normal().string();
  }
  // Read through the input guard: a FIFO named like a shortcut must not hold up
  // the start, and a file larger than a shell link ever is is not one.
  std::string bytes;
  try {
    bytes = ReadInputFile(path, TInputKind::Shortcut);
  } catch (const EFileError&) {
    return std::nullopt;
  }
  std::string folder = fs::path(path).parent_path().string();
  if (folder.empty()) folder = std::string(".");
  return ShellLinkTargetIn(bytes, folder);
}
