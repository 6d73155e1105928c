// Writes the tests' show files (the pictures and a small tune) into a
// folder, for the scripts and for looking at what the capture tool renders
// from them.
#include "support/show_files.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_show_pictures FOLDER\n");
        return 2;
    }
    if (!writeShowFiles(argv[1])) {
        std::fprintf(stderr, "make_show_pictures: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
