#pragma once
// Characters that code page 932 has no form for (頰, 𠮷, é, an emoji),
// carried through the line store in the code page's user-defined area.
//
// The store, the wrap, the page model and every tool work on code-page-932
// bytes and stay so: such a character is stored as one two-byte code of the
// user-defined area, and a table kept beside the text says which Unicode
// scalar value each code stands for. Only drawing and the writers look it up.
//
//   codes   lead F0..F9, trail 40..7E and 80..FC: 188 a lead, 1,880 in all,
//           index 0 = F0 40, 62 = F0 7E, 63 = F0 80, 187 = F0 FC, 188 = F1 40 ...
//   order   handed out in order of first appearance in the text, lowest
//           free index first; a character met again gets the code it has.
//   full    past the last code a character is stored as 〓 (81 AC) and counted.
//
// Codes a text already uses for themselves are never handed out: the
// user-defined characters of a code-page-932 file (ReserveUsedCodes), and the
// private-use characters U+E000..U+E757 that code page 932 writes into the
// area (F0 40 ...). Such a code keeps meaning what it meant; a private-use
// character whose code was handed out before it appeared is carried like any
// other character, so the two never share a code.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

constexpr bool IsCarriedLead(unsigned char b) {
  return b >= 0xF0 && b <= 0xF9;
}

// How one character was stored.
enum class TStored : std::uint8_t {
  Form,     // its own code-page-932 form
  Carried,  // a code of the table
  Geta,     // 〓: the table is full
};

class TCarriedChars {
 public:
  static constexpr std::size_t kCapacity = 1880;

  // The bytes that store one Unicode scalar value, appended to out: its
  // code-page-932 form, else its carried code, else 〓. The one entry point
  // for anything that turns characters into store bytes.
  TStored Append(std::string& out, char32_t scalar);
  // The scalar's carried code appended to out (given at its first
  // appearance); false, appending nothing, when every code is taken.
  bool Carry(std::string& out, char32_t scalar);
  // Reserves the codes of the area that a code-page-932 text uses itself.
  void ReserveUsedCodes(std::string_view cp932);

  // The scalar a two-byte character stands for; 0 when it is no carried code.
  char32_t Scalar(unsigned char lead, unsigned char trail) const {
    const int index = IndexOf(lead, trail);
    if (index < 0 || static_cast<std::size_t>(index) >= scalars_.size()) return 0;
    const char32_t scalar = scalars_[static_cast<std::size_t>(index)];
    return scalar == kReserved ? 0 : scalar;
  }
  bool Empty() const { return codes_.empty(); }
  // How many distinct characters are carried.
  std::size_t Size() const { return codes_.size(); }
  // The carried scalars in the order their codes were handed out.
  std::vector<char32_t> Scalars() const;

 private:
  // Marks a slot that no character may take.
  static constexpr char32_t kReserved = 0xFFFFFFFF;

  // The index of a code of the area; -1 for any other two bytes.
  static int IndexOf(unsigned char lead, unsigned char trail) {
    if (!IsCarriedLead(lead) || trail < 0x40 || trail > 0xFC || trail == 0x7F) return -1;
    return (lead - 0xF0) * 188 + trail - 0x40 - (trail > 0x7F);
  }
  static void AppendCode(std::string& out, std::size_t index);
  void Reserve(std::size_t index);

  // By index: the scalar, kReserved, or 0 for a slot not yet taken. Grows only
  // as far as the highest slot used, so an empty table costs nothing.
  std::vector<char32_t> scalars_;
  std::unordered_map<char32_t, std::uint16_t> codes_;  // scalar -> index
  std::size_t next_ = 0;                               // no free slot below it
};

// The store's bytes as UTF-8, carried characters resolved; every other byte
// sequence as SjisToUtf8 reads it.
std::string StoreToUtf8(std::string_view bytes, const TCarriedChars& carried);

// The store's bytes for a code-page-932 file: each carried character becomes
// 〓, or its own form when it has one, and is counted in *getas.
std::string StoreToCp932(std::string_view bytes, const TCarriedChars& carried, std::size_t* getas);

// Status line texts. A load: how many characters were kept in the table, of
// which how many kinds the page face has no glyph for (shown as 〓); empty
// when none was carried.
std::string CarriedMessage(std::size_t carried, std::size_t glyphless);
// A write: how many carried characters the file holds as 〓; empty for none.
std::string SavedAsGetaMessage(std::size_t getas);
