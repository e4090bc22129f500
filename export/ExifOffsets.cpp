#include "export/ExifOffsets.h"

#include <cstdint>
#include <set>
#include <utility>

#include "export/JpegSegments.h"

namespace {

constexpr std::size_t kTiffStart = 6;
constexpr std::uint16_t kTagMakerNote = 0x927C;
constexpr std::uint16_t kTypeIfd = 13;
constexpr std::uint64_t kMaxPayload = 0x10000;  // an APP1 segment's length is 16 bits

// Bytes per value of each TIFF type (BYTE, ASCII, SHORT, LONG, RATIONAL, SBYTE,
// UNDEFINED, SSHORT, SLONG, SRATIONAL, FLOAT, DOUBLE, IFD); 0 for unknown types.
std::uint64_t TypeSize(std::uint16_t type) {
  static constexpr std::uint8_t kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
  return type < sizeof kSizes ? kSizes[type] : 0;
}

bool PointsToIfd(std::uint16_t tag, std::uint16_t type) {
  return tag == 0x8769 || tag == 0x8825 || tag == 0xA005 || type == kTypeIfd;
}

class TOffsetWalk {
 public:
  TOffsetWalk(std::string_view a, bool big, std::size_t thumbPos, std::size_t thumbEnd)
      : a_(a), big_(big), thumbPos_(thumbPos), thumbEnd_(thumbEnd) {
    taken_.push_back({0, kTiffStart + 8});
    taken_.push_back({thumbPos, thumbEnd});
  }

  void Ifd(std::uint64_t pos) {
    if (!seen_.insert(pos).second || !Fits(pos, 2)) return;
    const std::uint16_t count = GetExif16(a_, pos, big_);
    const std::uint64_t next = pos + 2 + 12 * std::uint64_t{count};
    if (!Fits(pos + 2, 12 * std::uint64_t{count} + 4)) return;
    // An IFD inside the TIFF header, the thumbnail or another IFD is no IFD: the
    // fields it would have us rewrite belong to something else.
    for (const auto& [start, end] : taken_) {
      if (pos < end && start < next + 4) {
        unsafe_ = true;
        return;
      }
    }
    taken_.push_back({pos, next + 4});
    for (std::uint64_t entry = pos + 2; entry < next; entry += 12) Entry(entry);
    if (const std::uint32_t nextIfd = GetExif32(a_, next, big_); nextIfd != 0) Chain(next, nextIfd);
  }

  bool Unsafe() const { return unsafe_; }
  std::vector<std::size_t> TakeFields() { return std::move(fields_); }

 private:
  bool Fits(std::uint64_t pos, std::uint64_t count) const {
    return pos <= a_.size() && count <= a_.size() - pos;
  }

  void Entry(std::uint64_t entry) {
    const std::uint16_t tag = GetExif16(a_, entry, big_);
    const std::uint16_t type = GetExif16(a_, entry + 2, big_);
    const std::uint64_t size = TypeSize(type) * GetExif32(a_, entry + 4, big_);
    const std::uint64_t value = GetExif32(a_, entry + 8, big_);
    if (PointsToIfd(tag, type)) {
      Chain(entry + 8, value);
    } else if (TypeSize(type) == 0) {
      unsafe_ = true;  // whether its field is an offset cannot be told
    } else if (size > 4) {
      if (tag == kTagMakerNote && kTiffStart + value >= thumbEnd_) unsafe_ = true;
      Field(entry + 8, kTiffStart + value, size);
    }
  }

  // An IFD pointer: its field moves with the IFD, and the IFD is walked too.
  void Chain(std::uint64_t field, std::uint64_t offset) {
    Field(field, kTiffStart + offset, 2);
    Ifd(kTiffStart + offset);
  }

  void Field(std::uint64_t field, std::uint64_t target, std::uint64_t size) {
    // An offset beyond the block points at nothing (a damaged file). It moves
    // too, so that a longer thumbnail does not make it point into the thumbnail;
    // one beyond any block's reach (64 KiB) cannot be reached and stays.
    if (target >= a_.size()) {
      if (target < kMaxPayload) fields_.push_back(static_cast<std::size_t>(field));
      return;
    }
    if (target >= thumbEnd_) {
      fields_.push_back(static_cast<std::size_t>(field));
    } else if (target + size > thumbPos_) {
      unsafe_ = true;  // part of it would move with the thumbnail's end
    }
  }

  std::string_view a_;
  bool big_;
  std::size_t thumbPos_, thumbEnd_;
  std::set<std::uint64_t> seen_;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> taken_;  // [start, end) of known parts
  std::vector<std::size_t> fields_;
  bool unsafe_ = false;
};

}  // namespace

std::optional<std::vector<std::size_t>> OffsetFieldsAfter(std::string_view payload, bool bigEndian,
                                                          std::size_t ifd0Pos, std::size_t thumbPos,
                                                          std::size_t thumbEnd) {
  TOffsetWalk walk(payload, bigEndian, thumbPos, thumbEnd);
  walk.Ifd(ifd0Pos);
  // Nothing follows the thumbnail: only offsets already beyond the block move,
  // and nothing the walk finds doubtful can be harmed, so none is refused.
  if (thumbEnd >= payload.size()) return walk.TakeFields();
  if (walk.Unsafe()) return std::nullopt;
  return walk.TakeFields();
}
