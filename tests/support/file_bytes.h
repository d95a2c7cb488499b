// Reading and writing whole files as bytes in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixtest {

using Bytes = std::vector<std::uint8_t>;

// Every byte of the file; empty when it cannot be read (see FileExists).
Bytes ReadFileBytes(const std::string& path);
// Replaces the file with exactly these bytes; false on failure.
bool WriteFileBytes(const std::string& path, const Bytes& bytes);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// True for an existing regular file.
bool FileExists(const std::string& path);
// Bytes as "{0x74, 0x65, ...}" for assertion messages.
std::string ShowBytes(const Bytes& bytes);
// A 25-byte name buffer image: the name, then zero bytes.
Bytes NameFileBytes(const std::string& name);

}  // namespace pixtest
