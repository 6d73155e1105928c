// Reading a tracker module's bytes from its file, the same way on every
// target: only a regular file, only the asked range, nothing huge.
#pragma once

#include <cstdint>
#include <vector>

// The bytes of the file from offset, length bytes of them (0: to the end);
// empty when the file is not a regular file, can't be read, is far larger
// than any module, or the range lies outside it.
std::vector<char> readModuleFile(const char* name, std::uint32_t offset, std::uint32_t length);
