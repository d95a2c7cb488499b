// Working with the images of a pix file as frames: stepping through the load
// file (Right, Left, Home, End), saving over the image shown (Ctrl+S) or
// after the save file's last (Alt+N), and playing them (Enter, + and -): what
// the keys of the binding table do.
#pragma once

#include <cstdint>

// The start of every run: nothing shown, nothing playing.
void StartFrames();
// The keys: Right, Left, Home, End, Ctrl+S, Alt+N, Enter, + and -.
void NextImageKey();
void PreviousImageKey();
void FirstImageKey();
void LastImageKey();
// Ctrl+S: over image pixNumber of the save file while the image is that one
// (ImageNumberShown) and the file holds it; else after its last image.
void SaveOverShownImage();
void AppendImageKey();
void PlayOrStopKey();
void FasterKey();
void SlowerKey();
// Once a pass, after everything that may change the image areas: the image
// number and its count where they changed, and the preview's image.
void FollowFrames();

enum class StepKey { Next, Previous, First, Last };
// What a stepping key does from image number, in a load file of images whole
// images: load image, say that image is the first or the last (the key would
// step past it), or nothing (no images; Home or End on their image already).
// Past the end, Previous goes to the last image; before the start, Next goes
// to image 0. numbered: the image shown is image number of the file; when it
// is not, Home and End load their image whatever the number.
struct StepOutcome {
  enum class Kind { Load, AtFirst, AtLast, Nothing } kind = Kind::Nothing;
  std::int32_t image = 0;

  bool operator==(const StepOutcome&) const = default;
};
StepOutcome StepTarget(StepKey key, std::int32_t number, bool numbered, std::int64_t images);
