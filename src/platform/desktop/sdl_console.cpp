// The console on SDL2: a resizable window that shows the picture scaled to
// fit with its aspect kept (black bars), nearest-neighbour, presented in step
// with the display (sdl_presenting.h). Every update and key poll drains
// SDL's events, which keeps the window alive and fills the key queue.
#include "platform/console.h"
#include "platform/desktop/sdl_console_state.h"
#include "platform/desktop/sdl_keys.h"
#include "platform/desktop/sdl_presenting.h"
#include "platform/desktop/sdl_renderer.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Enough for any burst of key presses within one frame; more are dropped.
constexpr std::size_t keyQueueLimit = 64;
constexpr int preferredScale = 3;
// The longest one key poll of a paused show sleeps waiting for an event.
constexpr int pausedPollLimitMs = 100;

bool openFullscreen = false;

[[noreturn]] void giveUp(const char* what)
{
    std::fprintf(stderr, "KELVOR: %s (%s). The show needs a graphical desktop; "
                         "check that DISPLAY or WAYLAND_DISPLAY is set.\n",
                 what, SDL_GetError());
    std::fflush(stderr);
    // Closes the audio output too, if it was already started.
    SDL_Quit();
    std::exit(0);
}

// SDL falls back to drivers that draw into memory when it finds no display.
// Those show nothing, so they count as no display unless asked for by name
// (SDL_VIDEODRIVER), as the tests do.
bool showsNothing(const char* driver)
{
    if (driver == nullptr)
        return true;
    const bool inMemory = SDL_strcasecmp(driver, "offscreen") == 0 || SDL_strcasecmp(driver, "dummy") == 0;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return inMemory && (asked == nullptr || SDL_strcasecmp(asked, driver) != 0);
}

// The largest scale up to 3x at which the window fits the desktop.
int windowScale(int width, int height)
{
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
        return preferredScale;
    for (int scale = preferredScale; scale > 1; --scale) {
        if (width * scale <= usable.w && height * scale <= usable.h)
            return scale;
    }
    return 1;
}

void toggleFullscreen(Console* console)
{
    const bool fullscreen = (SDL_GetWindowFlags(console->window) & SDL_WINDOW_FULLSCREEN) != 0;
    SDL_SetWindowFullscreen(console->window, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void queueKey(Console* console, int code, Uint16 modifiers)
{
    if (console->keys.size() >= keyQueueLimit)
        return;
    KeyRecord key;
    key.code = code;
    key.shift = (modifiers & KMOD_SHIFT) != 0;
    key.control = (modifiers & KMOD_CTRL) != 0;
    key.alt = (modifiers & KMOD_ALT) != 0;
    console->keys.push_back(key);
}

void handleKeyDown(Console* console, const SDL_KeyboardEvent& event)
{
    // A held key is one press.
    if (event.repeat != 0)
        return;
    if (isFullscreenToggle(event.keysym)) {
        toggleFullscreen(console);
        return;
    }
    const int code = keyCodeFor(event.keysym.sym);
    if (code != 0)
        queueKey(console, code, event.keysym.mod);
}

void handleWindowEvent(Console* console, const SDL_WindowEvent& event)
{
    // While paused nothing is presented, so a window that was uncovered or
    // resized gets its last picture back here.
    if (event.event == SDL_WINDOWEVENT_EXPOSED || event.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        presentAgain(console);
    // On another display the frames follow that display's refresh.
    if (event.event == SDL_WINDOWEVENT_DISPLAY_CHANGED)
        console->pacer = windowPacer(console->window, console->renderer);
}

void pumpEvents(Console* console)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            // Closing the window ends the show the way Esc does.
            queueKey(console, keyEscape, 0);
        } else if (event.type == SDL_KEYDOWN && console->window != nullptr) {
            handleKeyDown(console, event.key);
        } else if (event.type == SDL_WINDOWEVENT && console->window != nullptr) {
            handleWindowEvent(console, event.window);
        }
    }
}

// Where both a Wayland compositor and an X server (Xwayland) are there, the
// show takes X11, whatever SDL's own order. Measured on weston with Mesa's
// llvmpipe: SDL 2.26 has no Wayland framebuffer, so on Wayland every frame
// goes through OpenGL, which costs 21 % of a core at 3x and 37 % fullscreen,
// against 5 % and 9 % for the software renderer on X11, at the same 60
// frames a second. With a GPU both draw through OpenGL with vsync. A
// Wayland-only desktop still gets Wayland, and SDL_VIDEODRIVER still wins
// (SDL lets the variable override the hint).
void preferX11()
{
#if defined(__linux__)
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
#endif
}

} // namespace

void consoleSetFullscreen(bool fullscreen)
{
    openFullscreen = fullscreen;
}

Console* consoleCreate()
{
    preferX11();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        giveUp("no display available");
    if (showsNothing(SDL_GetCurrentVideoDriver())) {
        SDL_SetError("only the %s video driver, which shows nothing", SDL_GetCurrentVideoDriver());
        giveUp("no display available");
    }
    return new Console;
}

void consoleOpen(Console* console, const char* title, int width, int height,
                 const PixelFormat& format, int /*flags*/)
{
    console->width = width;
    console->height = height;
    console->textureFormat = sdlPixelFormat(format);
    if (console->textureFormat == SDL_PIXELFORMAT_UNKNOWN || width <= 0 || height <= 0) {
        SDL_SetError("unsupported picture format or size");
        giveUp("couldn't open the window");
    }
    // The window size is kept for when fullscreen is switched off.
    const int scale = windowScale(width, height);
    const Uint32 windowFlags = SDL_WINDOW_RESIZABLE | (openFullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    console->window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                       width * scale, height * scale, windowFlags);
    if (console->window == nullptr)
        giveUp("couldn't open the window");
    console->renderer = createWindowRenderer(console->window);
    if (console->renderer == nullptr)
        giveUp("couldn't draw into the window");
    SDL_RenderSetLogicalSize(console->renderer, width, height);
    console->texture = SDL_CreateTexture(console->renderer, console->textureFormat,
                                         SDL_TEXTUREACCESS_STREAMING, width, height);
    if (console->texture == nullptr)
        giveUp("couldn't draw into the window");
    SDL_SetTextureBlendMode(console->texture, SDL_BLENDMODE_NONE);
    console->pacer = windowPacer(console->window, console->renderer);
    presentAgain(console);
}

void consoleUpdate(Console* console)
{
    pumpEvents(console);
    console->emptyPolls = 0;
    if (console->texture != nullptr)
        presentFrame(console);
}

int consoleKeyWaiting(Console* console)
{
    pumpEvents(console);
    if (!console->keys.empty()) {
        console->emptyPolls = 0;
        return 1;
    }
    // A frame asks once; asking again without an update in between means
    // the show is paused and polling, so sleep until the next event arrives
    // (a key, an uncovered window) instead of spinning. The next poll
    // handles it; the time limit only bounds how long one call can take.
    if (++console->emptyPolls > 1)
        SDL_WaitEventTimeout(nullptr, pausedPollLimitMs);
    return 0;
}

void consoleReadKey(Console* console, KeyRecord& key)
{
    pumpEvents(console);
    if (console->keys.empty())
        return;
    key = console->keys.front();
    console->keys.pop_front();
}

void consoleDestroy(Console* console)
{
    if (console == nullptr)
        return;
    if (console->texture != nullptr)
        SDL_DestroyTexture(console->texture);
    if (console->renderer != nullptr)
        SDL_DestroyRenderer(console->renderer);
    if (console->window != nullptr)
        SDL_DestroyWindow(console->window);
    delete console;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
