// Resets of the shared platform state, used by the headless backend's Reset.
#pragma once

namespace plat::shared {

// Drops every display object (surfaces, palettes, display objects), released
// or not, and forgets the display mode.
void ResetDisplayObjects();
// Drops every input object.
void ResetInputObjects();
// Drops every window and window class and empties the message queue.
void ResetWindows();

}  // namespace plat::shared
