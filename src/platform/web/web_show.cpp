// The show in a browser page. A page cannot block, so the page calls
// kelvorStart once, from the start gesture, and then kelvorFrame from every
// animation frame callback; the Demo's own start-up and frame code does the
// rest, exactly as on the desktop.
#include "app/demo.h"

#include <emscripten.h>

#include <memory>

namespace {

std::unique_ptr<Demo> demo;

} // namespace

extern "C" {

// Builds the show and runs its start-up (message boxes included, which the
// start-up waits for). 1 when the show runs; 0 when it could not start,
// after saying why.
EMSCRIPTEN_KEEPALIVE int kelvorStart()
{
    demo = std::make_unique<Demo>(TickSource::platform());
    if (demo->ended())
        return 0;
    if (!demo->start()) {
        demo->reportRefusal();
        demo.reset();
        return 0;
    }
    return 1;
}

// One animation frame. The clock's frame wait becomes "nothing happens
// until a frame is due": the frame code runs only when the clock's update
// would not wait. While paused, each call looks at the key queue once.
// 1 while the show goes on, 0 once it has ended.
EMSCRIPTEN_KEEPALIVE int kelvorFrame()
{
    if (!demo || demo->ended())
        return 0;
    if (demo->paused() || demo->frameClock()->frameDue())
        demo->step();
    return demo->ended() ? 0 : 1;
}

} // extern "C"
