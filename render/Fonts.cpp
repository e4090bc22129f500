#include "render/Fonts.h"

#include <hb.h>

#include <QByteArray>
#include <QFont>
#include <QString>
#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace {

// Installed families standing in for the faces the program names, best first.
std::vector<QString> CandidateFamilies(const std::string& faceName) {
  if (faceName == "ＭＳ 明朝") return {"IPAMincho", "IPAexMincho", "Noto Serif CJK JP"};
  if (faceName == "ＭＳ ゴシック") return {"IPAGothic", "IPAexGothic", "Noto Sans CJK JP"};
  if (faceName == "ＭＳ Ｐ明朝") return {"IPAPMincho", "IPAexMincho", "Noto Serif CJK JP"};
  if (faceName == "ＭＳ Ｐゴシック") return {"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP"};
  if (faceName == "Times New Roman") return {"Liberation Serif", "Times New Roman"};
  // Any other name: the family itself, then the Mincho the pages are set in.
  return {QString::fromStdString(faceName), "IPAMincho"};
}

// The font engine decides at load time whether its glyphs are antialiased, so
// the crisp and the smooth variants of a face are two loads.
QRawFont FindRawFont(const std::string& faceName, QFont::StyleStrategy strategy) {
  const auto candidates = CandidateFamilies(faceName);
  for (const auto& family : candidates) {
    QFont font(family);
    font.setPixelSize(64);
    font.setStyleStrategy(strategy);
    QRawFont raw = QRawFont::fromFont(font);
    if (raw.isValid() && raw.familyName().compare(family, Qt::CaseInsensitive) == 0) return raw;
  }
  // Whatever fontconfig offers for the first choice.
  QFont font(candidates.front());
  font.setPixelSize(64);
  font.setStyleStrategy(strategy);
  return QRawFont::fromFont(font);
}

hb_blob_t* ReferenceTable(hb_face_t*, hb_tag_t tag, void* userData) {
  const auto* raw = static_cast<const QRawFont*>(userData);
  char name[5] = {static_cast<char>(tag >> 24), static_cast<char>(tag >> 16),
                  static_cast<char>(tag >> 8), static_cast<char>(tag), 0};
  auto* bytes = new QByteArray(raw->fontTable(name));
  if (bytes->isEmpty()) {
    delete bytes;
    return nullptr;
  }
  return hb_blob_create(bytes->constData(), static_cast<unsigned>(bytes->size()),
                        HB_MEMORY_MODE_READONLY, bytes,
                        [](void* p) { delete static_cast<QByteArray*>(p); });
}

int BigEndian16(const QByteArray& table, int offset) {
  if (offset + 2 > table.size()) return 0;
  return (static_cast<unsigned char>(table[offset]) << 8) |
         static_cast<unsigned char>(table[offset + 1]);
}

int Signed16(int value) {
  return value >= 0x8000 ? value - 0x10000 : value;
}

}  // namespace

TFontFace::TFontFace(QRawFont base, QRawFont crisp)
    : base_(std::move(base)), crisp_(std::move(crisp)) {
  hbFace_ = hb_face_create_for_tables(ReferenceTable, &base_, nullptr);
  hbFont_ = hb_font_create(hbFace_);
  unitsPerEm_ = std::max(1, static_cast<int>(hb_face_get_upem(hbFace_)));
  hb_font_set_scale(hbFont_, unitsPerEm_, unitsPerEm_);
  const QByteArray os2 = base_.fontTable("OS/2");
  if (os2.size() >= 78) {
    avgWidth_ = Signed16(BigEndian16(os2, 2));
    const int typoAscender = Signed16(BigEndian16(os2, 68));
    const int typoDescender = Signed16(BigEndian16(os2, 70));
    winAscent_ = BigEndian16(os2, 74);
    winDescent_ = BigEndian16(os2, 76);
    // The typo box is the ideographic em box when it spans exactly one em.
    emBoxAscent_ =
        typoAscender - typoDescender == unitsPerEm_ ? typoAscender : unitsPerEm_ * 88 / 100;
  } else {
    winAscent_ = static_cast<int>(base_.ascent() * unitsPerEm_ / base_.pixelSize());
    winDescent_ = static_cast<int>(base_.descent() * unitsPerEm_ / base_.pixelSize());
    emBoxAscent_ = unitsPerEm_ * 88 / 100;
    avgWidth_ = unitsPerEm_ / 2;
  }
  if (winAscent_ + winDescent_ <= 0) {
    winAscent_ = unitsPerEm_ * 88 / 100;
    winDescent_ = unitsPerEm_ - winAscent_;
  }
  if (avgWidth_ <= 0) avgWidth_ = unitsPerEm_ / 2;
  const quint32 space = Glyph(U'\u3000');
  fullWidth_ = space != 0 ? AdvanceUnits(space) : unitsPerEm_;
  if (fullWidth_ <= 0) fullWidth_ = unitsPerEm_;
}

TFontFace::~TFontFace() {
  hb_font_destroy(hbFont_);
  hb_face_destroy(hbFace_);
}

std::shared_ptr<TFontFace> TFontFace::ForName(const std::string& faceName) {
  // Each thread loads its own faces: a QRawFont's font engine and a HarfBuzz
  // font keep caches that are changed while drawing and shaping, and nothing
  // guards them against two threads at once.
  thread_local std::map<std::string, std::shared_ptr<TFontFace>> faces;
  auto& slot = faces[faceName];
  if (!slot)
    slot.reset(new TFontFace(FindRawFont(faceName, QFont::PreferDefault),
                             FindRawFont(faceName, QFont::NoAntialias)));
  return slot;
}

QRawFont TFontFace::RawAt(double pixelSize, bool crisp) const {
  QRawFont raw = crisp ? crisp_ : base_;
  raw.setPixelSize(pixelSize);
  return raw;
}

quint32 TFontFace::Glyph(char32_t codePoint) const {
  hb_codepoint_t glyph = 0;
  if (!hb_font_get_nominal_glyph(hbFont_, codePoint, &glyph)) return 0;
  return glyph;
}

quint32 TFontFace::VerticalGlyph(char32_t codePoint) const {
  if (auto it = vertical_.find(codePoint); it != vertical_.end()) return it->second;
  const quint32 nominal = Glyph(codePoint);
  quint32 result = nominal;
  static const hb_feature_t vert = {HB_TAG('v', 'e', 'r', 't'), 1, HB_FEATURE_GLOBAL_START,
                                    HB_FEATURE_GLOBAL_END};
  // The feature may be listed under one script only; try the ones Japanese
  // punctuation and kana are set in.
  for (hb_script_t script : {HB_SCRIPT_HAN, HB_SCRIPT_KATAKANA, HB_SCRIPT_HIRAGANA}) {
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf32(buffer, reinterpret_cast<const uint32_t*>(&codePoint), 1, 0, 1);
    hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, script);
    hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
    hb_shape(hbFont_, buffer, &vert, 1);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const quint32 shaped = count == 1 ? info[0].codepoint : nominal;
    hb_buffer_destroy(buffer);
    if (shaped != nominal && shaped != 0) {
      result = shaped;
      break;
    }
  }
  vertical_.emplace(codePoint, result);
  return result;
}

int TFontFace::AdvanceUnits(quint32 glyph) const {
  return static_cast<int>(hb_font_get_glyph_h_advance(hbFont_, glyph));
}

std::shared_ptr<const TSizedFont> ResolveFont(const TLogFont& record) {
  // Per thread, as the faces the sized fonts hold are.
  thread_local std::map<std::tuple<std::string, int, int, bool>, std::shared_ptr<const TSizedFont>>
      cache;
  const bool bold = record.lfWeight >= 600;
  const int height = std::max(1, std::abs(record.lfHeight));
  const auto key = std::make_tuple(record.lfFaceName, height, record.lfWidth, bold);
  if (auto it = cache.find(key); it != cache.end()) return it->second;

  auto sized = std::make_shared<TSizedFont>();
  std::string name = record.lfFaceName;
  if (!name.empty() && name.front() == '@') {
    sized->Vertical = true;
    name.erase(0, 1);
  }
  sized->Face = TFontFace::ForName(name);
  const TFontFace& face = *sized->Face;
  sized->Bold = bold;
  sized->Cell = height;
  sized->Em = height * static_cast<double>(face.UnitsPerEm()) / face.CellUnits();
  sized->Ascent = height * static_cast<double>(face.WinAscent()) / face.CellUnits();
  sized->EmBoxAscent = face.EmBoxAscent() * sized->Scale();
  sized->Crisp = height <= kCrispCellMax;
  sized->Raw = face.RawAt(sized->Em, sized->Crisp);
  if (record.lfWidth > 0) {
    // The average width is measured as if the em filled the cell, as it did
    // in the faces these names stand for; so a width of half the height keeps
    // a full-width character square to the cell.
    const double natural =
        face.AverageWidthUnits() * static_cast<double>(height) / face.UnitsPerEm();
    sized->XScale = record.lfWidth / natural;
  }
  cache.emplace(key, sized);
  return sized;
}

bool FaceHasGlyph(const std::string& faceName, char32_t codePoint) {
  const std::string name =
      !faceName.empty() && faceName.front() == '@' ? faceName.substr(1) : faceName;
  return TFontFace::ForName(name)->Glyph(codePoint) != 0;
}
