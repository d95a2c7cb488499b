// At start-up: the recovery copy that an earlier run left in this working
// folder, offered back.
#pragma once

// Says on the black start screen that a copy is there, with its time, and
// waits for a key: R puts it back (one step of the history: Ctrl+Z shows the
// screen as it was), any other key, or the end of the program, sets it aside
// beside it under a name with its time. A copy that cannot be read is set
// aside with a message of one line. True when the copy was put back.
bool OfferCopyBack();
// A copy was set aside at this start.
bool CopySetAsideThisRun();
void ForgetOffer();
