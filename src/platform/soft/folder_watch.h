// Reports of change from the folders that bitmap files are looked up in, for the bitmaps kept
// between draws (kept_bitmaps.h). Each build has its own: inotify on Linux
// (folder_watch_inotify.cpp); in the browser the page's own writes, the only way its file store
// changes (web/web_folder_watch.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace plat::soft {

// The count of changes reported so far by the working folder and by programFolder, the program's
// bitmap folder ("" for none); 0 while either cannot be watched. A change made before the call
// returns is counted in it.
std::uint64_t BitmapFolderChanges(const std::string& programFolder);

// Stops watching; the next count watches afresh (the working folder may be another by then).
void StopWatchingBitmapFolders();

// The program is about to write, create or cut a file (OpenFile for writing, TruncateFile).
void FileWriteBegins();

}  // namespace plat::soft
