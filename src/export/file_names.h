// The parts of a file's path that the exports are named after: the folder
// they are written in and the name without its extension. Plain string work,
// without std::filesystem, whose paths bring the whole of the C++ locales into
// the Windows program.
#pragma once

#include <cstddef>
#include <string>

namespace pixexport {

// Where the file's own name begins: after the last separator ('/', on
// Windows '\' too and a drive's colon); 0 for a bare name.
std::size_t NameStart(const std::string& path);

// The name without its extension, as std::filesystem::path::stem gives it:
// "walk" of "art/walk.pix", "walk.tar" of "walk.tar.pix"; a name of one or
// two dots, or whose only dot leads, is its own stem (".pix").
std::string FileStem(const std::string& path);

}  // namespace pixexport
