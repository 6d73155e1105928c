// Writes a folder the show can run in: the seven pictures and demo.xm. The
// command-line tests use it, so that they don't depend on the real assets.
#include "show_files.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    if (!writeShowPictures(folder) || !writeBytes(folder + "/demo.xm", makeXmModule())) {
        std::fprintf(stderr, "couldn't write the show files into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
