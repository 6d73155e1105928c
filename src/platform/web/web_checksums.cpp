// The page's test entry point: frame checksums rendered in the browser from
// the pictures in the module's file system, exactly as kelvor-capture
// --checksums prints them (frame K is the frame after K clock steps).
#include "app/demo_clock.h"
#include "image/frame_hash.h"
#include "platform/web/web_ticks.h"
#include "scene/scene.h"

#include <emscripten.h>

#include <cinttypes>
#include <cstdio>
#include <string>

namespace {

constexpr int screenWidth = 320;
constexpr int screenHeight = 200;

std::string lines;
double renderMilliseconds = 0;
long renderedFrames = 0;

} // namespace

extern "C" {

// The lines "K HASH" of frames first..last, one a line; a line starting
// with "error:" when the pictures are not all there.
EMSCRIPTEN_KEEPALIVE const char* kelvorChecksums(int first, int last)
{
    useSimulatedTicks();
    lines.clear();
    renderMilliseconds = 0;
    renderedFrames = 0;
    Scene scene;
    scene.setup(screenWidth, screenHeight);
    if (!scene.ready()) {
        lines = "error: couldn't load " + scene.missingPicture();
        return lines.c_str();
    }
    Image frame;
    frame.resize(screenWidth, screenHeight);
    DemoClock clock(70.0f, 0.01f);
    for (long k = 1; k <= last; ++k) {
        clock.update();
        const double started = emscripten_get_now();
        scene.render(clock, frame);
        renderMilliseconds += emscripten_get_now() - started;
        ++renderedFrames;
        if (k >= first) {
            char line[48];
            std::snprintf(line, sizeof line, "%ld %016" PRIx64 "\n", k,
                          frameHash(frame.pixels(), screenWidth * screenHeight));
            lines += line;
        }
    }
    return lines.c_str();
}

// Mean time of one Scene::render over the frames of the last checksum run.
EMSCRIPTEN_KEEPALIVE double kelvorRenderMean()
{
    return renderedFrames > 0 ? renderMilliseconds / renderedFrames : 0.0;
}

} // extern "C"
