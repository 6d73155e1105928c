// Where the running program is, on Windows: the path the system loaded it
// from, in UTF-16, given back as UTF-8.
#include "platform/system.h"

#include <windows.h>

#include <vector>

std::string programPath()
{
    // Paths may exceed MAX_PATH; the buffer grows until the path fits.
    std::vector<wchar_t> wide(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
        if (length == 0)
            return std::string();
        if (length < wide.size()) {
            wide.resize(length);
            break;
        }
        if (wide.size() >= 32768)
            return std::string();
        wide.resize(wide.size() * 2);
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::string path(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &path[0], bytes,
                        nullptr, nullptr);
    return path;
}
