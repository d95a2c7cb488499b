// The recovery copy's file: the images, then their trailer.
#include "storage/recovery_format.h"

#include <zlib.h>

#include <cstring>
#include <iterator>
#include <utility>

namespace recovery {
namespace {

constexpr std::uint8_t kMagic[8] = {'P', 'I', 'X', 'E', 'D', 'R', 'E', 'C'};
constexpr std::uint8_t kSavedMagic[8] = {'P', 'I', 'X', 'E', 'D', 'S', 'A', 'V'};
constexpr std::uint8_t kEndMagic[4] = {'R', 'E', 'C', 'X'};
// The working view alone; the reference image after it.
constexpr std::uint16_t kWorkingOnly = 1;
constexpr std::uint16_t kWithReference = 2;

constexpr std::size_t kVersionAt = 8;
constexpr std::size_t kLengthAt = 10;
constexpr std::size_t kWidthAt = 12;
constexpr std::size_t kHeightAt = 16;
constexpr std::size_t kNumberAt = 20;
constexpr std::size_t kTimeAt = 24;
constexpr std::size_t kLoadNameAt = 32;
constexpr std::size_t kSaveNameAt = 57;
constexpr std::size_t kZeroAt = 82;
constexpr std::size_t kCrcAt = 88;
constexpr std::size_t kEndMagicAt = 92;
static_assert(kEndMagicAt + sizeof kEndMagic == kTrailerBytes);

void Put(std::uint8_t* at, std::uint64_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) {
    at[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

std::uint64_t Get(const std::uint8_t* at, std::size_t bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < bytes; ++i) {
    value |= std::uint64_t{at[i]} << (8 * i);
  }
  return value;
}

bool SideFits(std::int64_t side) {
  return side >= 0 && side <= kLargestSide;
}

// A name field must end within its 25 bytes, and nothing may follow its end.
bool NameFieldSound(const std::uint8_t* field) {
  const void* end = std::memchr(field, 0, kNameBytes);
  if (end == nullptr) {
    return false;
  }
  for (auto* p = static_cast<const std::uint8_t*>(end); p < field + 25; ++p) {
    if (*p != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count, std::uint32_t crc) {
  return static_cast<std::uint32_t>(crc32_z(crc, bytes, count));
}

std::vector<std::uint8_t> EncodeUnsealed(Copy copy) {
  const bool withReference = !copy.reference.empty();
  std::vector<std::uint8_t> bytes = std::move(copy.pixels);
  bytes.reserve(bytes.size() + copy.reference.size() + kTrailerBytes);
  bytes.insert(bytes.end(), copy.reference.begin(), copy.reference.end());
  bytes.resize(bytes.size() + kTrailerBytes, 0);
  std::uint8_t* trailer = bytes.data() + bytes.size() - kTrailerBytes;
  std::memcpy(trailer, kMagic, sizeof kMagic);
  Put(trailer + kVersionAt, withReference ? kWithReference : kWorkingOnly, 2);
  Put(trailer + kLengthAt, kTrailerBytes, 2);
  Put(trailer + kWidthAt, static_cast<std::uint32_t>(copy.width), 4);
  Put(trailer + kHeightAt, static_cast<std::uint32_t>(copy.height), 4);
  Put(trailer + kNumberAt, static_cast<std::uint32_t>(copy.pixNumber), 4);
  Put(trailer + kTimeAt, static_cast<std::uint64_t>(copy.takenAt), 8);
  std::memcpy(trailer + kLoadNameAt, copy.loadFileName, strnlen(copy.loadFileName, kLongestName));
  std::memcpy(trailer + kSaveNameAt, copy.saveFileName, strnlen(copy.saveFileName, kLongestName));
  std::memcpy(trailer + kEndMagicAt, kEndMagic, sizeof kEndMagic);
  return bytes;
}

void Seal(std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kTrailerBytes) {
    return;
  }
  const std::size_t checked = bytes.size() - kTrailerBytes + kCrcAt;
  Put(bytes.data() + checked, Crc32(bytes.data(), checked), 4);
}

std::vector<std::uint8_t> Encode(const Copy& copy) {
  std::vector<std::uint8_t> bytes = EncodeUnsealed(copy);
  Seal(bytes);
  return bytes;
}

Problem Decode(const std::vector<std::uint8_t>& bytes, Copy* copy) {
  if (bytes.size() > kLargestCopyBytes) {
    return Problem::Foreign;
  }
  if (bytes.size() < kTrailerBytes) {
    return Problem::Truncated;
  }
  const std::uint8_t* trailer = bytes.data() + bytes.size() - kTrailerBytes;
  const bool saved = std::memcmp(trailer, kSavedMagic, sizeof kSavedMagic) == 0;
  const bool startsRight = saved || std::memcmp(trailer, kMagic, sizeof kMagic) == 0;
  const bool endsRight = std::memcmp(trailer + kEndMagicAt, kEndMagic, sizeof kEndMagic) == 0;
  if (!endsRight) {
    // A file cut short ends inside its images or trailer; one with bytes
    // added ends in them.
    return Problem::Truncated;
  }
  if (!startsRight) {
    return Problem::Damaged;
  }
  const std::uint64_t version = Get(trailer + kVersionAt, 2);
  if ((version != kWorkingOnly && version != kWithReference) ||
      Get(trailer + kLengthAt, 2) != kTrailerBytes) {
    return Problem::Foreign;
  }
  const std::size_t imageBytes = bytes.size() - kTrailerBytes;
  // The checksum was taken before any mark.
  std::uint32_t crc = Crc32(bytes.data(), imageBytes);
  crc = Crc32(kMagic, sizeof kMagic, crc);
  crc = Crc32(trailer + sizeof kMagic, kCrcAt - sizeof kMagic, crc);
  if (static_cast<std::uint32_t>(Get(trailer + kCrcAt, 4)) != crc) {
    return Problem::Damaged;
  }
  const auto width = static_cast<std::int32_t>(Get(trailer + kWidthAt, 4));
  const auto height = static_cast<std::int32_t>(Get(trailer + kHeightAt, 4));
  if (!SideFits(width) || !SideFits(height)) {
    return Problem::Damaged;
  }
  const std::size_t onePicture = std::size_t(width) * std::size_t(height);
  if (onePicture * (version == kWithReference ? 2 : 1) != imageBytes) {
    return Problem::Truncated;
  }
  if (!NameFieldSound(trailer + kLoadNameAt) || !NameFieldSound(trailer + kSaveNameAt)) {
    return Problem::Damaged;
  }
  for (std::size_t i = kZeroAt; i < kCrcAt; ++i) {
    if (trailer[i] != 0) {
      return Problem::Damaged;
    }
  }
  if (saved) {
    return Problem::Saved;
  }
  copy->width = width;
  copy->height = height;
  copy->pixNumber = static_cast<std::int32_t>(Get(trailer + kNumberAt, 4));
  copy->takenAt = static_cast<std::int64_t>(Get(trailer + kTimeAt, 8));
  std::memcpy(copy->loadFileName, trailer + kLoadNameAt, kNameBytes);
  std::memcpy(copy->saveFileName, trailer + kSaveNameAt, kNameBytes);
  const auto referenceAt = bytes.begin() + static_cast<std::ptrdiff_t>(onePicture);
  copy->pixels.assign(bytes.begin(), referenceAt);
  copy->reference.assign(referenceAt, bytes.begin() + static_cast<std::ptrdiff_t>(imageBytes));
  return Problem::None;
}

std::vector<std::uint8_t> SavedMark() {
  return {std::begin(kSavedMagic), std::end(kSavedMagic)};
}

}  // namespace recovery
