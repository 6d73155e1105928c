#include "platform/desktop/sdl_presenting.h"

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

// The console as presentPaced() sees it: a steady clock in milliseconds, a
// sleep on it, and the present.
struct WindowDisplay {
    Console* console;

    double now() const { return Milliseconds(Clock::now().time_since_epoch()).count(); }

    void sleepUntil(double ms) const
    {
        const Milliseconds moment(ms);
        std::this_thread::sleep_until(Clock::time_point(std::chrono::duration_cast<Clock::duration>(moment)));
    }

    void present() const { presentAgain(console); }
};

// The desktop's mode is the one the window is shown in, also fullscreen:
// the show's fullscreen keeps the desktop's mode.
double reportedRefreshHz(SDL_Window* window)
{
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetDesktopDisplayMode(display, &mode) == 0)
        return mode.refresh_rate;
    return 0.0;
}

} // namespace

FramePacer windowPacer(SDL_Window* window, SDL_Renderer* renderer)
{
    SDL_RendererInfo info;
    const bool vsync = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0 &&
                       (info.flags & SDL_RENDERER_SOFTWARE) == 0;
    return FramePacer(reportedRefreshHz(window), vsync);
}

void presentFrame(Console* console)
{
    WindowDisplay display{console};
    presentPaced(console->pacer, display);
}

void presentAgain(Console* console)
{
    SDL_SetRenderDrawColor(console->renderer, 0, 0, 0, 255);
    SDL_RenderClear(console->renderer);
    SDL_RenderCopy(console->renderer, console->texture, nullptr, nullptr);
    SDL_RenderPresent(console->renderer);
}
