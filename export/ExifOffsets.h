#pragma once
// The offsets of an Exif block that a new thumbnail of another length moves.
//
// Every TIFF offset counts from payload offset 6. A value longer than 4 bytes lies
// out of line: its entry's value field holds the value's offset. The Exif
// (0x8769), GPS (0x8825) and interoperability (0xA005) entries, and each IFD's
// next-IFD field, hold the offset of another IFD. When the thumbnail changes
// length, everything after it moves, so each such offset that points past the
// old thumbnail must move by the same amount.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// The payload positions of the 4-byte offset fields of IFD0, IFD1 and the IFDs
// they chain to or point at that point at or past thumbEnd (the end of the old
// thumbnail). std::nullopt when the block cannot be moved safely: a maker note
// after the thumbnail (its inner offsets follow no standard), a value of an
// unknown type, a value overlapping the thumbnail, or an IFD overlapping the TIFF
// header, the thumbnail or another IFD; when nothing follows the thumbnail none
// of these is refused, as nothing after it can be harmed. An offset that points
// beyond the payload (a damaged file) is listed too, so that it still points at
// nothing after a longer thumbnail; nothing inside what it points at is read.
std::optional<std::vector<std::size_t>> OffsetFieldsAfter(std::string_view payload, bool bigEndian,
                                                          std::size_t ifd0Pos, std::size_t thumbPos,
                                                          std::size_t thumbEnd);
