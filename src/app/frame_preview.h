// The images of the load file playing in a loop in the reference view: the
// image being edited as the working view shows it now, the others as the
// file holds them, each enlarged by the largest whole factor that fits the
// view's frame and centred in it. The preview is laid over the reference
// view (canvas/reference_cover.h): it never writes the grid, the working view
// or a file, and the history never sees it.
#pragma once

#include <cstdint>

inline constexpr int kDefaultPlayRate = 8;
inline constexpr int kSlowestPlayRate = 1;
inline constexpr int kFastestPlayRate = 30;

// Stopped, at the default rate: the start of every run.
void ResetFramePreview();
// Enter: plays from image 0, or stops and shows the loaded image again. With
// nothing to play (no whole image and no image being drawn after the last)
// it does nothing.
void TogglePreview();
// + and - while playing: one image a second faster or slower, within the
// slowest and fastest rates; the next image follows a whole new interval on.
void ChangePreviewRate(int change);
bool PreviewPlaying();
int PreviewRate();
// Once a pass, after everything that may change the image areas: the image
// due now laid over the reference view, and the next pass asked for in time
// for the next image.
void FollowFramePreview();
