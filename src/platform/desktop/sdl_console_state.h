// What the SDL console and surface hold; shared by the files of the SDL
// graphics layer only.
#pragma once

#include "platform/console.h"
#include "platform/frame_pacing.h"

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <memory>

struct Console {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr; // the picture copied last
    Uint32 textureFormat = SDL_PIXELFORMAT_UNKNOWN;
    int width = 0;
    int height = 0;
    std::deque<KeyRecord> keys;
    int emptyPolls = 0; // key polls in a row that found nothing, since the last update
    FramePacer pacer{0.0, false}; // set for the window's display when it opens
};

struct Surface {
    int width = 0;
    int height = 0;
    Uint32 format = SDL_PIXELFORMAT_UNKNOWN;
    std::unique_ptr<std::uint32_t[]> pixels;
};

// The SDL pixel format of a channel layout; SDL_PIXELFORMAT_UNKNOWN when SDL
// has none or it is not 32 bits a pixel.
Uint32 sdlPixelFormat(const PixelFormat& format);
