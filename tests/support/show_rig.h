// The real scene and clock driven the way the frame loop drives them, with a
// stepped tick count: frames at the show's own pace, pauses of any length,
// and a tick count set to any value.
#pragma once

#include "app/demo_clock.h"
#include "app/stepped_ticks.h"
#include "image/image.h"
#include "scene/scene.h"
#include "support/test_pictures.h"

#include <cstdint>
#include <memory>
#include <string>

class ShowRig {
public:
    // Sets up the scene from pictureFolder, or from the tests' show files
    // written to a temporary folder when it is empty. The clock starts at
    // the tick count firstTick.
    explicit ShowRig(const std::string& pictureFolder = "", std::uint32_t firstTick = 0);

    // One frame of the frame loop: the clock update, then the render. The
    // tick count first moves on by pauseMs (0: the frame is on time); every
    // reading then advances it by 1 ms, so an on-time update waits exactly
    // one period. Returns the result of the update.
    bool frame(std::uint32_t pauseMs = 0);

    // Sets the tick count without updating anything (a wrap, for one).
    void setTickCount(std::uint32_t tick) { ticks.set(tick, 1); }

    Scene& scene() { return showScene; }
    const Scene& scene() const { return showScene; }
    const DemoClock& clock() const { return *showClock; }
    const Image& image() const { return frameImage; }
    bool lastRenderDrew() const { return rendered; }

    // The current show time: clock time minus the start of the show cycle.
    float showTime() const;

private:
    TemporaryFolder files;
    SteppedTicks ticks;
    Scene showScene;
    std::unique_ptr<DemoClock> showClock;
    Image frameImage;
    bool rendered = false;
};
