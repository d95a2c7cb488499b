// Onion skin: the images before and after the one being edited, shown in
// the grid under it where it is colour 0. Never part of the image: not in
// the views, the history, a pick or a file.
#pragma once

#include <cstdint>

#include "canvas/image_store.h"

struct OnionLayer {
  bool shown = false;
  // Of the working image's size; empty where there is no such image.
  IndexImage previous;
  IndexImage next;
};

const OnionLayer& CurrentOnion();
// The layer to show from the next drawing of the image areas on.
void SetOnion(OnionLayer layer);
// Counts the changes of the layer, for the drawing to know when to draw again.
std::uint64_t OnionChanges();
