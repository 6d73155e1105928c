// The window role of the show: a console that shows 320x200 pictures of
// 32-bit pixels, an off-screen drawing surface that the frame is drawn into,
// and the key queue. Plain functions over opaque objects, so that the live
// layer (SDL2) and the tests' recording fake can each be linked in.
#pragma once

#include <cstdint>

struct Console;
struct Surface;

// How a pixel's channels sit in its 32 bits.
struct PixelFormat {
    int bits = 0;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t alphaMask = 0;
};

// One key press: its code (27 Esc, 80 P, other keys other codes) and the
// modifier keys held with it.
struct KeyRecord {
    int code = 0;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// Key codes the show reacts to.
constexpr int keyEscape = 27;
constexpr int keyP = 80;

PixelFormat pixelFormat(int bits, std::uint32_t redMask, std::uint32_t greenMask,
                        std::uint32_t blueMask, std::uint32_t alphaMask);

// A console that is not open yet. The live layer ends the process with a
// message on stderr and status 0 when there is no display to open it on.
Console* consoleCreate();

// Whether consoles opened from now on fill the whole screen instead of
// opening as a window; off unless asked for. Alt+Enter and F11 switch
// between the two either way.
void consoleSetFullscreen(bool fullscreen);

// Opens the window with the title; it shows width x height pixels of the
// format. flags is reserved and must be 0.
void consoleOpen(Console* console, const char* title, int width, int height,
                 const PixelFormat& format, int flags);

// Shows the picture copied last; also keeps the window alive and fills the
// key queue.
void consoleUpdate(Console* console);

// 1 when at least one key press is queued, 0 otherwise. Keeps the window
// alive as well, so polling it alone is enough while the show is paused.
int consoleKeyWaiting(Console* console);

// Removes the oldest queued key press and stores it in key; leaves key
// untouched when the queue is empty.
void consoleReadKey(Console* console, KeyRecord& key);

void consoleDestroy(Console* console);

// An off-screen surface of width x height pixels: height rows of width * 4
// bytes, top row first, no gap between rows.
Surface* surfaceCreate(int width, int height, const PixelFormat& format);

// The surface's pixels, writable until surfaceUnlock.
std::uint32_t* surfaceLock(Surface* surface);
void surfaceUnlock(Surface* surface);

// Makes the whole surface the console's next picture.
void surfaceCopyToConsole(Surface* surface, Console* console);

void surfaceDestroy(Surface* surface);
