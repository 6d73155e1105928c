// The drawing surface: plain memory of exactly width * 4 bytes a row, which
// the frame is drawn into directly; copying it to the console converts it
// into the window's texture in one pass.
#include "platform/console.h"
#include "platform/desktop/sdl_console_state.h"

Uint32 sdlPixelFormat(const PixelFormat& format)
{
    if (format.bits != 32)
        return SDL_PIXELFORMAT_UNKNOWN;
    return SDL_MasksToPixelFormatEnum(format.bits, format.redMask, format.greenMask,
                                      format.blueMask, format.alphaMask);
}

PixelFormat pixelFormat(int bits, std::uint32_t redMask, std::uint32_t greenMask,
                        std::uint32_t blueMask, std::uint32_t alphaMask)
{
    PixelFormat format;
    format.bits = bits;
    format.redMask = redMask;
    format.greenMask = greenMask;
    format.blueMask = blueMask;
    format.alphaMask = alphaMask;
    return format;
}

Surface* surfaceCreate(int width, int height, const PixelFormat& format)
{
    Surface* surface = new Surface;
    surface->format = sdlPixelFormat(format);
    if (width > 0 && height > 0 && surface->format != SDL_PIXELFORMAT_UNKNOWN) {
        surface->width = width;
        surface->height = height;
        surface->pixels.reset(new std::uint32_t[static_cast<std::size_t>(width) * static_cast<std::size_t>(height)]());
    }
    return surface;
}

std::uint32_t* surfaceLock(Surface* surface)
{
    return surface->pixels.get();
}

void surfaceUnlock(Surface* /*surface*/)
{
    // The memory is ours; nothing to hand back.
}

void surfaceCopyToConsole(Surface* surface, Console* console)
{
    if (surface->pixels == nullptr || console->texture == nullptr)
        return;
    if (surface->width != console->width || surface->height != console->height)
        return;
    void* target = nullptr;
    int targetPitch = 0;
    if (SDL_LockTexture(console->texture, nullptr, &target, &targetPitch) != 0)
        return;
    SDL_ConvertPixels(surface->width, surface->height, surface->format, surface->pixels.get(),
                      surface->width * 4, console->textureFormat, target, targetPitch);
    SDL_UnlockTexture(console->texture);
}

void surfaceDestroy(Surface* surface)
{
    delete surface;
}
