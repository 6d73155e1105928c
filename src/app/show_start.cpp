#include "app/show_start.h"

#include "app/command_line.h"
#include "app/show_folder.h"
#include "platform/console.h"

#include <cstdio>

bool prepareShow(int argc, const char* const* argv, int& status)
{
    ShowOptions options;
    const CommandLineResult result = readCommandLine(argc, argv, options, stdout, stderr);
    if (result != CommandLineResult::start) {
        status = exitStatusOf(result);
        return false;
    }
    consoleSetFullscreen(options.fullscreen);
    enterShowFolder();
    return true;
}
