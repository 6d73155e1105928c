// Writes the test set of show pictures into a folder (for scripts and for
// looking at what the capture tool renders from them).
#include "support/show_pictures.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_show_pictures FOLDER\n");
        return 2;
    }
    writeShowPictures(argv[1]);
    return 0;
}
