// The main loop's passes as plat::BeginEditorPass counts them, for what is done once a pass
// (the kept bitmaps look at their folders' reports). Every backend's BeginEditorPass calls
// CountEditorPass.
#pragma once

#include <cstdint>

namespace plat::soft {

inline std::uint64_t& EditorPassCounter() {
  static std::uint64_t passes = 0;
  return passes;
}

// A pass of the main loop begins.
inline void CountEditorPass() {
  ++EditorPassCounter();
}

// The passes begun so far.
inline std::uint64_t EditorPasses() {
  return EditorPassCounter();
}

}  // namespace plat::soft
