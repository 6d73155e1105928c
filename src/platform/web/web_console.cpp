// The console in the browser: the page's <canvas> shows the 320x200 picture,
// the surface is a block of the module's memory that the page copies into
// the canvas, and the key queue is filled by the page's keydown handler.
// The page's side of each call lives in kelvor_page.js (Module.page).
#include "platform/console.h"

#include <emscripten.h>

#include <cstddef>
#include <vector>

struct Console {
    int width = 0;
    int height = 0;
};

struct Surface {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

namespace {

// Modifier flags packed above the 16-bit key code by the page.
constexpr int shiftFlag = 1 << 16;
constexpr int controlFlag = 1 << 17;
constexpr int altFlag = 1 << 18;
constexpr int codeMask = 0xFFFF;

bool fullscreenAtOpen = false;

} // namespace

// clang-format off
EM_JS(void, pageOpenConsole, (const char* title, int width, int height, int fullscreen), {
    Module.page.openConsole(UTF8ToString(title), width, height, fullscreen !== 0);
});
EM_JS(int, pageKeyWaiting, (), {
    return Module.page.keyWaiting();
});
EM_JS(int, pageReadKey, (), {
    return Module.page.readKey();
});
EM_JS(void, pagePresent, (const std::uint32_t* pixels, int width, int height), {
    Module.page.present(HEAPU32.subarray(pixels >> 2, (pixels >> 2) + width * height));
});
// clang-format on

PixelFormat pixelFormat(int bits, std::uint32_t redMask, std::uint32_t greenMask,
                        std::uint32_t blueMask, std::uint32_t alphaMask)
{
    return PixelFormat{bits, redMask, greenMask, blueMask, alphaMask};
}

Console* consoleCreate()
{
    return new Console;
}

// The page asks for the whole screen when the console opens, while the
// start gesture still lets it; the viewer can switch back either way.
void consoleSetFullscreen(bool fullscreen)
{
    fullscreenAtOpen = fullscreen;
}

void consoleOpen(Console* console, const char* title, int width, int height,
                 const PixelFormat& /*format*/, int /*flags*/)
{
    console->width = width;
    console->height = height;
    pageOpenConsole(title, width, height, fullscreenAtOpen ? 1 : 0);
}

// The browser shows the canvas when the frame callback returns; there is
// nothing to pump.
void consoleUpdate(Console*) {}

int consoleKeyWaiting(Console*)
{
    return pageKeyWaiting() != 0 ? 1 : 0;
}

void consoleReadKey(Console*, KeyRecord& key)
{
    const int packed = pageReadKey();
    if (packed < 0)
        return;
    key.code = packed & codeMask;
    key.shift = (packed & shiftFlag) != 0;
    key.control = (packed & controlFlag) != 0;
    key.alt = (packed & altFlag) != 0;
}

void consoleDestroy(Console* console)
{
    delete console;
}

Surface* surfaceCreate(int width, int height, const PixelFormat& /*format*/)
{
    Surface* surface = new Surface;
    surface->width = width;
    surface->height = height;
    surface->pixels.assign(static_cast<std::size_t>(width) * height, 0);
    return surface;
}

std::uint32_t* surfaceLock(Surface* surface)
{
    return surface->pixels.data();
}

void surfaceUnlock(Surface*) {}

void surfaceCopyToConsole(Surface* surface, Console*)
{
    pagePresent(surface->pixels.data(), surface->width, surface->height);
}

void surfaceDestroy(Surface* surface)
{
    delete surface;
}
