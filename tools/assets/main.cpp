// kelvor-assets FOLDER: writes the show's seven pictures and its module into
// an existing folder. Everything is computed; the same program always writes
// the same bytes. kelvor-assets --icon SIZE FILE renders the program's icon
// from the show's emblem as a PNG.
#include "app_icon.h"
#include "asset_set.h"
#include "png_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage =
    "Usage: kelvor-assets FOLDER\n"
    "       kelvor-assets --icon SIZE FILE\n"
    "Writes the show's pictures data1.pcx to data7.pcx and its music demo.xm into\n"
    "FOLDER, an existing folder; or the program's icon, SIZE x SIZE pixels (8 to\n"
    "1024), as a PNG file. The same program always writes the same bytes.\n"
    "\n"
    "  --help      show this text\n"
    "  --version   show the version\n";

int usageError(const std::string& what)
{
    std::fprintf(stderr, "kelvor-assets: %s (try kelvor-assets --help)\n", what.c_str());
    return 2;
}

bool parseSize(const char* text, int& size)
{
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 8 || value > 1024)
        return false;
    size = static_cast<int>(value);
    return true;
}

int writeIcon(const char* sizeText, const char* path)
{
    int size = 0;
    if (!parseSize(sizeText, size))
        return usageError(std::string("--icon needs a size from 8 to 1024, not '") + sizeText + "'");
    const RgbaPicture icon = makeAppIcon(size);
    std::string error;
    if (!writeRgbaPng(path, icon.rgba.data(), icon.width, icon.height, error)) {
        std::fprintf(stderr, "kelvor-assets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int writeShowFiles(const char* folder)
{
    const std::string failed = writeShowAssets(makeShowAssets(), folder);
    if (!failed.empty()) {
        std::fprintf(stderr, "kelvor-assets: cannot write %s/%s\n", folder, failed.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && (first == "--help" || first == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && first == "--version") {
        std::puts("kelvor-assets " KELVOR_VERSION);
        return 0;
    }
    if (first == "--icon")
        return argc == 4 ? writeIcon(argv[2], argv[3]) : usageError("--icon needs a size and a file name");
    if (argc != 2)
        return usageError(argc < 2 ? "no folder given" : "too many arguments");
    if (first.rfind("-", 0) == 0)
        return usageError("unknown option '" + first + "'");
    return writeShowFiles(argv[1]);
}
