// Decoded bitmap files kept between draws: the one rule of every backend's LoadImageA.
//
// The editor draws its buttons from their files on every pass. A bitmap decoded from a file is
// kept under the name it was asked by and handed out again until a folder its lookup reads
// reports a change; then it is read afresh, so a bitmap replaced, created or deleted shows at the
// next pass. Where a folder cannot be watched nothing is kept: every draw reads the file, and a
// picture is never stale.
//
// Looking at the reports costs a system call, as much as the rest of a draw. So they are looked at
// before a file is read, and at the first draw of each pass of the main loop (as plat::BeginEditorPass
// counts them, editor_pass.h): one look a pass, however many buttons it draws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "../display.h"
#include "editor_pass.h"

namespace plat::soft {

template <typename Bitmap>
class KeptBitmaps {
 public:
  // The editor draws about twenty bitmaps, each much smaller than the screen; the budget holds
  // them many times over, and never more than four screens' worth of pixels.
  static constexpr std::size_t kMostBitmaps = 32;
  static constexpr std::uint64_t kMostPixels = std::uint64_t{4} * kScreenWidth * kScreenHeight;

  // release frees a bitmap that is given up.
  explicit KeptBitmaps(void (*release)(Bitmap&)) : release_(release) {}
  KeptBitmaps(const KeptBitmaps&) = delete;
  KeptBitmaps& operator=(const KeptBitmaps&) = delete;

  // The bitmap kept for name, if no change has been reported since it was read; else null, and
  // the caller reads the file. look() looks at the reports: the count of changes reported so far,
  // or 0 while a folder cannot be watched.
  template <typename Look>
  const Bitmap* Find(std::string_view name, Look&& look) {
    const std::size_t at = IndexOf(name);
    const bool known = at < entries_.size();
    if (looked_ && lookedInPass_ == EditorPasses() && known) {
      return Serve(at);
    }
    changes_ = look();
    looked_ = true;
    lookedInPass_ = EditorPasses();
    return known ? Serve(at) : nullptr;
  }

  // Whether a bitmap of so many pixels, read after Find found none, would be kept: not while the
  // folders cannot be watched, nor when it is too large.
  bool Keeps(std::uint64_t pixels) const { return looked_ && changes_ != 0 && pixels <= kMostPixels; }

  // Keeps bitmap (of pixels pixels), just read for name after Find found none. False when it is
  // not kept (see Keeps): the caller still owns it.
  bool Keep(std::string_view name, Bitmap bitmap, std::uint64_t pixels) {
    if (!Keeps(pixels)) {
      return false;
    }
    if (const std::size_t at = IndexOf(name); at < entries_.size()) {
      Forget(at);
    }
    while (!entries_.empty() && (entries_.size() >= kMostBitmaps || keptPixels_ + pixels > kMostPixels)) {
      std::size_t oldest = 0;
      for (std::size_t i = 1; i < entries_.size(); ++i) {
        oldest = entries_[i].lastUse < entries_[oldest].lastUse ? i : oldest;
      }
      Forget(oldest);
    }
    keptPixels_ += pixels;
    entries_.push_back(Entry{std::string(name), std::move(bitmap), pixels, changes_, ++uses_});
    return true;
  }

  // Gives up every bitmap; the next Find looks at the reports again.
  void Clear() {
    while (!entries_.empty()) {
      Forget(entries_.size() - 1);
    }
    looked_ = false;
  }

  // True when bitmap is one of those kept.
  bool Holds(const Bitmap& bitmap) const {
    for (const Entry& entry : entries_) {
      if (entry.bitmap == bitmap) {
        return true;
      }
    }
    return false;
  }

 private:
  struct Entry {
    std::string name;
    Bitmap bitmap;
    std::uint64_t pixels;
    std::uint64_t changes;  // the count of changes when it was read
    std::uint64_t lastUse;
  };

  // The bitmap at, unless a change was reported since it was read.
  const Bitmap* Serve(std::size_t at) {
    Entry& entry = entries_[at];
    if (changes_ == 0 || entry.changes != changes_) {
      Forget(at);
      return nullptr;
    }
    entry.lastUse = ++uses_;
    return &entry.bitmap;
  }

  std::size_t IndexOf(std::string_view name) const {
    std::size_t at = 0;
    while (at < entries_.size() && entries_[at].name != name) {
      ++at;
    }
    return at;
  }

  void Forget(std::size_t at) {
    release_(entries_[at].bitmap);
    keptPixels_ -= entries_[at].pixels;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
  }

  void (*release_)(Bitmap&);
  std::vector<Entry> entries_;
  std::uint64_t keptPixels_ = 0;
  std::uint64_t uses_ = 0;
  // The count of changes as last looked at (0 before the first look), and the pass of that look.
  bool looked_ = false;
  std::uint64_t changes_ = 0;
  std::uint64_t lookedInPass_ = 0;
};

}  // namespace plat::soft
