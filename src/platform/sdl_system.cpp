// Message boxes through SDL: always a line on stderr first, so the message
// is seen even where no box can be shown (no display, a terminal-only run).
#include "platform/system.h"

#include <SDL.h>

#include <cstdio>

void messageBox(const char* text, const char* caption)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    SDL_ShowSimpleMessageBox(0, caption, text, nullptr);
}

void* foregroundWindow()
{
    return nullptr;
}
