#include "app/command_line.h"

#include <cstring>

namespace {

void printHelp(std::FILE* out)
{
    std::fputs("Usage: kelvor [--fullscreen]\n"
               "A real-time audiovisual demo: a fogged landscape, glowing particles, a ring of\n"
               "sprites and title cards over its own music, until Esc is pressed.\n"
               "\n"
               "  --fullscreen   open on the whole screen instead of a window\n"
               "  --help         show this text and end\n"
               "  --version      show the version and end\n"
               "\n"
               "Keys: Esc ends the show, P pauses it until the next key,\n"
               "Alt+Enter or F11 switches between window and fullscreen.\n"
               "\n"
               "The show reads demo.xm and data1.pcx to data7.pcx from the working directory\n"
               "when all eight are there, otherwise from the folder it was installed with.\n",
               out);
}

} // namespace

CommandLineResult readCommandLine(int argc, const char* const* argv, ShowOptions& options,
                                  std::FILE* out, std::FILE* err)
{
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            printHelp(out);
            return CommandLineResult::done;
        }
        if (std::strcmp(argument, "--version") == 0) {
            std::fputs("kelvor " KELVOR_VERSION "\n", out);
            return CommandLineResult::done;
        }
        if (std::strcmp(argument, "--fullscreen") == 0) {
            options.fullscreen = true;
            continue;
        }
        std::fprintf(err, "kelvor: unknown option '%s' (try kelvor --help)\n", argument);
        return CommandLineResult::wrong;
    }
    return CommandLineResult::start;
}

int exitStatusOf(CommandLineResult result)
{
    return result == CommandLineResult::wrong ? 2 : 0;
}
