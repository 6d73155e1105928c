// Writes the tests' show files (the pictures and a small tune) into a
// folder, for the scripts and for looking at what the capture tool renders
// from them. With --hostile, what the hostile-file run of the show starts
// from: the show files in FOLDER/show, a valid module of another format
// (ProTracker) in FOLDER/other-format.mod and a block of garbage bytes,
// larger than any of the show's pictures, in FOLDER/garbage.bin.
// Usage: make_show_pictures [--hostile] FOLDER
#include "pcx_writer.h"
#include "support/show_files.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Deterministic noise.
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

bool writeHostileFiles(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder + "/show", error);
    return writeShowFiles(folder + "/show") && writeFileAtomically(folder + "/other-format.mod", makeModModule())
           && writeFileAtomically(folder + "/garbage.bin", garbage());
}

} // namespace

int main(int argc, char** argv)
{
    const bool hostile = argc == 3 && std::string(argv[1]) == "--hostile";
    if (argc != 2 && !hostile) {
        std::fprintf(stderr, "usage: make_show_pictures [--hostile] FOLDER\n");
        return 2;
    }
    const std::string folder = argv[argc - 1];
    if (!(hostile ? writeHostileFiles(folder) : writeShowFiles(folder))) {
        std::fprintf(stderr, "make_show_pictures: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
