#include "text/Carried.h"

#include "text/Sjis.h"

namespace {

constexpr std::string_view kGeta = "\x81\xAC";  // 〓 in code page 932
constexpr std::size_t kCodesPerLead = 188;

}  // namespace

void TCarriedChars::AppendCode(std::string& out, std::size_t index) {
  const std::size_t column = index % kCodesPerLead;
  out += static_cast<char>(0xF0 + index / kCodesPerLead);
  // The trail bytes skip 7F, which is no trail byte of code page 932.
  out += static_cast<char>(0x40 + column + (column >= 0x3F));
}

void TCarriedChars::Reserve(std::size_t index) {
  if (index >= scalars_.size()) scalars_.resize(index + 1, 0);
  if (scalars_[index] == 0) scalars_[index] = kReserved;
}

bool TCarriedChars::Carry(std::string& out, char32_t scalar) {
  if (auto it = codes_.find(scalar); it != codes_.end()) {
    AppendCode(out, it->second);
    return true;
  }
  while (next_ < scalars_.size() && scalars_[next_] != 0) ++next_;
  if (next_ >= kCapacity) return false;
  if (next_ == scalars_.size()) scalars_.push_back(0);
  scalars_[next_] = scalar;
  codes_.emplace(scalar, static_cast<std::uint16_t>(next_));
  AppendCode(out, next_);
  ++next_;
  return true;
}

TStored TCarriedChars::Append(std::string& out, char32_t scalar) {
  char form[2];
  const int length = EncodeSjis(scalar, form);
  if (length >= 0) {
    const int index = length == 2 ? IndexOf(static_cast<unsigned char>(form[0]),
                                            static_cast<unsigned char>(form[1]))
                                  : -1;
    // A private-use character written into the area keeps its code, unless
    // that code already stands for a carried character.
    const bool taken = index >= 0 && Scalar(static_cast<unsigned char>(form[0]),
                                            static_cast<unsigned char>(form[1])) != 0;
    if (!taken) {
      if (index >= 0) Reserve(static_cast<std::size_t>(index));
      out.append(form, static_cast<std::size_t>(length));
      return TStored::Form;
    }
  }
  if (Carry(out, scalar)) return TStored::Carried;
  out += kGeta;
  return TStored::Geta;
}

void TCarriedChars::ReserveUsedCodes(std::string_view cp932) {
  const auto* p = reinterpret_cast<const unsigned char*>(cp932.data());
  const std::size_t n = cp932.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char b = p[i];
    if (!IsLeadByte(b)) {
      ++i;
      continue;
    }
    if (IsCarriedLead(b) && i + 1 < n) {
      const int index = IndexOf(b, p[i + 1]);
      if (index >= 0) Reserve(static_cast<std::size_t>(index));
    }
    i += 2;
  }
}

std::vector<char32_t> TCarriedChars::Scalars() const {
  std::vector<char32_t> scalars;
  scalars.reserve(codes_.size());
  for (char32_t scalar : scalars_)
    if (scalar != 0 && scalar != kReserved) scalars.push_back(scalar);
  return scalars;
}

std::string StoreToUtf8(std::string_view bytes, const TCarriedChars& carried) {
  if (carried.Empty()) return SjisToUtf8(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t n = SjisCharLength(bytes, i);
    const char32_t scalar = n == 2 ? carried.Scalar(static_cast<unsigned char>(bytes[i]),
                                                    static_cast<unsigned char>(bytes[i + 1]))
                                   : 0;
    AppendUtf8(out, scalar != 0 ? scalar : SjisCharToCodePoint(bytes.substr(i, n)));
    i += n;
  }
  return out;
}

std::string StoreToCp932(std::string_view bytes, const TCarriedChars& carried, std::size_t* getas) {
  *getas = 0;
  if (carried.Empty()) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t n = SjisCharLength(bytes, i);
    const char32_t scalar = n == 2 ? carried.Scalar(static_cast<unsigned char>(bytes[i]),
                                                    static_cast<unsigned char>(bytes[i + 1]))
                                   : 0;
    if (scalar == 0) {
      out.append(bytes.substr(i, n));
    } else if (!AppendSjis(out, scalar)) {
      // Only a private-use character carried under another code has a form.
      out += kGeta;
      ++*getas;
    }
    i += n;
  }
  return out;
}

std::string CarriedMessage(std::size_t carried, std::size_t glyphless) {
  if (carried == 0) return {};
  std::string message = "外字" + std::to_string(carried) + "字を保持";
  if (glyphless > 0) message += " うち" + std::to_string(glyphless) + "種は〓で表示";
  return message;
}

std::string SavedAsGetaMessage(std::size_t getas) {
  if (getas == 0) return {};
  return "外字" + std::to_string(getas) + "字を〓で保存";
}
