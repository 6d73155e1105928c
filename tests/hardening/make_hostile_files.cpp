// Writes what the hostile-file run of the show starts from: a complete show
// folder (seven pictures and demo.xm), a valid module of another format
// (ProTracker), and a block of garbage bytes.
// Usage: kelvor-hostile-files FOLDER  (writes FOLDER/show, FOLDER/other-format.mod,
// FOLDER/garbage.bin)
#include "pcx_writer.h"
#include "support/show_files.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include <sys/stat.h>

namespace {

// Deterministic noise, larger than any of the show's pictures.
std::vector<std::uint8_t> garbage()
{
    std::vector<std::uint8_t> bytes(100000);
    std::uint32_t state = 0x2545F491u;
    for (std::uint8_t& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::string show = folder + "/show";
    mkdir(folder.c_str(), 0755);
    mkdir(show.c_str(), 0755);
    if (!writeShowFiles(show) || !writeFileAtomically(folder + "/other-format.mod", makeModModule()) ||
        !writeFileAtomically(folder + "/garbage.bin", garbage())) {
        std::fprintf(stderr, "couldn't write the files into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
