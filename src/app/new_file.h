// Ctrl+N: a new file, asked for in three entries (its name, then the width
// and the height) and taken only once all three are answered.
#pragma once

// The key: the entries run as the pass's action, as Load's does.
void NewFileKey();
// The entries, then the file. Enter with nothing typed keeps the name (the
// load file's) or the size; Escape in any of them gives the whole file up,
// nothing changed. The name becomes the load and the save file's. A file of
// that name opens at image 0, as Load opens it; else the image starts black
// and is none of the file's, so Ctrl+S appends it. One step of the history
// either way.
void NewFileAction();
