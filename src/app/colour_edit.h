// F4: the current colour edited in place, typed as six hex digits (rrggbb).
#pragma once

// The key: the entry opens in this pass, once the keys have been read.
void EditColourKey();
// Carries out an edit the key asked for: shows the colour's value, takes the
// entry, and changes the colour (one step of the history) or says why not.
// True when the entry ran: the keys and presses meanwhile were its own.
bool FollowColourEdit();
