// Where the running program is, on Linux: the kernel's link to it.
#include "platform/system.h"

#include <climits>
#include <unistd.h>

std::string programPath()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return std::string();
    return std::string(path, static_cast<std::size_t>(length));
}
