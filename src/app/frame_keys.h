// Working with the images of a pix file as frames: stepping through the load
// file (Right, Left, Home, End), saving over the image shown (Ctrl+S), and
// playing them (Enter, + and -): what the keys of the binding table do.
#pragma once

#include <cstdint>
#include <optional>

// The start of every run: nothing shown, nothing playing.
void StartFrames();
// The keys: Right, Left, Home, End, Ctrl+S, Enter, + and -.
void NextImageKey();
void PreviousImageKey();
void FirstImageKey();
void LastImageKey();
void SaveOverShownImage();
void PlayOrStopKey();
void FasterKey();
void SlowerKey();
// Once a pass, after everything that may change the image areas: the image
// number and its count where they changed, and the preview's image.
void FollowFrames();

enum class StepKey { Next, Previous, First, Last };
// The image a stepping key loads from image number, in a load file of images
// whole images; none when it does nothing (no images, or at that end already).
// Past the end, Previous goes to the last image and Next does nothing; before
// the start, Next goes to image 0.
std::optional<std::int32_t> StepTarget(StepKey key, std::int32_t number, std::int64_t images);
