// The editor's devices without WinMain, and the image areas read back from the screen.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "file_bytes.h"

namespace pixtest {

// The display as OpenTestDisplay leaves it, plus a window (windowHandle) and
// the acquired mouse and keyboard in inputDevices, the cursor at (400, 300)
// and an empty call log. No settings files are read. False when a platform
// call failed.
bool OpenTestEditor();
// Releases what OpenTestEditor made.
void CloseTestEditor();

// An image of palette indices, row by row, width x height.
struct Image {
  int width;
  int height;
  Bytes pixels;
};

// Paints the image into the working image from its top left; what lies
// beyond the working image's size is left out.
void PutWorkingView(const Image& image);
// Reads the three image areas back from the headless screen, once they are
// drawn from the images in memory.
Image ReadReferenceView(int width, int height);
Image ReadWorkingView(int width, int height);
// One byte per grid cell: the top-left pixel of its 4 x 4 interior.
Image ReadGridCells(int width, int height);
// True when the 16 interior pixels of every cell hold one value.
bool GridCellsUniform(int width, int height);

// The byte pattern i * multiplier + offset (mod modulus) for n bytes.
Bytes Pattern(std::size_t n, int multiplier, int offset, int modulus = 256);
// The first difference between two byte strings, for assertion messages.
std::string FirstDifference(const Bytes& expected, const Bytes& actual);

// How many entries of the call log equal name.
std::size_t CountCalls(const std::string& name);

// A keyboard script: each element is one poll with these keys down.
void QueueKeyPolls(std::initializer_list<std::initializer_list<std::uint8_t>> polls);

// The palette index a GDI colour value lands on (pure red 4, white 15).
std::uint8_t IndexOfColour(std::uint32_t colour);

}  // namespace pixtest
