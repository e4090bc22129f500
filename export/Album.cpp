// Camera album manifests. Every line ends in CR LF, the last one too, and
// indentation is by TAB characters, as the camera writes them.
#include "export/Album.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <limits>
#include <string_view>
#include <utility>

namespace {

// The published namespace names, kept together so that one line fixes any of them.
constexpr char kNsManifest[] = "http://ns.osta.org/manifest/1.0/";
constexpr char kNsMpvCore[] = "http://ns.osta.org/mpv/1.0/";
constexpr char kNsMpvBasic[] = "http://ns.osta.org/mpv/basic/1.0/";
constexpr char kNsNmf[] = "http://ns.osta.org/nmf/1.0/";
constexpr char kNsDublinCore[] = "http://purl.org/dc/elements/1.1/";

constexpr int kPicturesPerAlbum = 100;
constexpr int kMaxAlbums = 12;

std::string Tabs(int n) {
  return std::string(static_cast<std::size_t>(n), '\t');
}

std::string Hex8Id(int value) {
  char text[24];
  std::snprintf(text, sizeof text, "OLY-%08X", static_cast<unsigned>(value));
  return text;
}

std::string Number3(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%.3d", n);
  return text;
}

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
}

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// The length of the UTF-8 character at i when XML can hold it, else 0: control
// characters, broken or overlong sequences, surrogates and U+FFFE/U+FFFF cannot.
std::size_t XmlCharLength(std::string_view s, std::size_t i) {
  const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned lead = byte(i);
  if (lead < 0x80) return lead >= 0x20 ? 1 : 0;
  const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (n == 0 || lead > 0xF4 || i + n > s.size()) return 0;
  unsigned code = lead & (0x7Fu >> n);
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  static constexpr unsigned kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool bad = code < kSmallest[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
                   code == 0xFFFE || code == 0xFFFF;
  return bad ? 0 : n;
}

// A file name as text of a LastURL element: the five markup characters as
// entities, and a byte XML cannot hold (a Shift-JIS name from an old card, a
// control character) and '%' itself percent-encoded as in any URL, so the
// manifest stays well-formed for every name.
std::string XmlName(std::string_view name) {
  static constexpr std::pair<char, const char*> kEntities[] = {
      {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&apos;"}};
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    // A literal '%' is escaped too, or it could not be told from an escaped byte.
    const std::size_t n = name[i] == '%' ? 0 : XmlCharLength(name, i);
    if (n == 0) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(name[i++]));
      out += escaped;
      continue;
    }
    const auto entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                     [c = name[i]](const auto& e) { return e.first == c; });
    if (entity != std::end(kEntities))
      out += entity->second;
    else
      out.append(name.substr(i, n));
    i += n;
  }
  return out;
}

}  // namespace

TAlbumStart AlbumStart(long long entered) {
  const long long a = entered < 1 ? 1 : entered;
  TAlbumStart start;
  if (a == 1)
    start.FirstPicture = 101;
  else if (a <= 101)
    start.FirstPicture = 1;
  else
    start.FirstPicture = static_cast<int>(std::min<long long>(a, std::numeric_limits<int>::max()));
  start.FirstAlbum = a <= kMaxAlbums ? static_cast<int>(a) : 1;
  return start;
}

std::string AlbumStillId(int picture) {
  const int slot = picture % kPicturesPerAlbum;
  return Hex8Id(slot == 0 ? kPicturesPerAlbum : slot);
}

std::string AlbumLinkId(int album) {
  return Hex8Id(album == 1 ? 13 : album);
}

std::vector<std::string> ManifestHead() {
  return {
      R"(<?xml version="1.0" encoding="UTF-8"?>)",
      std::string("<file:Manifest xmlns:file=\"") + kNsManifest + "\" xmlns:mpv=\"" + kNsMpvCore +
          "\" xmlns:mpvb=\"" + kNsMpvBasic + "\" xmlns:nmf=\"" + kNsNmf + "\">",
      Tabs(1) + "<nmf:Metadata>",
      Tabs(2) + "<file:ManifestProperties>",
      Tabs(3) + "<Profile>" + kNsMpvBasic + "</Profile>",
      Tabs(2) + "</file:ManifestProperties>",
      Tabs(2) + "<Properties xmlns=\"" + kNsDublinCore + "\">",
      Tabs(3) + "<creator>OLYMPUS-V1.0.0</creator>",
      Tabs(2) + "</Properties>",
      Tabs(1) + "</nmf:Metadata>",
      Tabs(1) + "<mpv:AssetList>",
  };
}

std::vector<std::string> ManifestTail() {
  return {Tabs(1) + "</mpv:AssetList>", "</file:Manifest>"};
}

std::vector<TManifestFile> AlbumManifests(TAlbumStart start, const std::vector<std::string>& paths,
                                          int last) {
  auto bytesOf = [](const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    return bytes;
  };
  std::vector<TManifestFile> files;
  int album = start.FirstAlbum;
  std::vector<std::string> lines = ManifestHead();
  for (int i = start.FirstPicture; i <= last; ++i) {
    lines.push_back(Tabs(2) + "<mpv:Still mpv:id=\"" + AlbumStillId(i) + "\">");
    lines.push_back(Tabs(3) + "<mpv:LastURL>../DCIM/100OLYMP/" + XmlName(FileNameOf(paths[i - 1])) +
                    "</mpv:LastURL>");
    lines.push_back(Tabs(2) + "</mpv:Still>");
    if (i % kPicturesPerAlbum != 0 && i != last) continue;
    Append(lines, ManifestTail());
    files.push_back({"OLALB/ALBUM" + Number3(album) + ".PVM", bytesOf(lines)});
    lines.clear();
    ++album;
    if (album > kMaxAlbums) break;
    if (i < last) lines = ManifestHead();
  }

  std::vector<std::string> master = ManifestHead();
  for (int n = start.FirstAlbum; n < album; ++n) {
    master.push_back(Tabs(2) + "<mpv:ManifestLink mpv:id=\"" + AlbumLinkId(n) + "\">");
    master.push_back(Tabs(3) + "<mpv:LastURL>OLALB/ALBUM" + Number3(n) + ".PVM</mpv:LastURL>");
    master.push_back(Tabs(2) + "</mpv:ManifestLink>");
  }
  Append(master, ManifestTail());
  files.push_back({"ALBUM.PVM", bytesOf(master)});
  return files;
}
