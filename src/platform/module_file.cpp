#include "platform/module_file.h"

#include <cstdio>
#include <sys/stat.h>

namespace {

// Far larger than any tracker module the show could ship; a bigger file is
// not read into memory.
constexpr long moduleSizeLimit = 64L * 1024 * 1024;

} // namespace

std::vector<char> readModuleFile(const char* name, std::uint32_t offset, std::uint32_t length)
{
    std::vector<char> bytes;
    // Only a regular file can be a module: opening a named pipe would wait
    // for a writer that may never come.
    struct stat status;
    if (stat(name, &status) != 0 || !S_ISREG(status.st_mode))
        return bytes;
    std::FILE* file = std::fopen(name, "rb");
    if (file == nullptr)
        return bytes;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    long count = size - static_cast<long>(offset);
    if (length != 0 && static_cast<long>(length) < count)
        count = static_cast<long>(length);
    if (size >= 0 && count > 0 && count <= moduleSizeLimit
        && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0) {
        bytes.resize(static_cast<std::size_t>(count));
        if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
            bytes.clear();
    }
    std::fclose(file);
    return bytes;
}
