// The recovery copy's file: the working view as a pix image, from version 2
// the reference image after it as the pix file's second image, then a
// trailer that says what it is and how to put it back.
//
//   bytes 0 .. w*h-1        the working view, one palette index a pixel, row
//                           by row: a pix file's first image, as pixtool reads it
//   bytes w*h .. 2*w*h-1    version 2 only: the reference image (the image as
//                           last loaded, which the reference view shows), the
//                           same way: the pix file's second image
//   the last 96 bytes       the trailer, numbers little-endian:
//     0   8  "PIXEDREC"; "PIXEDSAV" once the work was saved but the copy
//            could not be removed (the checksum is still that of "PIXEDREC")
//     8   2  version: 1 (the working view only) or 2 (and the reference image)
//     10  2  trailer length (96)
//     12  4  width, 0 to 999
//     16  4  height, 0 to 999
//     20  4  image number (pixNumber)
//     24  8  when the copy was taken, seconds since 1970 (UTC)
//     32  25 load file name, zero-terminated
//     57  25 save file name, zero-terminated
//     82  6  zero
//     88  4  CRC-32 (as zlib computes it) of every byte before it
//     92  4  "RECX"
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/work_record.h"

namespace recovery {

inline constexpr std::size_t kTrailerBytes = 96;
inline constexpr std::int32_t kLargestSide = 999;
// The longest file a copy can be (version 2, both images of the largest
// size): anything longer is not one.
inline constexpr std::size_t kLargestCopyBytes =
    2 * std::size_t{kLargestSide} * std::size_t{kLargestSide} + kTrailerBytes;

struct Copy : WorkRecord {
  std::int64_t takenAt = 0;
  // width x height palette indices.
  std::vector<std::uint8_t> pixels;
  // The reference image, width x height palette indices; empty when the copy
  // keeps none (one of version 1).
  std::vector<std::uint8_t> reference;
};

// Why a file is not a copy that can be put back.
enum class Problem {
  None,
  Foreign,    // not a recovery copy of this program (or of a later version)
  Truncated,  // its length is not that of a whole copy: cut short, or bytes added
  Damaged,    // a byte changed: the checksum or a field does not hold
  Saved,      // a whole copy, marked: its work was saved, only the remove failed
};

// The file's bytes. The copy's sides must lie in 0..kLargestSide, its pixels
// be width x height and its reference empty or width x height (the names are
// cut to 24 characters). Version 2 when it has a reference, else version 1,
// which an older pixed reads too.
std::vector<std::uint8_t> Encode(const Copy& copy);
// The same in two steps: the bytes without their checksum, made from the
// copy's own pixel buffer, and the checksum put in, which can be done later
// and elsewhere (on the thread that writes the file).
std::vector<std::uint8_t> EncodeUnsealed(Copy copy);
void Seal(std::vector<std::uint8_t>& bytes);
// Reads a file's bytes back; on a problem the copy is left as it was.
Problem Decode(const std::vector<std::uint8_t>& bytes, Copy* copy);

// What is written over a copy in place, kTrailerBytes before its end, when
// its work was saved but the copy cannot be removed: the next start then
// does not offer it back.
std::vector<std::uint8_t> SavedMark();

// The CRC-32 of zlib and PNG.
std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count, std::uint32_t crc = 0);

}  // namespace recovery
