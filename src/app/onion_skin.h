// F3: the onion skin, the load file's images before and after the one being
// edited shown in the grid under it (canvas/onion_layer.h).
#pragma once

// F3: on or off.
void ToggleOnionSkin();
// Once a pass: while it is on, its images follow the image number, the load
// file and the size.
void FollowOnionSkin();
// Off: a new run.
void ResetOnionSkin();
