// kelvor-assets FOLDER: writes the show's seven pictures and its module into
// an existing folder. Everything is computed; the same program always writes
// the same bytes.
#include "asset_set.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelvor-assets FOLDER\n"
                             "Writes data1.pcx to data7.pcx and demo.xm into FOLDER.\n");
        return 2;
    }
    const std::string failed = writeShowAssets(makeShowAssets(), argv[1]);
    if (!failed.empty()) {
        std::fprintf(stderr, "kelvor-assets: cannot write %s/%s\n", argv[1], failed.c_str());
        return 1;
    }
    return 0;
}
