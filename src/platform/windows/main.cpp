// The show's entry point on Windows. kelvor.exe is a GUI program, so a
// double click opens no console window: the message boxes are what the user
// sees. Started from a terminal, --help and --version still print there,
// and the stderr lines of the desktop layer go there too. SDL's WinMain
// (SDL2main) starts the program and calls this main, as SDL_main, with the
// command line in UTF-8.
#include "app/show_main.h"

#include <SDL.h>
#include <windows.h>

#include <cstdio>

namespace {

bool hasHandle(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// Output already sent somewhere (a pipe, a file) stays there; output that
// would go nowhere goes to the console of the terminal that started the
// program, if there is one.
void useParentConsole()
{
    const bool outputSent = hasHandle(STD_OUTPUT_HANDLE);
    const bool errorsSent = hasHandle(STD_ERROR_HANDLE);
    if ((outputSent && errorsSent) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!outputSent)
        std::freopen("CONOUT$", "w", stdout);
    if (!errorsSent)
        std::freopen("CONOUT$", "w", stderr);
}

} // namespace

int main(int argc, char* argv[])
{
    useParentConsole();
    return runShow(argc, argv);
}
