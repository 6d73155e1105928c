// The show's frames rendered one after another without a display, exactly
// as the live show draws them at the clock's steady rate: the real frame
// clock steps once before each frame, so frame K is the frame after K clock
// steps when the clock reads steady steps (SteppedTicks from 0, 1 ms a
// reading). The capture tool and the page's checksum entry both render
// through this.
#pragma once

#include "app/demo_clock.h"
#include "image/image.h"
#include "scene/scene.h"

#include <cstdint>
#include <string>

class OfflineFrames {
public:
    static constexpr int width = show::screenWidth;
    static constexpr int height = show::screenHeight;

    // Loads the pictures from the folder ("" for the working folder); the
    // clock takes its time 0 from `ticks` now.
    OfflineFrames(const std::string& pictureFolder, TickSource ticks);

    // False when a picture could not be loaded; missingPicture() names it.
    bool ready() const { return scene.ready(); }
    const std::string& missingPicture() const { return scene.missingPicture(); }

    // Steps the clock and renders the next frame. Returns how long the
    // rendering alone took, in milliseconds.
    double renderNext();

    // The frame rendered last, counted from 1; 0 before the first.
    long frameNumber() const { return number; }
    const std::uint32_t* pixels() const { return frame.pixels(); }
    // Its checksum (frameHash of its pixels).
    std::uint64_t hash() const;

private:
    Scene scene;
    DemoClock clock;
    Image frame;
    long number = 0;
};

// "K HASH\n": the frame number and its checksum as 16 hex digits, the line
// kelvor-capture --checksums prints for each frame.
std::string checksumLine(long frameNumber, std::uint64_t hash);
