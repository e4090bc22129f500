// The road of a text file into the line store: encoding detection, the
// conversion from each encoding, tag stripping and character references for
// HTML, the binary-file check, and the load into a wrapping TEditor.
//
// The first byte chooses how the rest is read: bits 0-2 the encoding (Auto
// detects, any other is used as given), bit 3 an HTML file, bits 4-7 the wrap
// width.
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "base/Errors.h"
#include "text/BinaryCheck.h"
#include "text/Carried.h"
#include "text/Encoding.h"
#include "text/Entities.h"
#include "text/HEditor.h"
#include "text/Sjis.h"
#include "text/TagStrip.h"

namespace {

constexpr std::array<TTextEncoding, 8> kEncodings{TTextEncoding::Auto,    TTextEncoding::ShiftJis,
                                                  TTextEncoding::Utf8,    TTextEncoding::Utf16,
                                                  TTextEncoding::Utf16Le, TTextEncoding::Utf16Be,
                                                  TTextEncoding::EucJp,   TTextEncoding::Iso2022Jp};

void Require(bool holds) {
  if (!holds) std::abort();
}

bool IsTrailByte(unsigned char b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Whether every lead byte is followed by a trail byte; counts the geta marks.
bool IsCp932(std::string_view text, std::size_t* getas) {
  *getas = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
    if (i + 1 == text.size() || !IsTrailByte(static_cast<unsigned char>(text[i + 1]))) return false;
    *getas += text.substr(i, 2) == "\x81\xAC";
    ++i;
  }
  return true;
}

// A folder of its own for the files the store loads, removed at exit.
class TScratch {
 public:
  // In memory where it can be: rewriting a file on disk thousands of times a
  // second waits on its flushes.
  TScratch() {
    char shm[] = "/dev/shm/fuzz-text-XXXXXX";
    char tmp[] = "/tmp/fuzz-text-XXXXXX";
    const char* dir = mkdtemp(shm);
    if (!dir) dir = mkdtemp(tmp);
    Require(dir != nullptr);
    dir_ = dir;
  }
  ~TScratch() {
    for (const char* file : {"/t.txt", "/t.html"}) ::unlink((dir_ + file).c_str());
    ::rmdir(dir_.c_str());
  }
  std::string Write(std::string_view bytes, bool html) const {
    const std::string path = dir_ + (html ? "/t.html" : "/t.txt");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

 private:
  std::string dir_;
};

// glibc unloads a converter's module when its last descriptor closes; one
// kept open for each keeps the runs from loading them again every time.
std::array<iconv_t, 5> gKeptConverters;

void KeepConvertersLoaded() {
  const std::array<const char*, 5> names{"UTF-8", "UTF-16LE", "UTF-16BE", "EUC-JP", "ISO-2022-JP"};
  for (std::size_t i = 0; i < names.size(); ++i)
    gKeptConverters[i] = iconv_open("UTF-32LE", names[i]);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KeepConvertersLoaded();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const TTextEncoding encoding = kEncodings[data[0] & 7];
  const bool html = (data[0] & 8) != 0;
  const int width = 20 + (data[0] >> 4) * 15;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  const TTextEncoding detected = DetectEncoding(bytes, html);
  Require(detected != TTextEncoding::Auto && detected != TTextEncoding::Utf16);
  const TDecodedText decoded = DecodeText(bytes, html, encoding);
  const TEncodingReport& report = decoded.Report;
  Require(report.Encoding != TTextEncoding::Auto && report.Encoding != TTextEncoding::Utf16);
  if (encoding == TTextEncoding::Auto) Require(report.Encoding == detected);
  // Code page 932 is kept byte for byte; anything converted is whole code page
  // 932 characters, with a geta mark for each one counted. What code page 932
  // lacks is carried, and the text as UTF-8 with its carried characters
  // resolved reads back to the very same bytes.
  std::size_t getas = 0;
  if (!report.Converted()) {
    Require(decoded.Bytes == bytes && report.Replaced == 0 && decoded.Carried.Empty());
  } else {
    Require(IsCp932(decoded.Bytes, &getas));
    Require(getas >= report.Replaced && report.Replaced <= bytes.size());
    Require(decoded.Carried.Size() <= std::min(report.Carried, TCarriedChars::kCapacity));
    // A mark of its own, so that a text that starts with U+FEFF keeps it.
    const std::string utf8 = "\xEF\xBB\xBF" + StoreToUtf8(decoded.Bytes, decoded.Carried);
    Require(DecodeText(utf8, false, TTextEncoding::Utf8).Bytes == decoded.Bytes);
  }

  // Tags end at '>' and references start at '&', bytes below any trail byte:
  // neither step can break a character apart.
  TTagStripResult stripped = StripTags(decoded.Bytes);
  Require(stripped.Text.find('<') == std::string::npos);
  Require(stripped.Text.size() <= decoded.Bytes.size());
  std::size_t getasBefore = 0;
  const bool wasCp932 = IsCp932(stripped.Text, &getasBefore);
  const std::size_t references = DecodeEntities(stripped.Text);
  std::size_t getasAfter = 0;
  if (wasCp932) {
    Require(IsCp932(stripped.Text, &getasAfter));
    Require(getasAfter >= getasBefore + references);
  }

  // The store reads the same text from a file and wraps every line into rows
  // that give the line back, none wider than the width and its hanging signs.
  static const TScratch scratch;
  TEditor editor;
  ApplyEditor1Settings(editor);
  editor.SetWrapByte(width);
  // The store refuses exactly the texts the binary-file check refuses.
  const bool binary = BinaryRefusal(decoded.Bytes).has_value();
  TEncodingReport loaded;
  try {
    loaded = editor.Lines.LoadFromFile(scratch.Write(bytes, html), encoding);
  } catch (const EFileError&) {
    Require(binary && editor.Lines.Count() == 0);
    return 0;
  }
  Require(!binary);
  Require(loaded.Encoding == report.Encoding && loaded.Replaced == report.Replaced &&
          loaded.Carried == report.Carried);
  std::string joined;
  int line = 0;
  for (int row = 0; row < editor.RowCount(); ++row) {
    Require(editor.Rows(row).size() <= static_cast<std::size_t>(width) + 3);
    joined += editor.Rows(row);
    if (editor.RowEnd(row) == TRowEnd::Continues) continue;
    Require(line < editor.Lines.Count() && joined == editor.Lines[line++]);
    joined.clear();
  }
  Require(line == editor.Lines.Count());
  return 0;
}
