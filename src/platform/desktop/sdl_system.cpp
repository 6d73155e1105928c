// Message boxes through SDL: always a line on stderr first, so the message
// is seen even where no box can be shown (no display, a terminal-only run).
#include "platform/system.h"

#include <SDL.h>

#include <cstdio>

void messageBox(const char* text, const char* caption)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    // SDL draws its box with the X server's core fonts, or through zenity;
    // with neither it refuses. The stderr line then stands for the box, and
    // the start-up goes on as after a dismissed one.
    if (SDL_ShowSimpleMessageBox(0, caption, text, nullptr) != 0) {
        std::fprintf(stderr, "KELVOR: the message box could not be shown (%s)\n", SDL_GetError());
        std::fflush(stderr);
    }
}

void* foregroundWindow()
{
    return nullptr;
}
