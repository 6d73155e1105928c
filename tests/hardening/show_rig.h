// The real scene and clock driven the way the frame loop drives them, with a
// scripted tick count: frames at the show's own pace, pauses of any length,
// and a tick count set to any value. Also the checks that every frame must
// pass whatever the clock does.
#pragma once

#include "app/demo_clock.h"
#include "image/image.h"
#include "scene/scene.h"
#include "support/temporary_folder.h"

#include <cstdint>
#include <memory>
#include <string>

class ShowRig {
public:
    // Sets up the scene from pictureFolder, or from the test pictures written
    // to a temporary folder (removed again by the destructor) when it is
    // empty. The clock starts at the tick count firstTick.
    explicit ShowRig(const std::string& pictureFolder = "", std::uint32_t firstTick = 0);
    ~ShowRig();
    ShowRig(const ShowRig&) = delete;
    ShowRig& operator=(const ShowRig&) = delete;

    // One frame of the frame loop: the clock update, then the render. The
    // tick count first moves on by pauseMs (0: the frame is on time); every
    // reading then advances it by 1 ms, so an on-time update waits exactly
    // one period. Returns the result of the update.
    bool frame(std::uint32_t pauseMs = 0);

    // Sets the tick count without updating anything (a wrap, for one).
    void setTickCount(std::uint32_t ticks);

    Scene& scene() { return *showScene; }
    const Scene& scene() const { return *showScene; }
    const DemoClock& clock() const { return *showClock; }
    const Image& image() const { return frameImage; }
    bool lastRenderDrew() const { return rendered; }

private:
    std::unique_ptr<TemporaryFolder> temporaryFolder;
    std::unique_ptr<Scene> showScene;
    std::unique_ptr<DemoClock> showClock;
    Image frameImage;
    bool rendered = false;
};

// The invariants of every finished frame: each pixel's top byte is 0 (the
// effects rely on it) and the bottom row is black (no effect draws there).
// Returns an empty string when they hold, else what broke.
std::string frameFault(const Image& frame);

// True when a screen-sized frame is black everywhere.
bool frameIsBlack(const Image& frame);

// The current show time: clock time minus the start of the show cycle.
float showTime(const ShowRig& rig);
