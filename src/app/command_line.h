// The show's command line. Without arguments the show starts as it always
// has; --help and --version print and end; --fullscreen opens it on the
// whole screen. Anything else is an error.
#pragma once

#include <cstdio>

struct ShowOptions {
    bool fullscreen = false;
};

enum class CommandLineResult {
    start, // go on and start the show with the options
    done,  // help or version printed: end with status 0
    wrong, // a one-line error printed: end with status 2
};

// Reads argv[1..]. Help and version go to out, the error line to err.
CommandLineResult readCommandLine(int argc, const char* const* argv, ShowOptions& options,
                                  std::FILE* out, std::FILE* err);

// The exit status that goes with a result that ends the program.
int exitStatusOf(CommandLineResult result);
