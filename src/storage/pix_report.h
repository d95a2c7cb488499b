// The reasons a load or a save gives, and what a save that worked wrote.
#pragma once

#include <cstdint>
#include <string>

#include "storage/pix_file.h"

// The system's text for an errno value ("Permission denied").
std::string ReasonOf(int error);
// A negative offset: a save writes nothing then.
std::string NoSuchOffset(std::int64_t offset);
// An image number whose bytes would lie before the file's start or past the
// largest file there can be.
std::string NoSuchImage(std::int64_t image);
// A save wrote size bytes from position: which image that is. No bytes (an
// image of width or height 0) count as nothing written, with the reason.
void DescribeWrite(std::int64_t position, std::int64_t size, PixReport& report);
